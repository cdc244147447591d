#include <gtest/gtest.h>

#include "foundation/text/Wildcard.h"

namespace {

struct Case {
    const char* pattern;
    const char* text;
    std::int16_t result;
};

TEST(Wildcard, TableOfCases) {
    const Case cases[] = {
        {"*", "", kWildMatch},
        {"*", "anything at all", kWildMatch},
        {"", "", kWildMatch},
        {"", "a", kWildTextLeft},
        {"*.docx", "report.docx", kWildMatch},
        {"*.docx", "report.DOCX", kWildTextEnded},  // exact case
        {"*.docx", "a.docx.docx", kWildMatch},
        {"[a-c]x", "bx", kWildMatch},
        {"[c-a]x", "bx", kWildMatch},  // a falling range means the rising one
        {"[!a-c]x", "bx", kWildSetFailed},
        {"[^a-c]x", "dx", kWildMatch},
        {"[abc]x", "dx", kWildSetFailed},
        {"[a\\]]", "]", kWildMatch},
        {"[\\!]", "!", kWildMatch},
        {"[a-\\z]", "m", kWildMatch},
        {"\\*", "*", kWildMatch},
        {"\\*", "a", kWildCharFailed},
        {"a?c", "abc", kWildMatch},
        {"a?c", "ac", kWildTextEnded},
        {"abc", "abcd", kWildTextLeft},
        {"abc", "abd", kWildCharFailed},
        {"a*", "a", kWildMatch},
        {"*?", "", kWildTextEnded},
        {"*??c", "abc", kWildMatch},
        {"*\\*", "a*", kWildMatch},
        {"*[0-9]", "file7", kWildMatch},
        {"*[0-9]", "file", kWildTextEnded},
        {"~$*", "~$doc.docx", kWildMatch},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchWildcard(c.pattern, c.text), c.result) << "'" << c.pattern << "' against '" << c.text << "'";
    }
}

TEST(Wildcard, TrailingStarsMatchTheEndOfTheText) {
    // Each '*' may take the empty run, so any number of them still matches where the text has ended;
    // anything else left in the pattern does not.
    const Case cases[] = {
        {"**", "", kWildMatch},          {"***", "", kWildMatch},         {"a**", "a", kWildMatch},
        {"a***", "a", kWildMatch},       {"*a**", "a", kWildMatch},       {"**a**", "xa", kWildMatch},
        {"a**", "ab", kWildMatch},       {"**", "abc", kWildMatch},       {"a**b", "a", kWildTextEnded},
        {"a**?", "a", kWildTextEnded},   {"a*?*", "a", kWildTextEnded},   {"**?", "", kWildTextEnded},
        {"a**\\*", "a", kWildTextEnded}, {"a**[b]", "a", kWildTextEnded}, {"b**", "a", kWildCharFailed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchWildcard(c.pattern, c.text), c.result) << "'" << c.pattern << "' against '" << c.text << "'";
        if (c.pattern[0] == '*') {
            EXPECT_EQ(matchWildcardStar(c.pattern, c.text), c.result) << "star: '" << c.pattern << "'";
        }
    }
}

TEST(Wildcard, MalformedPatternsAreCaughtAtEveryBound) {
    const Case cases[] = {
        {"[]", "a", kWildBadPattern},        {"[!]", "a", kWildBadPattern},   {"[^]", "a", kWildBadPattern},
        {"[a-]", "a", kWildBadPattern},      {"[a-", "a", kWildBadPattern},   {"[a", "b", kWildBadPattern},
        {"[", "a", kWildBadPattern},         {"[\\", "a", kWildBadPattern},   {"[a-\\", "b", kWildBadPattern},
        {"[ab", "a", kWildBadPattern},       {"[a\\", "a", kWildBadPattern},  // matched, but the set never closes
        {"abc\\", "abcd", kWildBadPattern},  {"*\\", "abc", kWildBadPattern}, {"x*[a", "xyz", kWildBadPattern},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchWildcard(c.pattern, c.text), c.result) << "'" << c.pattern << "' against '" << c.text << "'";
    }
    EXPECT_EQ(matchWildcard(nullptr, "a"), kWildBadPattern);
    EXPECT_EQ(matchWildcard("*", nullptr), kWildMatch);  // a null text is the empty text
    EXPECT_EQ(matchWildcardStar(nullptr, "a"), kWildBadPattern);
}

TEST(Wildcard, BytesCompareAsSignedCharacters) {
    // UTF-8 bytes lie below every ASCII character as signed values, so an ASCII range never takes them.
    EXPECT_EQ(matchWildcard("[a-z]", "\xC3"), kWildSetFailed);
    EXPECT_EQ(matchWildcard("[\x80-a]", "\xC3"), kWildMatch);
    EXPECT_EQ(matchWildcard("caf?\xA9", "caf\xC3\xA9"), kWildMatch);  // '?' takes one byte
}

}  // namespace
