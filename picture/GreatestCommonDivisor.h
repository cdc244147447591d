#pragma once
#include <cstdint>

// Euclid's algorithm; a when b is 0, and 1 when both are 0 (so it can always divide).
std::uint32_t greatestCommonDivisor(std::uint32_t a, std::uint32_t b);
