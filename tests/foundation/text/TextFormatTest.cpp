#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "foundation/language/ResourceModule.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/DefaultTextBuffers.h"
#include "foundation/text/PascalText.h"
#include "foundation/text/PascalWString.h"
#include "foundation/text/TextFormat.h"

namespace {

std::string pascalString(const std::uint8_t* text) {
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

TEST(FormatUniString, TheFourConversions) {
    const PascalWString name = makePascal(u"ab");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"error %d at %s:%d", 7, "abc", 120)), u"error 7 at abc:120");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"blocks of '%h'", &name)), u"blocks of 'ab'");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"blocks of '%h'", name)), u"blocks of 'ab'");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"100%%")), u"100%");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"[%u]", u"\u00e9t\u00e9 \U0001F600")), u"[\u00e9t\u00e9 \U0001F600]");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"%d|%d", -2147483647 - 1, std::uint16_t{65535})), u"-2147483648|65535");
    // Widths belong to the 8-bit formatter: "%03d" is the text "03d" and takes no value.
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"%03d-%d", 5)), u"03d-5");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"%x and %")), u"x and %");
    // 8-bit text is read as UTF-8 on this build.
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"%s", "caf\xC3\xA9")), u"caf\u00e9");
}

TEST(FormatUniString, ValuesThatDoNotSuitAddNothing) {
    const PascalWString name = makePascal(u"n");
    // A translated format that swaps or adds conversions must never read a value as something else.
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"<%s|%d|%h>", 5, "text", u"wide")), u"<||>");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"<%d %d %d>", 1)), u"<1  >");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"<%s%u%h>", static_cast<const char*>(nullptr), nullptr,
                                             static_cast<const PascalWString*>(nullptr))),
              u"<>");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"%h%h", name, 3)), u"n");
}

TEST(FormatUniString, IsBoundedByItsBufferAndCutsBetweenCharacters) {
    char16_t small[6];
    EXPECT_EQ(std::u16string(formatUniString(small, u"%u", u"abcdefgh")), u"abcde");
    char16_t pair[5];
    EXPECT_EQ(std::u16string(formatUniString(pair, u"abc%u", u"\U0001F600")), u"abc");  // the pair does not fit whole
    char16_t one[1] = {u'x'};
    EXPECT_EQ(formatUniStringInto(one, 1, u"abc")[0], 0);

    // The default buffer holds 511 units and the 0.
    const std::u16string longText(700, u'y');
    const char16_t* out = formatUniString(nullptr, u"%u", longText.c_str());
    EXPECT_EQ(out, defaultUniTextBuffer());
    EXPECT_EQ(std::u16string(out).size(), 511u);
    // The growable form keeps everything.
    EXPECT_EQ(formatUniToString(u"%u!", longText.c_str()).size(), 701u);
}

TEST(FormatUniString, AValueMayComeFromTheBufferBeingWritten) {
    char16_t* shared = formatUniString(nullptr, u"abc");
    EXPECT_EQ(std::u16string(formatUniString(nullptr, u"<%u><%u>", shared, shared)), u"<abc><abc>");
}

TEST(FormatUniResource, FormatsAUiString) {
    EXPECT_EQ(std::u16string(formatUniResource(nullptr, 10226, 5)), u"Preparing to write converted file... [5]");
    const PascalWString file = makePascal(u"Report.docx");
    char16_t buffer[256];
    EXPECT_EQ(std::u16string(formatUniResource(buffer, 10208, file, "Word2007")), u"Report.docx\n(Word2007)");
    EXPECT_EQ(std::u16string(formatUniResource(nullptr, 65000, 1)), u"");  // no such id
}

TEST(FormatString, PrintfConventionsBoundedByTheBuffer) {
    EXPECT_STREQ(formatString(nullptr, "row%03d", 7), "row007");
    EXPECT_EQ(formatString(nullptr, "x"), defaultTextBuffer());

    char small[8];
    EXPECT_STREQ(formatString(small, "%s", "abcdefghijk"), "abcdefg");
    char accents[6];
    EXPECT_STREQ(formatString(accents, "ab%s", "\xC3\xA9\xC3\xA9"), "ab\xC3\xA9");  // no half character
    char* none = nullptr;
    EXPECT_STREQ(formatStringInto(none, 0, "%d", 42), "42");  // null: the default buffer

    const std::string longText(2000, 'z');
    EXPECT_EQ(std::strlen(formatString(nullptr, "%s", longText.c_str())), 511u);
    char large[1500];
    EXPECT_EQ(std::strlen(formatString(large, "%s", longText.c_str())), 1499u);
    EXPECT_EQ(formatToString("%s|%d", longText.c_str(), 3).size(), 2002u);

    // A value may be the buffer being written.
    char* shared = formatString(nullptr, "abc");
    EXPECT_STREQ(formatString(nullptr, "%s-%s", shared, shared), "abc-abc");
}

TEST(FormatResource, UiStringsAsFormats) {
    EXPECT_STREQ(formatResource(nullptr, 10002, 2026, 12, 10, 14, 7, 49), "20261210-140749.log");
    char line[64];
    EXPECT_STREQ(formatResource(line, 10062, "a.docx"), "# No appropriate convertor was found for the file 'a.docx'\n");
    EXPECT_STREQ(formatResource(nullptr, 65000), "");

    std::uint8_t numbered[kPascalTextSize];
    EXPECT_EQ(pascalString(formatPascalResource(numbered, 10425, 3)), " (footnote: 3) ");
    EXPECT_EQ(pascalString(formatPascalResource(nullptr, 10401, 12)), "12. ");
    EXPECT_EQ(formatPascalResource(nullptr, 10401, 1), defaultPascalBuffer());
}

// A length-prefixed result holds its length byte, the text and a 0 byte within the capacity it is told.
TEST(FormatResource, PascalResultsStayInsideTheCapacityTheyAreTold) {
    std::uint8_t small[12];
    std::fill(std::begin(small), std::end(small), 0x5A);
    EXPECT_EQ(formatPascalResourceInto(small, 8, 10425, 3), small);
    EXPECT_EQ(pascalString(small), " (foot");
    EXPECT_EQ(small[7], 0);
    EXPECT_EQ(small[8], 0x5A);
    std::uint8_t untouched[2] = {0x5A, 0x5A};
    formatPascalResourceInto(untouched, 1, 10425, 3);
    EXPECT_EQ(untouched[0], 0x5A);
    std::uint8_t array[6];
    EXPECT_EQ(pascalString(formatPascalResource(array, 10401, 12)), "12. ");
}

}  // namespace
