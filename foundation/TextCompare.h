#pragma once
// Comparisons of texts; each answers -1, 0 or 1.
#include <cstdint>

#include "foundation/PascalWString.h"

// Compares the two texts by code point, ignoring case (simple case folding) unless caseSensitive is 1.
std::int16_t compareUniText(const PascalWString& first, const PascalWString& second, std::int16_t caseSensitive);
