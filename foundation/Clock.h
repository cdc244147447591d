#pragma once
// Time for progress timing and date-based names. Both sources are replaceable in tests
// (platform/process/Clock.h).
#include <ctime>

// Milliseconds from a wrapping 32-bit counter, converted exactly to a double.
double tickCount();
// The current local time; the record is shared and overwritten by the next call.
const std::tm* currentLocalTime();
