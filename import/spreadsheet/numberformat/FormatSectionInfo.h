#pragma once
// What the number-format engine learnt about the one section of a format code it used for a value: the
// kinds of token it holds (kindFlags) and the counts of its placeholders. Filled while the section is
// parsed; the date writer adds the kWrote* bits for the parts of a date or time it wrote.
#include <cstdint>

namespace formatkind {
constexpr std::uint32_t kGeneral = 1u << 0;
constexpr std::uint32_t kInteger = 1u << 1;
constexpr std::uint32_t kDecimal = 1u << 2;
constexpr std::uint32_t kPercent = 1u << 3;
constexpr std::uint32_t kScientific = 1u << 4;
constexpr std::uint32_t kFraction = 1u << 5;
constexpr std::uint32_t kDate = 1u << 6;
constexpr std::uint32_t kTime = 1u << 7;
constexpr std::uint32_t kThousands = 1u << 8;
constexpr std::uint32_t kColour = 1u << 9;
constexpr std::uint32_t kAmPm = 1u << 10;
constexpr std::uint32_t kText = 1u << 11;
constexpr std::uint32_t kFixedDenominator = 1u << 12;
constexpr std::uint32_t kFractionSeconds = 1u << 13;
constexpr std::uint32_t kParentheses = 1u << 14;
constexpr std::uint32_t kCurrency = 1u << 15;
constexpr std::uint32_t kWroteDay = 1u << 16;
constexpr std::uint32_t kWroteDayAbbrev = 1u << 17;
constexpr std::uint32_t kWroteDayName = 1u << 18;
constexpr std::uint32_t kWroteMonth = 1u << 19;
constexpr std::uint32_t kWroteMonthAbbrev = 1u << 20;
constexpr std::uint32_t kWroteMonthName = 1u << 21;
constexpr std::uint32_t kWroteYear2 = 1u << 22;
constexpr std::uint32_t kWroteYear4 = 1u << 23;
constexpr std::uint32_t kWroteHour = 1u << 24;
constexpr std::uint32_t kWroteMinute = 1u << 25;
constexpr std::uint32_t kWroteSecond = 1u << 26;
constexpr std::uint32_t kLiteral = 1u << 31;

// The kinds that decide how a value is written (the low byte).
constexpr std::uint32_t kValueKinds = 0xFF;
}  // namespace formatkind

// The colour index of a section without a colour name.
constexpr std::uint8_t kNoFormatColour = 255;

struct FormatSectionInfo {
    std::uint32_t kindFlags = formatkind::kGeneral;
    std::uint8_t integerDigits = 0;    // placeholders before the point (a fraction: before the numerator)
    std::uint8_t colour = kNoFormatColour;
    std::uint8_t numeratorDigits = 0;  // a fraction's numerator placeholders
    std::uint8_t scaleCommas = 0;      // a number: trailing commas (each divides by 1000); a fraction:
                                       // the denominator's placeholders
    std::uint8_t fractionDigits = 0;   // placeholders after the point (also fractional-second zeros)
    std::uint8_t exponentDigits = 0;   // placeholders after E+, E- or E0
    std::uint32_t fixedDenominator = 0;  // a fraction with a written denominator ("# ?/8"): that number

    bool has(std::uint32_t kinds) const { return (kindFlags & kinds) != 0; }
};
