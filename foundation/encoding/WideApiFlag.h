#pragma once
// Chooses, process-wide, between the wide (UTF-16) and the 8-bit (UTF-8, at most 511 bytes) forms of
// every call that passes text to the system. 1 at start-up; tests set it to 0 to exercise the 8-bit path.
#include <cstdint>

extern std::int16_t useWideApi;
