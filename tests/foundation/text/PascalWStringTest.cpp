#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "foundation/files/Paths.h"
#include "foundation/text/PascalWString.h"
#include "foundation/text/TextCompare.h"

namespace {

PascalWString P(std::u16string_view text) {
    return makePascal(text);
}

std::u16string textOf(const PascalWString& s) {
    return std::u16string(s.view());
}

TEST(PascalWString, AssignAppendAndTerminate) {
    PascalWString s = P(u"E:");
    appendPString(s, P(u"docs"));
    EXPECT_EQ(textOf(s), u"E:docs");
    EXPECT_EQ(s.units[s.length() + 1], 0);
    appendWString(s, u"/x");
    EXPECT_EQ(textOf(s), u"E:docs/x");
    appendPString(s, s);  // appending to itself
    EXPECT_EQ(textOf(s), u"E:docs/xE:docs/x");

    PascalWString fromUtf8;
    fromUtf8.units[7] = 0x7777;
    assignCString(fromUtf8, "caf\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(textOf(fromUtf8), u"caf\u00e9\U0001F600");
    EXPECT_EQ(fromUtf8.units[7], 0x7777);  // assigning from UTF-8 writes no terminator
    appendCString(fromUtf8, "!");
    EXPECT_EQ(fromUtf8.units[fromUtf8.length() + 1], 0);
}

TEST(PascalWString, EveryBuilderClampsAt254UnitsOnACharacterBoundary) {
    const std::u16string long300(300, u'x');
    PascalWString s = P(long300);
    EXPECT_EQ(s.length(), 254);
    appendWString(s, u"more");
    EXPECT_EQ(s.length(), 254);

    std::u16string pairs;
    for (int i = 0; i < 130; ++i) pairs += u"\U0001F600";  // 260 units
    PascalWString emoji{};
    assignWString(emoji, pairs.c_str());
    EXPECT_EQ(emoji.length(), 254);
    PascalWString odd = P(u"a");
    appendWString(odd, pairs.c_str());
    EXPECT_EQ(odd.length(), 253);  // the pair that would be split is left out whole
    EXPECT_EQ(odd.units[253], 0xDE00);

    PascalWString fromUtf8;
    assignCString(fromUtf8, std::string(600, 'y').c_str());
    EXPECT_EQ(fromUtf8.length(), 254);
}

TEST(PascalWString, ConversionsOut) {
    const PascalWString s = P(u"r\u00e9sum\u00e9 \U0001F600");
    char16_t wide[300] = u"pre:";
    appendPStringToWString(wide, s);
    EXPECT_EQ(std::u16string(wide), u"pre:r\u00e9sum\u00e9 \U0001F600");
    EXPECT_STREQ(pstringToCStringTemp(s), "r\xC3\xA9sum\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(pstringToUtf8(s), "r\xC3\xA9sum\xC3\xA9 \xF0\x9F\x98\x80");

    // The 256-byte form keeps as many whole characters as fit in 255 bytes; the unbounded form keeps
    // everything.
    const PascalWString wideText = P(std::u16string(200, u'\u00e9'));
    const std::string bounded = pstringToCStringTemp(wideText);
    EXPECT_EQ(bounded.size(), 254u);
    EXPECT_EQ(pstringToUtf8(wideText).size(), 400u);
}

// A string that arrives with its length unit unchecked (from a record, a file or a caller that wrote the
// units itself) is read as at most the capacity, never past the end of its units.
TEST(PascalWString, ALengthUnitBeyondTheCapacityIsReadAsTheCapacity) {
    PascalWString s = P(std::u16string(254, u'z'));
    s.units[255] = u'z';
    for (const char16_t claimed : {char16_t{255}, char16_t{0xFFFF}}) {
        s.units[0] = claimed;
        EXPECT_EQ(s.length(), 254) << int(claimed);
        EXPECT_EQ(s.view().size(), 254u);
        char16_t wide[260];
        std::fill(std::begin(wide), std::end(wide), u'#');
        pstringToWString(wide, s);
        EXPECT_EQ(std::u16string(wide), std::u16string(254, u'z'));
        EXPECT_EQ(wide[255], u'#');
        EXPECT_EQ(pstringToUtf8(s).size(), 254u);
        EXPECT_EQ(lastIndexOfUnit(s, u'z'), 253);
    }
}

TEST(PascalWString, Utf8OutputsStayInsideTheCapacityTheyAreTold) {
    const PascalWString s = P(u"caf\u00e9 au lait");
    char small[5];
    std::fill(std::begin(small), std::end(small), '#');
    EXPECT_EQ(pstringToCString(small, sizeof small, s), small);
    EXPECT_STREQ(small, "caf");  // the two bytes of the accented letter do not both fit
    char exact[7];
    EXPECT_STREQ(pstringToCString(exact, sizeof exact, s), "caf\xC3\xA9 ");
    char large[64];
    EXPECT_STREQ(uniPascalToUtf8(s, large, sizeof large), "caf\xC3\xA9 au lait");
    char none[1] = {'#'};
    EXPECT_STREQ(pstringToCString(none, sizeof none, s), "");
}

TEST(PascalWString, SearchDeleteAndExtension) {
    EXPECT_EQ(lastIndexOfUnit(P(u"a.b.c"), u'.'), 3);
    EXPECT_EQ(lastIndexOfUnit(P(u"abc"), u'.'), -1);
    PascalWString s = P(u"E:/x");
    deleteUnits(s, 0, 3);
    EXPECT_EQ(textOf(s), u"x");
    deleteUnits(s, 5, 1);  // beyond the text: nothing
    EXPECT_EQ(textOf(s), u"x");

    const std::pair<std::u16string, std::u16string> extensions[] = {
        {u"report.final.docx", u"report.final"}, {u"README", u"README"}, {u".profile", u""}};
    for (const auto& [given, expected] : extensions) {
        PascalWString name = P(given);
        stripPStringExtension(name);
        EXPECT_EQ(textOf(name), expected);
    }
}

struct SplitCase {
    std::u16string path;
    std::int16_t ignoreTrailing;
    std::u16string folder;
    std::u16string name;
};

TEST(Paths, SplitAndJoin) {
    const SplitCase cases[] = {
        {u"/docs/a.docx", 0, u"/docs/", u"a.docx"},  {u"/docs/a.docx", 1, u"/docs/", u"a.docx"},
        {u"/docs/sub/", 1, u"/docs/", u"sub"},        {u"/docs/sub/", 0, u"/docs/sub/", u""},
        {u"a.docx", 0, u"a.docx/", u""},              {u"/", 0, u"/", u""},
    };
    for (const auto& c : cases) {
        PascalWString name;
        PascalWString folder;
        splitWStringPath(c.path.c_str(), name, folder, c.ignoreTrailing);
        EXPECT_EQ(textOf(folder), c.folder) << std::string(c.path.begin(), c.path.end());
        EXPECT_EQ(textOf(name), c.name);
        if (c.path.find(u'/') != std::u16string::npos && c.ignoreTrailing == 0) {
            PascalWString joined;
            EXPECT_EQ(joinPath(name, folder, joined), 0);
            EXPECT_EQ(textOf(joined), c.path);
        }
    }
}

TEST(Paths, SeparatorsAndRefusals) {
    PascalWString folder = P(u"/docs");
    EXPECT_EQ(appendSeparator(folder), 0);
    EXPECT_EQ(textOf(folder), u"/docs/");
    EXPECT_EQ(appendSeparator(folder), 0);
    EXPECT_EQ(textOf(folder), u"/docs/");
    PascalWString empty{};
    appendSeparator(empty);
    EXPECT_EQ(textOf(empty), u"/");
    PascalWString doubled = P(u"/docs//");
    stripSeparator(doubled);
    EXPECT_EQ(textOf(doubled), u"/docs/");
    PascalWString none{};
    stripSeparator(none);
    EXPECT_EQ(none.length(), 0);

    PascalWString full = P(std::u16string(254, u'd'));
    EXPECT_EQ(appendSeparator(full), 206);
    EXPECT_EQ(full.length(), 254);
    PascalWString out;
    EXPECT_EQ(joinPath(P(std::u16string(100, u'n')), P(u"/" + std::u16string(200, u'f') + u"/"), out), 206);
    EXPECT_EQ(out.length(), 0);
}

struct CompareCase {
    std::u16string a;
    std::u16string b;
    std::int16_t caseSensitive;
    std::int16_t expected;
};

TEST(TextCompare, IgnoresCaseAcrossScripts) {
    const CompareCase cases[] = {
        {u"a.docx", u"A.DOCX", 0, 0},   {u"a.docx", u"A.DOCX", 1, 1},     {u"\u00c9t\u00e9", u"\u00e9T\u00c9", 0, 0},
        {u"\u0391\u03b2", u"\u03b1\u0392", 0, 0}, {u"ab", u"abc", 0, -1}, {u"abc", u"ab", 0, 1},
        {u"a", u"b", 0, -1},            {u"", u"", 0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(compareUniText(P(c.a), P(c.b), c.caseSensitive), c.expected);
}

}  // namespace
