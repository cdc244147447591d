#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/memory/Memory.h"
#include "foundation/text/PascalText.h"
#include "foundation/text/TextBoundary.h"
#include "platform/process/AllocationFailure.h"

namespace {

// A length-prefixed buffer with a guard after it, so that a write past its 256 bytes shows.
struct GuardedPascal {
    std::uint8_t bytes[kPascalTextSize];
    std::uint8_t guard[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};

    std::string text() const { return std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]); }
    bool guardIntact() const {
        for (std::uint8_t b : guard) {
            if (b != 0xEE) return false;
        }
        return true;
    }
};

void setPascal(std::uint8_t* buffer, const std::string& text) {
    buffer[0] = static_cast<std::uint8_t>(text.size());
    std::memcpy(buffer + 1, text.data(), text.size());
}

TEST(PascalText, CopyAndAppendStayWithin254Bytes) {
    GuardedPascal source{};
    setPascal(source.bytes, std::string(255, 's'));  // a length byte of 255 from elsewhere
    GuardedPascal copy{};
    copyPascal(copy.bytes, source.bytes, 0);
    EXPECT_EQ(copy.text(), std::string(254, 's'));
    EXPECT_EQ(copy.bytes[255], 0);
    EXPECT_TRUE(copy.guardIntact());

    copyPascal(copy.bytes, source.bytes, 3);
    EXPECT_EQ(copy.text(), "sss");
    EXPECT_EQ(copy.bytes[4], 0);
    copyPascal(copy.bytes, nullptr, 0);
    EXPECT_EQ(copy.bytes[0], 0);
    EXPECT_EQ(copy.bytes[1], 0);

    // The sum of two lengths no longer wraps to a small length byte.
    GuardedPascal sum{};
    setPascal(sum.bytes, std::string(200, 'a'));
    GuardedPascal more{};
    setPascal(more.bytes, std::string(100, 'b'));
    appendPascal(sum.bytes, more.bytes, 0);
    EXPECT_EQ(sum.text(), std::string(200, 'a') + std::string(54, 'b'));
    EXPECT_TRUE(sum.guardIntact());
    setPascal(sum.bytes, "ab");
    appendPascal(sum.bytes, more.bytes, 2);
    EXPECT_EQ(sum.text(), "abbb");
    appendPascal(sum.bytes, sum.bytes, 0);  // to itself
    EXPECT_EQ(sum.text(), "abbbabbb");
    EXPECT_EQ(sum.bytes[9], 0);
}

TEST(PascalText, ConversionsCutOnACharacterBoundary) {
    std::string accents;
    for (int i = 0; i < 200; ++i) accents += "\xC3\xA9";
    GuardedPascal pascal{};
    textToPascal(pascal.bytes, accents.c_str());
    EXPECT_EQ(pascal.bytes[0], 254);  // 127 whole characters
    EXPECT_TRUE(pascal.guardIntact());
    char text[kPascalTextSize];
    EXPECT_STREQ(pascalToText(text, pascal.bytes), accents.substr(0, 254).c_str());
    EXPECT_EQ(textToPascal(nullptr, "x"), defaultPascalBuffer());
    EXPECT_EQ(pascalToText(nullptr, pascal.bytes), defaultTextBuffer());
}

TEST(PascalText, DeleteAndInsertAreBounded) {
    char text[12] = "abcdef";
    deleteText(text, 1, 2);
    EXPECT_STREQ(text, "adef");
    deleteText(text, 2, 100);
    EXPECT_STREQ(text, "ad");
    deleteText(text, 5, 1);
    deleteText(text, -1, 1);
    EXPECT_STREQ(text, "ad");
    EXPECT_TRUE(insertText(text, sizeof text, "XYZ", 1));
    EXPECT_STREQ(text, "aXYZd");
    EXPECT_TRUE(insertText(text, sizeof text, "!", 99));
    EXPECT_STREQ(text, "aXYZd!");
    EXPECT_FALSE(insertText(text, sizeof text, "123456", 0));  // would need 13 bytes
    EXPECT_STREQ(text, "aXYZd!");
    EXPECT_TRUE(insertText(text, sizeof text, text + 4, 0));   // an insertion taken from the text itself
    EXPECT_STREQ(text, "d!aXYZd!");
}

