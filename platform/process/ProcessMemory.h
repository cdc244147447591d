#pragma once
// How much memory the running process has used, for benchmarks and diagnostics.
#include <cstdint>

namespace platform {

// The peak resident set size of this process so far, in bytes (VmHWM of /proc/self/status); 0 when the
// system does not tell.
std::uint64_t peakResidentBytes();
// Starts the peak over from the present resident size (clear_refs), so that a benchmark can measure the
// peak of one piece of work; false when the system does not allow it.
bool resetPeakResident();

}  // namespace platform
