// The digits a value is printed as before a section lays them out: the fixed form must be exactly the
// C library's conversion (rounded to nearest on the exact binary value, ties to even) for every value
// and count of decimals, whichever way it is computed; and a cell formatted into a buffer that held
// another cell shows what it shows alone.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "import/spreadsheet/numberformat/ExFormat.h"
#include "import/spreadsheet/numberformat/FormatDigits.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"

namespace {

std::string libraryFixed(double value, int decimals) {
    char text[kDigitTextCapacity];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string("(too long)");
}

std::string ourFixed(double value, int decimals) {
    DigitText digits;
    try {
        printFixed(value, decimals, digits);
    } catch (const CFail&) {
        return "(too long)";
    }
    return std::string(digits.view());
}

// Values where rounding is hardest: exact ties, values a hair either side of a tie, the ends of the
// range a whole number of 64 bits can carry, signed zeros and the smallest and largest doubles.
std::vector<double> edgeValues() {
    std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, -0.125, 0.005, 1.005, 2.675,
                                  1.0 / 3, 2.0 / 3, 0.1, 0.7, 9.995, 99.995, 0.45, 1e-10, 5e-324, 1e308,
                                  std::numeric_limits<double>::max(), 0x1p40, 0x1p40 - 1, 0x1p53, 442433.81,
                                  -670363.48, 999999999999.5, 123456789.123456789};
    for (int exponent = -12; exponent <= 15; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (double near : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)}) {
            values.push_back(near);
            values.push_back(near * 0.5);
            values.push_back(-near * 1.5);
        }
    }
    const std::size_t base = values.size();
    for (std::size_t index = 0; index < base; ++index) {
        values.push_back(std::nextafter(values[index], 1e300));
        values.push_back(std::nextafter(values[index], -1e300));
    }
    return values;
}

TEST(FormatDigits, FixedFormIsTheLibrarysForEveryValueAndDecimals) {
    std::vector<double> values = edgeValues();
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> money(-1e7, 1e7);
    std::uniform_int_distribution<int> cents(-100000000, 100000000);
    std::uniform_int_distribution<std::uint64_t> anyBits;
    for (int count = 0; count < 5000; ++count) {
        values.push_back(money(random));
        values.push_back(cents(random) / 100.0);  // values written with two decimals, as sheets hold them
        values.push_back(cents(random) / 1000.0 + 0.0005);
        const double bits = std::bit_cast<double>(anyBits(random));
        if (std::isfinite(bits)) values.push_back(bits);
    }
    for (const double value : values)
        for (int decimals = 0; decimals <= 12; ++decimals)
            ASSERT_EQ(ourFixed(value, decimals), libraryFixed(value, decimals))
                << "value " << std::hexfloat << value << " decimals " << decimals;
}

TEST(FormatDigits, RoundedWholeRoundsHalvesAwayFromZero) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{0.5, "1"}, {1.5, "2"}, {2.5, "3"}, {-2.5, "-3"}, {-0.4, "0"}, {0.49999999999999994, "0"},
                 {1e15 + 0.5, "1000000000000001"}, {4503599627370497.0, "4503599627370497"}};
    for (const auto& c : cases) {
        DigitText digits;
        printRoundedWhole(c.value, digits);
        EXPECT_EQ(digits.view(), c.text) << c.value;
    }
}

TEST(FormatDigits, CellFormattedIntoAUsedBufferShowsWhatItShowsAlone) {
    // A long text left by the cell before must not show through a shorter one.
    const double values[] = {0, 1, -1, 0.5, 1234567.891, -0.001, 38002, 1e-12, 1e15, 42.125};
    FormatText shared;
    for (std::uint16_t id = 0; id <= 49; ++id) {
        const ExFormat format(id, nullptr);
        for (const double value : values) {
            ExFormat(0, u"\"a long literal text that fills the buffer\" 0.000000").formatCellText(value, shared);
            EXPECT_EQ(format.formatCellText(value, shared), format.formatCellValue(value).text)
                << "built-in format " << id << " value " << value;
        }
    }
}

}  // namespace
