#pragma once
// Comparison of 8-bit texts without regard to case, for the signatures of picture types: 'A' to 'Z' fold
// to 'a' to 'z', and of 0xC0 to 0xDF the Latin-1 capitals 0xC1 to 0xC4 and 0xC6 to 0xDA fold to the
// byte 0x20 higher; every other byte is itself.
#include <cstdint>

std::uint8_t foldCase(std::uint8_t byte);
// -1 when a is null, 1 when b is null; otherwise the folded difference at the first pair of at most count
// pairs that differ, 0 when none differs or a pair with a's 0 byte was compared.
int compareNoCase(const char* a, const char* b, std::int32_t count);
