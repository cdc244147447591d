#include "picture/shapes/ShapeLengths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LengthCase {
    const char* text;
    LengthUnit unit;
    const char* expectedText;
    std::int32_t expectedValue;
};

const LengthCase kLengthCases[] = {
    {"width:100pt", LengthUnit::twips, "2000", 2000},
    {"margin-left:-12pt;margin-top:3pt", LengthUnit::twips, "-240", -240},
    {"12.5pt", LengthUnit::twips, "250", 250},
    {"0.5in", LengthUnit::emu, "457200", 457200},
    {"0.25in", LengthUnit::emu, "228600", 228600},
    {"2.54cm", LengthUnit::twips, "1440", 1440},
    {"10mm", LengthUnit::emu, "360000", 360000},
    {"1pt", LengthUnit::emu, "12700", 12700},
    {"1.5", LengthUnit::fixed, "98304", 98304},
    {"32768f", LengthUnit::fixed, "32768", 32768},
    {"50%", LengthUnit::fixed, "32750", 32750},
    {"36pt", LengthUnit::fixed, "2359296", 2359296},
    {"12", LengthUnit::twips, "12", 12},
    {"10px", LengthUnit::twips, "10", 10},  // an unknown unit is a plain number
    {"12.", LengthUnit::twips, "12", 12},   // a '.' at the end marks no decimal places
    {"top:+7pt", LengthUnit::twips, "140", 140},
    {"", LengthUnit::twips, "0", 0},
    {"height:", LengthUnit::twips, "0", 0},
    // Digits are taken wherever they stand.
    {"1a2pt", LengthUnit::twips, "240", 240},
    // Leading zeros beyond any place value add nothing.
    {"00000000000000000000000000000012pt", LengthUnit::twips, "240", 240},
    // Held in 64 bits before the division: 12.5555555pt as fixed does not wrap round 32 bits.
    {"12.5555555pt", LengthUnit::fixed, "822840", 822840},
    {"-2147483647", LengthUnit::twips, "-2147483647", -2147483647},
};

}  // namespace

TEST(ShapeLengths, ConvertsEachUnitToEachKind) {
    for (const LengthCase& length : kLengthCases) {
        SCOPED_TRACE(length.text);
        const std::optional<ConvertedLength> converted = convertLength(length.text, length.unit);
        ASSERT_TRUE(converted.has_value());
        EXPECT_STREQ(converted->text, length.expectedText);
        EXPECT_EQ(converted->value, length.expectedValue);
    }
}

// A length too large for a signed 32-bit value is refused (the translators write nothing for it), never
// wrapped into another number.
TEST(ShapeLengths, RefusesLengthsBeyondThirtyTwoBits) {
    for (const char* text : {"4294967296", "2147483648", "200000000in", "99999999999999999999999999pt",
                             "1.00000000000000000000000001"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(convertLength(text, LengthUnit::twips).has_value());
        EXPECT_EQ(lengthToTwips(text), 0);
    }
}

TEST(ShapeLengths, NamedConversionsChooseTheirUnit) {
    EXPECT_EQ(lengthToTwips("width:100pt"), 2000);
    EXPECT_STREQ(lengthToEmuText("mso-wrap-distance-left:9pt")->text, "114300");
    EXPECT_EQ(lengthToFixedText("0.5")->value, 32768);
}

TEST(ShapeLengths, SplitsPairsAtTheFirstComma) {
    const std::optional<LengthPair> pair = splitLengthPair(",3pt", LengthUnit::emu);
    ASSERT_TRUE(pair.has_value());
    EXPECT_STREQ(pair->x.text, "0");
    EXPECT_STREQ(pair->y.text, "38100");
    const std::optional<LengthPair> origin = splitLengthPair("-0.5,.25", LengthUnit::fixed);
    ASSERT_TRUE(origin.has_value());
    EXPECT_EQ(origin->x.value, -32768);
    EXPECT_EQ(origin->y.value, 16384);
    EXPECT_FALSE(splitLengthPair("2pt", LengthUnit::emu).has_value());
    EXPECT_FALSE(splitLengthPair("1pt,99999999999in", LengthUnit::emu).has_value());
}

TEST(ShapeLengths, RotationsBecomeFixedDegreesWithinOneTurn) {
    const struct {
        const char* rotation;
        const char* expected;
    } cases[] = {
        {"90", "5898240"},        {"-90", "17694720"}, {"90;flip:x", "5898240"},
        {"0", ""},                {"360", ""},          {"450", "5898240"},
        {"65610", "5898240"},     {"-360", ""},         {"99999999999999999999999990", "17694720"},
    };
    for (const auto& rotation : cases) {
        SCOPED_TRACE(rotation.rotation);
        char buffer[20];
        rotationToFixedText(rotation.rotation, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, rotation.expected);
    }
}

TEST(ShapeLengths, FormatsDecimalsWithinTheirBuffer) {
    char buffer[20];
    EXPECT_EQ(formatDecimal(0, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "0");
    formatDecimal(-1440, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "-1440");
    formatDecimal(INT64_MIN, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "9223372036854775808");  // 19 characters kept, the lowest
    char small[6];
    EXPECT_EQ(formatDecimal(1234567, small, sizeof small), 5);
    EXPECT_STREQ(small, "34567");
}

TEST(ShapeLengths, TrailingNumbersNameShapes) {
    EXPECT_EQ(trailingNumber("_x0000_s1026"), 1026);
    EXPECT_EQ(trailingNumber("_x0000_s1026a"), 0);
    EXPECT_EQ(trailingNumber(""), 0);
    EXPECT_EQ(trailingNumber(nullptr), 0);
    EXPECT_EQ(trailingNumber(("s" + std::string(70, '0') + "7").c_str()), 7);
    EXPECT_EQ(trailingNumber("s99999999999"), 0);  // beyond 32 bits
    EXPECT_EQ(maxOf(-3, 2), 2);
}
