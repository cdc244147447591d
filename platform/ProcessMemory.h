#pragma once
// How much memory the running process has used, for benchmarks and diagnostics.
#include <cstdint>

namespace platform {

// The peak resident set size of this process so far, in bytes (VmHWM of /proc/self/status); 0 when the
// system does not tell.
std::uint64_t peakResidentBytes();

}  // namespace platform
