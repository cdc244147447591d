#pragma once
// Byte swaps in place, for big-endian file data read on this little-endian machine (the AppleWorks
// reader swaps its records field by field). The "Alt" twins do the same as their namesakes; the
// reader calls both.
#include <cstdint>

void swapShort(std::int16_t* value);
void swapShort(std::uint16_t* value);
void swapShortAlt(std::int16_t* value);
void swapShortAlt(std::uint16_t* value);
void swapLong(std::int32_t* value);
void swapLong(std::uint32_t* value);
void swapLongAlt(std::int32_t* value);
void swapLongAlt(std::uint32_t* value);
// Two consecutive 16-bit values (a point) and four (a rectangle).
void swapShortPair(std::int16_t* values);
void swapShortPair(std::uint16_t* values);
void swapShortQuad(std::int16_t* values);
void swapShortQuad(std::uint16_t* values);
