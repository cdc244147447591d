#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/rtf/text/CRTFUnicode.h"

namespace {

constexpr std::int32_t kWindowsLatin1 = 0x500;  // WINDOWS-1252
constexpr std::int32_t kShiftJis = 0x1;

// Escapes the units in one text write (the fallback state starts at 1, as in the emitter).
std::string escape(std::int32_t textEncoding, const std::u16string& units) {
    CRTFUnicode converter(textEncoding);
    std::int16_t state = 1;
    std::string out;
    char bytes[CRTFUnicode::kRoom];
    for (char16_t unit : units) {
        const std::int16_t n = converter.escapeUnit(unit, bytes, CRTFUnicode::kRoom, state);
        out.append(bytes, static_cast<std::size_t>(n));
    }
    return out;
}

struct EscapeCase {
    const char* what;
    std::int32_t encoding;
    std::u16string units;
    std::string expected;
};

TEST(RTFTextEscapingTest, EveryUnitClassHasItsForm) {
    const std::vector<EscapeCase> cases = {
        {"ASCII letter", kWindowsLatin1, u"A", "A"},
        {"DEL is a byte like ASCII", kWindowsLatin1, u"\x7f", "\x7f"},
        {"tab", kWindowsLatin1, u"\t", "\\tab "},
        {"backslash", kWindowsLatin1, u"\\", "\\\\"},
        {"braces", kWindowsLatin1, u"{}", "\\{\\}"},
        {"named quotes and dashes", kWindowsLatin1, u"\u2018\u2019\u201c\u201d\u2022\u2013\u2014",
         "\\lquote \\rquote \\ldblquote \\rdblquote \\bullet \\endash \\emdash "},
        {"no-break space", kWindowsLatin1, u"\u00a0", "\\~"},
        {"code page letter", kWindowsLatin1, u"\u00e9", "\\u233\\'e9"},
        {"control unit", kWindowsLatin1, u"\x0b", "\\u11\\'0b"},
        {"outside the code page", kWindowsLatin1, u"\u4e2d", "\\u20013\\'5f"},
        {"value above 32767 unsigned", kWindowsLatin1, u"\uffe5", "\\u65509\\'5f"},
        {"symbol font character", kWindowsLatin1, u"\uf041", "\\'41"},
        {"em space", kWindowsLatin1, u"\u2003", "\\u8195\\'5f"},
        {"thin space", kWindowsLatin1, u"\u2009", "\\'20"},
        {"surrogate pair, each half escaped", kWindowsLatin1, u"\U0001F600", "\\u55357\\'5f\\u56832\\'5f"},
        {"two-byte character announces its fallback once", kShiftJis, u"\u3042\u3042",
         "\\uc0002\\u12354\\'82\\'a0\\u12354\\'82\\'a0"},
        {"back to one fallback byte", kShiftJis, u"\u3042\u00e9", "\\uc0002\\u12354\\'82\\'a0\\uc0001\\u233\\'5f"},
        {"a named space counts as a one-byte escape", kShiftJis, u"\u3042\u2002",
         "\\uc0002\\u12354\\'82\\'a0\\uc0001\\u8194\\'5f"},
    };
    for (const EscapeCase& c : cases) EXPECT_EQ(escape(c.encoding, c.units), c.expected) << c.what;
}

// One converter serves many text writes and learns the plain units on the way: what a unit becomes
// may not depend on what was escaped before it, nor on the fallback state it was first met in.
TEST(RTFTextEscapingTest, AConverterKeptAcrossWritesEscapesAlike) {
    const struct {
        std::int32_t encoding;
        std::u16string units;
        std::string expected;
    } writes[] = {
        {kShiftJis, u"a\u3042a\u00e9a", "a\\uc0002\\u12354\\'82\\'a0a\\uc0001\\u233\\'5fa"},
        {kShiftJis, u"\u3042a{a}", "\\uc0002\\u12354\\'82\\'a0a\\{a\\}"},
        {kWindowsLatin1, u"a{\\}\t\u00e9a", "a\\{\\\\\\}\\tab \\u233\\'e9a"},
    };
    for (const auto& write : writes) {
        CRTFUnicode kept(write.encoding);
        for (int round = 0; round < 2; ++round) {
            std::int16_t state = 1;
            std::string out;
            char bytes[CRTFUnicode::kRoom];
            for (char16_t unit : write.units) {
                const std::int16_t n = kept.escapeUnit(unit, bytes, CRTFUnicode::kRoom, state);
                out.append(bytes, static_cast<std::size_t>(n));
            }
            EXPECT_EQ(out, write.expected) << "round " << round;
        }
    }
}

TEST(RTFTextEscapingTest, OutputThatDoesNotFitTheRoomIsNotWritten) {
    char out[8] = "xxxxxxx";
    EXPECT_EQ(CRTFUnicode::unicodeEscape(u'\u4e2d', out, 6, 0), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(CRTFUnicode::hexByte(0xAB, out, 4), 1);  // no room for the escape: the byte itself
    EXPECT_EQ(static_cast<unsigned char>(out[0]), 0xAB);
}

}  // namespace
