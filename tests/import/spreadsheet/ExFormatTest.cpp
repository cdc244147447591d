// The number-format engine: (format code, value) -> the text a cell shows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "foundation/encoding/Utf8Codec.h"
#include "import/spreadsheet/numberformat/ExFormat.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"

namespace {

std::string formatted(const char* code, double value) {
    return utf16ToUtf8String(ExFormat(0, utf8ToUtf16String(code)).formatCellValue(value).text);
}

std::string formattedBuiltIn(std::uint16_t id, double value) {
    return utf16ToUtf8String(ExFormat(id, nullptr).formatCellValue(value).text);
}

struct FormatCase {
    const char* code;
    double value;
    const char* text;
};

void expectTexts(std::initializer_list<FormatCase> cases) {
    for (const FormatCase& c : cases)
        EXPECT_EQ(formatted(c.code, c.value), c.text) << "code '" << c.code << "' value " << c.value;
}

TEST(ExFormatTest, GeneralKeepsNineDecimalsAndSwitchesToExponentAtTheEnds) {
    expectTexts({
        {"", 5, "5"},
        {"", -17, "-17"},
        {"", 0.25, "0.25"},
        {"", 1234.5678, "1234.5678"},
        {"", 1.0 / 3, "0.333333333"},
        {"", 99999999999, "99999999999"},
        {"", 123456789012, "1.23456789e+11"},
        {"", 1e-11, "1e-11"},
        {"", -0.000123, "-0.000123"},
        {"General", 0.5, "0.5"},
        {"\"x\"General", 2, "x2"},
        {"General;-General", -3, "-3"},
        // Workbooks spell the keyword in any case; every spelling still shows the value.
        {"GENERAL", 12.5, "12.5"},
        {"general", 7, "7"},
        {"\"x\"GENERAL", 2, "x2"},
    });
}

TEST(ExFormatTest, DigitPlaceholdersThousandsAndScaling) {
    expectTexts({
        {"0", 5, "5"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0.00", 3.14159, "3.14"},
        {"0.00", -0.5, "-0.50"},
        {"#.00", 0.5, ".50"},
        {".00", 5.5, "5.50"},
        {"#.##", 5.5, "5.5"},
        {"0.0?", 5.5, "5.5 "},
        {"000", 7, "007"},
        {"#", 0, ""},
        {"#,##0", 1234567, "1,234,567"},
        {"#,##0", -1234567, "-1,234,567"},
        {"#,##0", 999, "999"},
        {"#,##0.00", 1234.5, "1,234.50"},
        {"0,000", 12, "0,012"},
        {"#,", 12345, "12"},
        {"0.0,,", 1234567, "1.2"},
        {"#,##0,", 1234567, "1,235"},
        {"0%", 0.256, "26%"},
        {"0.00%", -0.0123, "-1.23%"},
        {"$#,##0.00", 1234.5, "$1,234.50"},
    });
}

TEST(ExFormatTest, ScientificLeavesTheCodesIntegerDigitsBeforeThePoint) {
    expectTexts({
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.00E+00", 0.00012, "1.20E-04"},
        {"0.00E+00", -12345, "-1.23E+04"},
        {"0.00E-00", 0.00012, "1.20E-04"},
        {"0.00E-00", 12345, "1.23E04"},
        {"##0.0E+0", 12344, "123.4E+2"},
        {"0.00E+00", 0, "0.00E+00"},
        {"0.00E+00", 1e308, "1.00E+308"},
    });
}

TEST(ExFormatTest, FractionsApproximateOrUseTheWrittenDenominator) {
    expectTexts({
        {"# ?/?", 2.75, "2 3/4"},
        {"# ?/?", 3, "3"},
        {"# ?/?", -2.75, "-2 3/4"},
        {"# ?""?/?""?", 0.333, "  1/ 3"},
        {"# ?""?/?""?", 3.14159, "3  1/ 7"},
        {"# ??""?/?""??", 3.14159, "3  16/113"},
        {"# ?/8", 0.5, " 4/8"},
        {"# ?/8", 2.99, "3"},
        {"?/?", 2, "2/1"},
        {"?/?", 0, "0/1"},
        {"# ?/?", 0.01, "0"},
    });
}

TEST(ExFormatTest, LiteralTextEscapesAndFillMarks) {
    expectTexts({
        {"0 \"kg\"", 5, "5 kg"},
        {"0 kg", 5, "5 "},
        {"0_)", 5, "5"},
        {"\\x0", 5, "x5"},
        {"0\\-0", 12, "1-2"},
        {"*x0", 5, "5"},
        {"* 0", 5, " 5"},
        {"(0)", 5, "(5)"},
        {"[$€-407] #,##0.00", 1234.5, "€ 1,234.50"},
        {"\"only text\"", 5, "only text"},
        {"@", 5, "5.0000000000"},
    });
}

TEST(ExFormatTest, SectionsAreChosenBySignWithColours) {
    expectTexts({
        {"0;", 5, "5"},
        {"0;", -5, ""},
        {"0;;", 0, ""},
        {"0;;", -5, ""},
        {"0;-0", -5, "-5"},
        {"0;(0)", -5, "(5)"},
        {"0", -5, "-5"},
        {"0;0;\"zero\"", 0, "zero"},
        {"0;0;\"zero\";@", 0, "zero"},
        {"#,##0.00_);[Red](#,##0.00)", -1234.5, "(1,234.50)"},
        {"[>100]0;0", 5, "5"},
        {"0\\;0", 12, "1;2"},
    });
    struct ColourCase {
        const char* code;
        double value;
        std::uint8_t colour;
    };
    for (const ColourCase& c : {ColourCase{"[Red]0", 5, 2}, ColourCase{"[Blue]0", 5, 4},
                                ColourCase{"[Purple]0", 5, kNoFormatColour}, ColourCase{"0;[Red]0", -5, 2},
                                ColourCase{"0;[Red]0", 5, kNoFormatColour}}) {
        EXPECT_EQ(ExFormat(0, utf8ToUtf16String(c.code)).formatCellValue(c.value).colour, c.colour) << c.code;
    }
}

TEST(ExFormatTest, BuiltInFormats) {
    struct BuiltInCase {
        std::uint16_t id;
        double value;
        const char* text;
    };
    for (const BuiltInCase& c : {
             BuiltInCase{0, 0.25, "0.25"}, {1, 2.5, "3"}, {2, 2.5, "2.50"}, {3, 1234, "1,234"},
             {4, 1234.5, "1,234.50"}, {5, -1234, "($1,234)"}, {6, 1234, "$1,234"}, {7, -1.5, "($1.50)"},
             {8, 1.5, "$1.50"}, {9, 0.5, "50%"}, {10, 0.5, "50.00%"}, {11, 12345, "1.23E+04"},
             {12, 2.75, "2 3/4"}, {13, 2.75, "2  3/ 4"}, {14, 39961, "5/28/09"}, {15, 39961, "28-May-09"},
             {16, 39961, "28-May"}, {17, 39961, "May-09"}, {18, 39961.75, "6:00 PM"},
             {19, 39961.75, "6:00:00 PM"}, {20, 39961.75, "18:00"}, {21, 39961.75, "18:00:00"},
             {22, 39961.75, "5/28/09 18:00"}, {23, 5, "5"}, {36, 0.5, "0.5"}, {37, -1234, "(1,234)"},
             {38, 1234, "1,234"}, {39, -1.5, "(1.50)"}, {40, 1.5, "1.50"}, {41, 1234, " 1,234"},
             {41, 0, " -"}, {42, -1234, "$ (1,234)"}, {43, 0, " -  "}, {44, 1.5, "$ 1.50"},
             {45, 0.5 / 24 / 60, "00:30"}, {46, 25569.5, "613668:00:00"}, {47, 0.5 / 86400, "00:00.5"},
             {48, 12344, "123.4E+2"}, {49, 5, "5.0000000000"}, {50, 5, "5"}, {1000, 0.5, "0.5"},
         }) {
        EXPECT_EQ(formattedBuiltIn(c.id, c.value), c.text) << "built-in " << c.id;
    }
}

TEST(ExFormatTest, DatesAndTimes) {
    expectTexts({
        {"d/m/yy", 39961, "28/5/09"},
        {"dd-mmm-yy", 39961, "28-May-09"},
        {"yyyy-mm-dd", 39961, "2009-05-28"},
        {"mmmm", 39961, "May"},
        {"mmmmm", 39961, "M"},
        {"dddd", 39961, "Thursday"},
        {"ddd", 39961, "Thu"},
        {"h:mm AM/PM", 39961.75, "6:00 PM"},
        {"h:mm AM/PM", 39961.5, "12:00 PM"},
        {"h:mm AM/PM", 39961, "12:00 AM"},
        {"h:mm a/p", 39961.25, "6:00 a"},
        {"hh:mm:ss", 0.5 + 1.0 / 86400, "12:00:01"},
        {"[h]:mm:ss", 25569.5, "613668:00:00"},
        {"[h]:mm", 1.5, "36:00"},
        {"mm:ss.0", 0.5 / 86400, "00:00.5"},
        {"mm:ss.00", 1.25 / 86400, "00:01.25"},
        {"yyyy-mm-dd hh:mm", 39961.75, "2009-05-28 18:00"},
        {"m", 39961, "5"},
        {"\"Week of\" d mmm", 39961, "Week of 28 May"},
        // Serial day 0 is 1899-12-30, in one Gregorian calendar: serial 60 is 28 February 1900.
        {"yyyy-mm-dd", 1, "1899-12-31"},
        {"m/d/yy", 59, "2/27/00"},
        {"m/d/yy", 60, "2/28/00"},
        {"m/d/yy", 61, "3/1/00"},
        {"dddd yyyy-mm-dd", 25569, "Thursday 1970-01-01"},
        {"yyyy-mm-dd", 18264, "1950-01-01"},
        {"yyyy-mm-dd", 51135, "2039-12-31"},
        {"yyyy-mm-dd", 2958465, "9999-12-31"},
        {"dddd", 2958465, "Friday"},
        // A time that rounds to midnight belongs to the next day.
        {"yyyy-mm-dd hh:mm:ss", 39961 + 86399.9996 / 86400, "2009-05-29 00:00:00"},
        {"yyyy-mm-dd hh:mm:ss.000", 39961 + 86399.9996 / 86400, "2009-05-29 00:00:00.000"},
        {"yyyy-mm-dd hh:mm:ss.000", 39961 + 86399.9991 / 86400, "2009-05-28 23:59:59.999"},
        {"mm:ss.0", 59.96 / 86400, "01:00.0"},
    });
}

TEST(ExFormatTest, The1904DateSystemStartsOnFirstJanuary1904) {
    setWorkbookDate1904(true);
    const FormattedCell cell = ExFormat(0, u"yyyy-mm-dd").formatCellValue(0);
    const FormattedCell elapsed = ExFormat(0, u"[h]:mm").formatCellValue(1.5);
    const FormattedCell other = ExFormat(0, u"yyyy-mm-dd").formatCellValue(0, kDefaultFormatColumnWidth, false);
    setWorkbookDate1904(false);
    EXPECT_EQ(cell.text, u"1904-01-01");
    EXPECT_TRUE(cell.date1904);
    // Elapsed time does not depend on where the calendar starts.
    EXPECT_EQ(elapsed.text, u"36:00");
    EXPECT_EQ(other.text, u"1899-12-30");
    EXPECT_EQ(ExFormat(0, u"yyyy-mm-dd").formatCellValue(0).text, u"1899-12-30");
}

// Codes the engine cannot use and values a section cannot show: that cell alone shows General.
TEST(ExFormatTest, UnusableCodesAndValuesFallBackToGeneral) {
    const std::string longLiteral = "\"" + std::string(300, 'x') + "\"0";
    const std::string manyPlaceholders = std::string(300, '0');
    const std::string manyDecimals = "0." + std::string(260, '0');
    struct FallBackCase {
        std::string code;
        double value;
        const char* text;
    };
    for (const FallBackCase& c : {
             FallBackCase{"0;0;0;0;0", 5, "5"},  // a fifth section
             {"0,.0", 1234, "1234"},             // scaling commas before more digits
             {"# ?/-8", 0.5, "0.5"},             // a signed written denominator
             {"# ?/123456", 0.5, "0.5"},         // a written denominator of six digits
             {"yyy", 39961, "39961"},
             {"mmmmmm", 39961, "39961"},
             {"[h]:mm%", 0.5, "0.5"},           // percent of a time
             {"d #", 39961, "39961"},
             {longLiteral, 5, "5"},
             {manyPlaceholders, 5, "5"},
             {manyDecimals, 1.5, "1.5"},
             {"0", 1e308, "1e+308"},
             {"#,##0.00", -1e308, "-1e+308"},
             {"yyyy-mm-dd", -1, "-1"},                 // before the first serial day
             {"yyyy-mm-dd", 2958466, "2958466"},       // after 9999-12-31
             {"hh:mm", 1e20, "1e+20"},
         }) {
        const FormattedCell cell = ExFormat(0, utf8ToUtf16String(c.code)).formatCellValue(c.value);
        EXPECT_EQ(utf16ToUtf8String(cell.text), c.text) << "code '" << c.code.substr(0, 40) << "'";
        EXPECT_TRUE(cell.fellBack) << c.code.substr(0, 40);
        EXPECT_EQ(cell.colour, kNoFormatColour);
    }
    // A literal of 250 units still fits a cell.
    EXPECT_EQ(formatted(("\"" + std::string(250, 'y') + "\"0").c_str(), 5), std::string(250, 'y') + "5");
}

TEST(ExFormatTest, NegativeZeroNotANumberAndInfinitiesGiveShortTexts) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    expectTexts({
        {"", -0.0, "0"},
        {"0.00", -0.0, "0.00"},
        {"0;\"negative\";\"zero\"", -0.0, "zero"},
        {"", nan, "#NUM!"},
        {"0.00", infinity, "#NUM!"},
        {"yyyy-mm-dd", -infinity, "#NUM!"},
        {"", 1e308, "1e+308"},
        {"", -1e-308, "-1e-308"},
        {"", 4.9e-324, "4.940656458e-324"},
    });
}

TEST(ExFormatTest, NamesAndBuiltInCodesComeFromTheInterfaceStrings) {
    loadFormatStrings();
    EXPECT_EQ(monthName(1), u"January");
    EXPECT_EQ(monthName(12), u"December");
    EXPECT_EQ(dayName(0), u"Sunday");
    EXPECT_EQ(dayName(6), u"Saturday");
    EXPECT_TRUE(monthName(0).empty());
    EXPECT_TRUE(monthName(13).empty());
    EXPECT_TRUE(dayName(7).empty());
    EXPECT_EQ(builtInFormatCode(14), u"m\\/d\\/yy");
    EXPECT_EQ(builtInFormatCode(49), u"@");
    EXPECT_TRUE(builtInFormatCode(50).empty());
}

}  // namespace
