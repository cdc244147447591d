#pragma once
// The writers that lay a value into one section of a number-format code, each into the cell text.
#include <string_view>

#include "import/spreadsheet/numberformat/FormatSectionInfo.h"
#include "import/spreadsheet/numberformat/FormatText.h"
#include "import/spreadsheet/numberformat/SerialDate.h"

// Printed digits laid into the section's placeholders, literal text, signs and exponent.
void applyNumberFormat(double value, DigitText& digits, std::u16string_view section,
                       const FormatSectionInfo& info, FormatText& out);

// A fraction section ("# ?/?", "# ??/??", "# ?/8").
void formatFraction(double value, std::u16string_view section, const FormatSectionInfo& info, FormatText& out);

// The section's literal text with valueText at the place of '@' or "General".
void applyLiteralText(std::u16string_view valueText, std::u16string_view section, FormatText& out);

// A date or time section written with the fields of a serial value.
void formatDateTime(const DateTimeFields& fields, std::u16string_view section, FormatSectionInfo& info,
                    FormatText& out);

// The nearest fraction to x (0 < x < 1) with a denominator below 10^digits.
struct Fraction {
    double numerator = 0;
    double denominator = 1;
};
Fraction bestFraction(double x, int digits);
