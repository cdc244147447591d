#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "foundation/text/DefaultTextBuffers.h"
#include "foundation/text/NumberText.h"

namespace {

constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kLeast = std::numeric_limits<std::int64_t>::min();

struct ToTextCase {
    std::int64_t value;
    std::int16_t radix;
    char base;
    std::int16_t isUnsigned;
    const char* text;
};

TEST(NumberText, NumbersToText) {
    const ToTextCase cases[] = {
        {-255, 16, '0', 0, "-FF"},
        {0, 10, '0', 0, "0"},
        {-1, 16, '0', 1, "FFFFFFFFFFFFFFFF"},  // the largest unsigned value
        {-1, 2, '0', 1, "1111111111111111111111111111111111111111111111111111111111111111"},
        {kLeast, 10, '0', 0, "-9223372036854775808"},
        {kMost, 10, '0', 0, "9223372036854775807"},
        {35, 36, '0', 0, "Z"},
        {123, 10, 'a', 0, "bcd"},  // digits from another base; its sign character is base - 3
        {-5, 10, 'a', 0, "^f"},
        {12, 16, 'a', 0, "C"},     // digits above nine are capital letters whatever the base
        {5, 1, '0', 0, ""},        // no such radix
        {5, 37, '0', 0, ""},
    };
    for (const auto& c : cases) {
        char buffer[kNumberTextSize];
        EXPECT_STREQ(numberToTextRadix(buffer, c.value, c.radix, c.base, c.isUnsigned), c.text) << c.value << " radix " << c.radix;
        char16_t units[kNumberTextSize];
        const std::string expected = c.text;
        EXPECT_EQ(std::u16string(numberToUni(c.value, units, c.radix, c.base, c.isUnsigned)),
                  std::u16string(expected.begin(), expected.end()));
    }
    EXPECT_STREQ(numberToText(-42, nullptr), "-42");
    EXPECT_EQ(numberToText(1, nullptr), defaultTextBuffer());
    const std::uint8_t* pascal = numberToPascal(nullptr, 255, 16, '0', 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(pascal + 1), pascal[0]), "FF");
    EXPECT_EQ(pascal[3], 0);
}

TEST(NumberText, FixedWidth) {
    struct Case {
        std::int64_t value;
        std::int16_t width;
        std::int16_t isUnsigned;
        const char* text;
    };
    const Case cases[] = {
        {1234567, 4, 0, "4567"}, {-42, 5, 0, "00-42"}, {-42, 2, 0, "42"}, {7, 3, 0, "007"},
        {0, 2, 0, "00"},         {-1, 20, 1, "18446744073709551615"},       {kLeast, 20, 0, "-9223372036854775808"},
        {5, 0, 0, ""},           {5, -3, 0, ""},
    };
    for (const auto& c : cases) {
        char buffer[32] = "untouched";
        EXPECT_STREQ(numberToTextFixed(buffer, c.value, c.width, c.isUnsigned), c.text) << c.value << " in " << c.width;
    }
}

TEST(NumberText, TextToNumbers) {
    struct Case {
        const char* text;
        std::int16_t radix;
        std::uint64_t magnitude;
        std::int16_t sign;
    };
    const Case cases[] = {
        {"-12x", 10, 12, -1},
        {"12.5", 10, 12, 1},
        {"ff", 16, 0, 1},  // lower case is no digit
        {"FF", 16, 255, 1},
        {"12:30", 10, 12, 1},  // ':' is no digit, though it follows '9'
        {"1@", 16, 1, 1},
        {"", 10, 0, 1},
        {"-", 10, 0, -1},
        {"101", 2, 5, 1},
        {"18446744073709551615", 10, ~std::uint64_t{0}, 1},
        {"18446744073709551616", 10, ~std::uint64_t{0}, 1},  // beyond 64 bits: kept at the largest value
        {"999999999999999999999999999999", 10, ~std::uint64_t{0}, 1},
        {"12", 0, 0, 1},  // no such radix
    };
    for (const auto& c : cases) {
        std::int16_t sign = 0;
        EXPECT_EQ(textToNumber(c.text, c.radix, '0', &sign), c.magnitude) << c.text;
        EXPECT_EQ(sign, c.sign) << c.text;
        const std::string narrow = c.text;
        const std::u16string wide(narrow.begin(), narrow.end());
        EXPECT_EQ(uniToNumber(wide.c_str(), c.radix, '0', &sign), c.magnitude) << c.text;
    }
    std::int16_t sign = 0;
    EXPECT_EQ(textToNumber(nullptr, 10, '0', &sign), 0u);
    EXPECT_EQ(textToNumber("42", 10, '0', nullptr), 42u);
}

TEST(NumberText, SignsAndNarrowingKeepWithinRange) {
    EXPECT_EQ(applyNumberSign(9223372036854775808ull, -1), kLeast);
    EXPECT_EQ(applyNumberSign(~std::uint64_t{0}, -1), kLeast);
    EXPECT_EQ(applyNumberSign(~std::uint64_t{0}, 1), kMost);
    EXPECT_EQ(applyNumberSign(12, -1), -12);
    EXPECT_EQ(clampNumber<std::int32_t>(5000000000), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(clampNumber<std::int32_t>(-5000000000), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(clampNumber<std::int16_t>(-7), -7);
    EXPECT_EQ(clampNumber<std::uint16_t>(-7), 0);
    EXPECT_EQ(clampNumber<std::uint32_t>(kMost), std::numeric_limits<std::uint32_t>::max());
    EXPECT_EQ(clampNumber<std::int64_t>(kLeast), kLeast);
}

}  // namespace
