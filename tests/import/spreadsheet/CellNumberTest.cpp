// A cell's value read as a number: the plain decimals read straight from the text must give the very
// double the general reading gives, and everything else must be read as that reading reads it.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "import/spreadsheet/sheets/CellNumber.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

std::u16string widened(const std::string& text) { return std::u16string(text.begin(), text.end()); }

void expectSameAsGeneralReading(const std::string& text) {
    const double ours = readCellNumber(widened(text));
    const double general = parseDouble(text.c_str());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ours), std::bit_cast<std::uint64_t>(general)) << "'" << text << "'";
}

TEST(CellNumber, ReadsEveryValueAsTheGeneralReadingDoes) {
    const char* const spellings[] = {
        "0", "-0", "1", "-1", "007", "0.5", "-0.25", "442433.81", "0.4788783949238976", "38002",
        "9007199254740992", "9007199254740993", "9007199254740991.5", "12345678901234567890",
        "0.1234567890123456789012", "0.00000000000000000000001", "1.", ".5", "-.5", "-", "", ".", "1.2.3",
        "1e3", "1E-3", "+5", " 7", "\t8", "5 ", "12abc", "inf", "-nan", "0x10", "1e400", "1e-400", "--1",
        "4.9406564584124654e-324", "1.7976931348623157e308", "123456789012345.6", "0.30000000000000004",
    };
    for (const char* text : spellings) expectSameAsGeneralReading(text);

    // Values as writers print them: the shortest form that reads back, and fixed forms of every length.
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> wide(-1e9, 1e9);
    std::uniform_int_distribution<std::uint64_t> anyBits;
    std::uniform_int_distribution<int> decimals(0, 20);
    for (int count = 0; count < 10000; ++count) {
        char text[400];
        for (double value : {wide(random), wide(random) / 1e9, std::bit_cast<double>(anyBits(random))}) {
            if (!std::isfinite(value)) continue;
            auto shortest = std::to_chars(text, text + sizeof text, value);
            expectSameAsGeneralReading(std::string(text, shortest.ptr));
            auto fixed = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals(random));
            if (fixed.ec == std::errc()) expectSameAsGeneralReading(std::string(text, fixed.ptr));
        }
    }
}

TEST(CellNumber, UnitsBeyondAsciiEndTheNumber) {
    EXPECT_EQ(readCellNumber(u"12\u00E93"), 12);
    EXPECT_EQ(readCellNumber(u"\u0661\u0662"), 0);  // Arabic-Indic digits are not read as digits
    EXPECT_EQ(readCellNumber(u"1.5\u2009"), 1.5);
}

}  // namespace
