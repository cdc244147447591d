#include <gtest/gtest.h>

#include "foundation/text/PascalWString.h"
#include "foundation/text/TextCompare.h"

namespace {

TEST(CompareText, IgnoresCaseByCodePointUnlessAskedNotTo) {
    struct Case {
        const char* first;
        const char* second;
        std::int16_t caseSensitive;
        std::int16_t result;
    };
    const Case cases[] = {
        {"rId1", "RID1", 0, 0},
        {"rId1", "RID1", 1, 1},
        {"abc", "abd", 0, -1},
        {"abc", "ab", 0, 1},
        {"", "", 0, 0},
        {"\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", 0, 0},  // É/é fold alike
        {"\xC3\x89", "\xC3\xA9", 1, -1},
        {"Stra\xC3\x9F" "e", "STRASSE", 0, 1},  // simple folding: ß stays one character
        {"\xFF", "\xEF\xBF\xBD", 0, 0},         // a malformed byte compares as U+FFFD
        {"a\xE2\x82", "a", 0, 1},               // a cut-off sequence still counts
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compareText(c.first, c.second, c.caseSensitive), c.result) << c.first << " / " << c.second;
    }
    EXPECT_EQ(compareText(nullptr, "a", 0), -1);
    EXPECT_EQ(compareText("a", nullptr, 0), -1);
}

TEST(CompareUniPascal, SkipsTheFirstUnitAndComparesExactly) {
    EXPECT_EQ(compareUniPascal(u"Open", u"open"), 0);  // the DDE command check relies on this
    EXPECT_EQ(compareUniPascal(u"xab", u"xabc"), -1);
    EXPECT_EQ(compareUniPascal(u"xabc", u"xab"), 1);
    EXPECT_EQ(compareUniPascal(u"xaB", u"xab"), -1);
    EXPECT_EQ(compareUniPascal(u"x\uFFFF", u"x\u0001"), 1);  // units compare unsigned
    // An empty NUL-terminated text ends at its first unit: nothing beyond it is read.
    EXPECT_EQ(compareUniPascal(u"", u""), 0);
    EXPECT_EQ(compareUniPascal(u"", u"xa"), -1);
    EXPECT_EQ(compareUniPascal(nullptr, u"xa"), -1);

    const PascalWString open = makePascal(u"Open");
    const PascalWString openLower = makePascal(u"open");
    EXPECT_EQ(compareUniPascal(open.units, makePascal(u"Open").units), 0);
    EXPECT_EQ(compareUniPascal(open, openLower), -1);
    PascalWString damaged = makePascal(u"ab");
    damaged.units[0] = 0xFFFF;  // a length unit beyond the string is read as the string's size
    EXPECT_NE(compareUniPascal(damaged, open), 0);
    EXPECT_NE(compareUniText(damaged, open, 0), 0);
}

}  // namespace