TEST(PascalText, ReplaceAll) {
    struct Case {
        const char* text;
        const char* find;
        const char* replacement;
        std::int32_t capacity;
        const char* result;
    };
    const Case cases[] = {
        {"%1 and %1", "%1", "x", 64, "x and x"},
        {"%1 and %1", "%1", "xxxx", 9, " and "},   // the replacement never fits: every occurrence only removed
        {"%1 and %1", "%1", "xxxx", 10, " and xxxx"},
        {"%1 and %1", "%1", "xxxx", 12, "xxxx and "},
        {"aabb", "ab", "", 64, ""},                 // searched again from the start after each removal
        {"a", "a", "a", 64, "a"},                   // a replacement holding find is not searched again
        {"ab", "a", "xa", 64, "xab"},
        {"ab", "a", "xa", 3, "b"},
        {"abc", "", "x", 64, "abc"},
        {"", "a", "x", 64, ""},
    };
    for (const auto& c : cases) {
        char buffer[64];
        std::strcpy(buffer, c.text);
        replaceAllText(buffer, c.capacity, c.find, c.replacement);
        EXPECT_STREQ(buffer, c.result) << c.text << " / " << c.find << " / " << c.replacement;
    }
}

TEST(PascalText, EscapeText) {
    char* escaped = escapeText("a b", "\\'");
    ASSERT_NE(escaped, nullptr);
    EXPECT_STREQ(escaped, "a\\'20b");
    freeMemory(escaped);
    EXPECT_EQ(escapeTextString("Az09*+-.@_", "\\'"), "Az09*+-.@_");
    EXPECT_EQ(escapeTextString("/~\x7F\xC3\xA9\n", "%"), "%2f%7e%7f%c3%a9%0a");
    // Any length: the result no longer lives in a 2048-byte work buffer.
    const std::string spaces(3000, ' ');
    escaped = escapeText(spaces.c_str(), "\\'");
    ASSERT_NE(escaped, nullptr);
    EXPECT_EQ(std::strlen(escaped), 12000u);
    freeMemory(escaped);
    {
        const platform::ScopedAllocationFailure failure(1);  // no heap block for the copy
        EXPECT_EQ(escapeText("a b", "\\'"), nullptr);
    }
}

TEST(PascalText, ExtensionAndReverse) {
    char name[] = "report.v2.docx";
    stripExtension(name);
    EXPECT_STREQ(name, "report.v2");
    char plain[] = "README";
    stripExtension(plain);
    EXPECT_STREQ(plain, "README");
    std::uint8_t field[4] = {1, 2, 3, 4};
    reverseText(field, 2);
    EXPECT_EQ(field[0], 2);
    EXPECT_EQ(field[1], 1);
    reverseText(field, 4);
    EXPECT_EQ(field[0], 4);
    EXPECT_EQ(field[3], 2);
    reverseText(field, -1);
    reverseText(nullptr, 3);
}

TEST(TextBoundary, CutsNeverSplitACharacter) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";  // a é € 😀 z
    const std::size_t expected[] = {0, 1, 1, 3, 3, 3, 6, 6, 6, 6, 10, 11, 11};
    for (std::size_t limit = 0; limit < std::size(expected); ++limit) {
        EXPECT_EQ(utf8CutPoint(text, limit), expected[limit]) << limit;
    }
    EXPECT_EQ(utf8CutPoint("\xE9t\xE9", 1), 1u);  // WINDOWS-1252 bytes cut like characters
    EXPECT_EQ(utf16CutPoint(u"a\U0001F600", 2), 1u);
    EXPECT_EQ(utf16CutPoint(u"a\U0001F600", 3), 3u);
    EXPECT_EQ(utf16CutPoint(u"a\xD800z", 2), 2u);  // a lone high surrogate is a unit of its own
}

}  // namespace
