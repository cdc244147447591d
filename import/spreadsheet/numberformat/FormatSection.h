#pragma once
// The sections of a number-format code ("positive;negative;zero;text") and what one section holds.
#include <array>
#include <cstdint>
#include <string_view>

#include "import/spreadsheet/numberformat/FormatSectionInfo.h"
#include "import/spreadsheet/numberformat/FormatText.h"

// Where the second, third and fourth sections begin in the code; 0 when absent.
using SectionStarts = std::array<std::uint16_t, 3>;

// The count of sections (1 to 4). A backslash or an underscore hides the character after it from the
// count; quotes do not. A fifth section fails with 22.
int countSections(std::u16string_view code, SectionStarts& starts);

// The section a value is written with, up to (not including) its own ';': a negative value takes the
// second section, zero the third, others the first; a missing section falls back to the first.
std::u16string_view chooseSection(std::u16string_view code, const SectionStarts& starts, double value);

// Reads the kinds of token and the placeholder counts of one section; fails with 22 for a
// contradictory section (scaling commas before more digits, a signed or over-long written denominator,
// a numerator with more placeholders than the integer part, more than 255 placeholders in a part).
FormatSectionInfo parseSection(std::u16string_view section);

// The code position just after the quoted text that starts at position, or the end.
std::size_t skipQuoted(std::u16string_view code, std::size_t position);
// Writes the quoted text that starts at position without its quotes; answers the position of its
// closing quote (the code's last position when it has none).
std::size_t writeQuoted(std::u16string_view code, std::size_t position, FormatText& out);
// The position of the ']' that closes the bracket at position, or the end.
std::size_t findClosingBracket(std::u16string_view code, std::size_t position);

inline bool isDigitPlaceholder(char16_t c) {
    return c == u'#' || c == u'0' || c == u'?';
}
