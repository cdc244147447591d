#include <gtest/gtest.h>

#include <string>

#include "foundation/text/DefaultTextBuffers.h"
#include "foundation/text/UniText.h"

namespace {

TEST(UniText, CopyAndAppendAreBoundedByTheCapacity) {
    EXPECT_EQ(uniStrLen(u"abc"), 3);
    EXPECT_EQ(uniStrLen(nullptr), 0);
    char16_t buffer[6];
    EXPECT_EQ(std::u16string(uniStrCopy(buffer, 6, u"abcdefgh")), u"abcde");
    EXPECT_EQ(std::u16string(uniStrCopy(buffer, 6, u"ab")), u"ab");
    EXPECT_EQ(std::u16string(uniStrCat(buffer, 6, u"cdefg")), u"abcde");
    EXPECT_EQ(std::u16string(uniStrCopy(buffer, 6, u"abcd\U0001F600")), u"abcd");  // no half pair
    EXPECT_EQ(std::u16string(textToUniWiden(buffer, 6, "a\xE9")), u"a\u00e9");
    EXPECT_EQ(std::u16string(uniStrCatText(buffer, 6, "xyzw")), u"a\u00e9xyz");
    char16_t self[16] = u"ab";
    EXPECT_EQ(std::u16string(uniStrCat(self, 16, self)), u"abab");

    char16_t field[4] = {u'q', u'q', u'q', u'q'};
    uniStrCopyMax(field, u"a", 4);
    EXPECT_EQ(field[0], u'a');
    EXPECT_EQ(field[1], 0);
    EXPECT_EQ(field[3], 0);
    uniStrCopyMax(field, u"abcdef", 4);  // the fixed-field form: no terminator when the source is longer
    EXPECT_EQ(std::u16string(field, 4), u"abcd");
}

TEST(UniText, Searches) {
    const char16_t* text = u"a.b.c";
    EXPECT_EQ(uniStrChr(text, u'.'), text + 1);
    EXPECT_EQ(uniStrRChr(text, u'.'), text + 3);
    EXPECT_EQ(uniStrChr(text, 0), text + 5);
    EXPECT_EQ(uniStrRChr(text, 0), text + 5);
    EXPECT_EQ(uniStrChr(text, u'x'), nullptr);
    EXPECT_EQ(uniStrChr(static_cast<const char16_t*>(nullptr), u'x'), nullptr);
    EXPECT_EQ(uniStrFind(text, u"b.c"), text + 2);
    EXPECT_EQ(uniStrFind(text, u""), text);
    EXPECT_EQ(uniStrFind(text, u"B"), nullptr);
}

TEST(UniText, EditsAreBounded) {
    char16_t name[32] = u"Tea 2007.docx";
    uniStripExtension(name);
    EXPECT_EQ(std::u16string(name), u"Tea 2007");
    uniDelete(name, 3, 100);
    EXPECT_EQ(std::u16string(name), u"Tea");
    EXPECT_TRUE(uniInsert(name, 32, u"-x", 1));
    EXPECT_EQ(std::u16string(name), u"T-xea");
    char16_t tight[6] = u"abc";
    EXPECT_FALSE(uniInsert(tight, 6, u"xyz", 0));
    EXPECT_EQ(std::u16string(tight), u"abc");

    char16_t text[32] = u"%1 and %1";
    uniReplaceAll(text, 32, u"%1", u"x");
    EXPECT_EQ(std::u16string(text), u"x and x");
    char16_t bounded[32] = u"%1 and %1";
    uniReplaceAll(bounded, 9, u"%1", u"xxxx");
    EXPECT_EQ(std::u16string(bounded), u" and ");
}

TEST(UniText, Utf8ConversionsKeepWithinTheirCapacity) {
    char16_t wide[4];
    EXPECT_EQ(std::u16string(utf8ToUni("caf\xC3\xA9!", wide, 8)), u"caf");  // 8 bytes: three units and the 0
    EXPECT_EQ(std::u16string(utf8ToUni("a\xF0\x9F\x98\x80", wide, 8)), u"a\U0001F600");
    EXPECT_EQ(std::u16string(utf8ToUni("ab\xF0\x9F\x98\x80", wide, 8)), u"ab");  // no half pair
    EXPECT_EQ(std::u16string(utf8ToUni("\xC3(", wide, 8)), u"\uFFFD(");
    const std::string longText(2000, 'k');
    EXPECT_EQ(std::u16string(utf8ToUni(longText.c_str(), nullptr, 30000)).size(), 511u);
    EXPECT_EQ(utf8ToUni("x", nullptr, 100), defaultUniTextBuffer());

    char narrow[12];
    EXPECT_STREQ(uniToUtf8(u"caf\u00e9", narrow, sizeof narrow), "caf\xC3\xA9");
    EXPECT_STREQ(uniToUtf8(u"\u20ac\u20ac\u20ac", narrow, 9), "\xE2\x82\xAC\xE2\x82\xAC");  // whole characters
    const std::u16string longWide(2000, u'k');
    EXPECT_LT(std::string(uniToUtf8(longWide.c_str(), nullptr, 30000)).size(), 512u);
    EXPECT_STREQ(uniToUtf8(nullptr, narrow, sizeof narrow), "");
}

}  // namespace
