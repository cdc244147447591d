#pragma once
// Comparisons of texts; each answers -1, 0 or 1.
#include <cstdint>

#include "foundation/text/PascalWString.h"

// Compares the two texts by code point, ignoring case (simple case folding) unless caseSensitive is 1.
std::int16_t compareUniText(const PascalWString& first, const PascalWString& second, std::int16_t caseSensitive);
// The same for two NUL-terminated 8-bit texts, read as UTF-8 (malformed bytes compare as U+FFFD);
// either text null gives -1.
std::int16_t compareText(const char* first, const char* second, std::int16_t caseSensitive);

// Exact comparison of two UTF-16 strings from their second unit on, as NUL-terminated texts: unit 0 is
// the length place of a PascalWString and is skipped. Callers also pass NUL-terminated texts, whose
// first unit is then not compared ("Open" equals "open"); a first unit of 0 is an empty text either
// way. A text that ends first is the smaller; either text null gives -1.
std::int16_t compareUniPascal(const char16_t* first, const char16_t* second);
// The same over the texts of two PascalWStrings, bounded by their lengths.
std::int16_t compareUniPascal(const PascalWString& first, const PascalWString& second);
