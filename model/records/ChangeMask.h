#pragma once
// The change mask of a record as a number. The mask is eight bytes with change bit 0 the top bit of the
// first byte; the storage and the dumps show it as the little-endian 64-bit number of those bytes, so
// bit 0 alone is 128, bit 7 alone 1 and bit 8 alone 32768.
#include <cstdint>

std::uint64_t changeMaskNumber(const std::uint8_t (&mask)[8]);
void setChangeMaskNumber(std::uint8_t (&mask)[8], std::uint64_t number);
