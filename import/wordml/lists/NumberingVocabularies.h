#pragma once
// Numbering names of WordprocessingML and their codes: the number format of a list level, the number
// format of page and note numbers, and the restart rule of note numbers. Names are compared with the
// name rule, so "upper-roman" and upperRoman are one name.
#include <cstdint>

// The list-level number format, as the list table of the output counts it; 0 (decimal) for a name
// that has no format of its own there.
std::int32_t lookupListNumberFormat(const char* text);
// The page or note number format; 1 (decimal) for any name without a code of its own.
std::int32_t lookupSectionNumberFormat(const char* text);
// The restart rule of note numbers; 1 (continuous) for any other text.
std::int32_t lookupNumberRestart(const char* text);
