#pragma once
// The millisecond clock and the local time, replaceable in tests.
#include <cstdint>
#include <ctime>
#include <functional>

namespace platform {

// Milliseconds since an arbitrary start, wrapping like a 32-bit counter.
std::uint32_t millisecondClock();
// The current local time (localtime_r of now).
std::tm localTimeNow();

// Tests install their own sources; an empty function restores the system's.
void setMillisecondClockForTesting(std::function<std::uint32_t()> source);
void setLocalTimeForTesting(std::function<std::tm()> source);

}  // namespace platform
