#include <gtest/gtest.h>

#include <string>

#include "foundation/encoding/CharsetText.h"

namespace {

TEST(CharsetText, Windows1252ToAndFromUtf16) {
    PascalWString s;
    textToUniPascal(s, "caf\xE9 \x80 \x93quoted\x94");
    EXPECT_EQ(std::u16string(s.view()), u"caf\u00e9 \u20ac \u201cquoted\u201d");
    EXPECT_STREQ(uniPascalToText(s, nullptr), "caf\xE9 \x80 \x93quoted\x94");
}

TEST(CharsetText, UnconvertibleCharactersAreLeftOutNotTheWholeText) {
    const PascalWString greek = makePascal(u"a\u03b1b\u4e2dc");
    char buffer[256];
    EXPECT_STREQ(uniPascalToText(greek, buffer), "abc");
}

TEST(CharsetText, LongTextsAreCutToTheirBuffers) {
    PascalWString s;
    textToUniPascal(s, std::string(300, '\xE9').c_str());
    EXPECT_EQ(s.length(), 254);
    EXPECT_EQ(s.units[254], 0x00E9);

    const PascalWString wide = makePascal(std::u16string(254, u'x'));
    char buffer[256];
    EXPECT_EQ(std::string(uniPascalToText(wide, buffer)).size(), 254u);
}

TEST(CharsetText, ConvertCharsetBetweenAnyTwo) {
    const char greek[] = "\xE1\xE2";  // alpha, beta in WINDOWS-1253
    char out[16] = {};
    EXPECT_EQ(convertCharset("MacGreek", "WINDOWS-1253", greek, 2, out, sizeof out), 2);
    char16_t units[4] = {};
    EXPECT_EQ(convertCharset("UTF-16LE", "MacGreek", out, 2, units, sizeof units), 4);
    EXPECT_EQ(std::u16string(units, 2), u"\u03b1\u03b2");
    EXPECT_EQ(convertCharset("UTF-16LE", "NO-SUCH-CHARSET", greek, 2, units, sizeof units), 0);
}

}  // namespace
