// The number text of a list level: placeholders, escapes, the numbers part and the count in front.
#include <gtest/gtest.h>

#include <string>

#include "export/rtf/head/RTFLevelText.h"

namespace {

struct LevelTextCase {
    const char* what;
    std::u16string units;
    std::int32_t count;
    const char* text;
    const char* numbers;
};

TEST(RTFLevelTextTest, PlaceholdersEscapesAndNumbers) {
    const LevelTextCase cases[] = {
        {"a decimal level", u"%1.", 2, "\\'00.", " \\'01"},
        {"two levels", u"%1.%2)", 4, "\\'00.\\'01)", " \\'01\\'03"},
        {"a bullet", u"\xF0B7", 1, "\\u-3913 ?", ""},
        {"a blank and a non-ASCII letter", u"a \xE9", 3, "a\\u32 ?\\u233 ?", ""},
        {"RTF syntax inside the text", u"{\\;}", 4, "\\u123 ?\\u92 ?\\u59 ?\\u125 ?", ""},
        {"a trailing %", u"%1%", 2, "\\'00%", " \\'01"},
        {"% before a non-digit and before 0", u"%a%0", 4, "%a%0", ""},
        {"no text", u"", 0, "", ""},
    };
    for (const LevelTextCase& c : cases) {
        const RTFLevelText level = buildRTFLevelText(c.units.data(), static_cast<std::int32_t>(c.units.size()));
        EXPECT_EQ(level.count, c.count) << c.what;
        EXPECT_EQ(level.text, c.text) << c.what;
        EXPECT_EQ(level.numbers, c.numbers) << c.what;
    }
}

TEST(RTFLevelTextTest, ALongTextIsKeptWholeUpToWhatItsCountCanSay) {
    // Forty placeholders and forty escaped letters: far beyond 63 bytes, all of it written.
    std::u16string units;
    for (int i = 0; i < 40; ++i) units += u"%1\xE9";
    const RTFLevelText level = buildRTFLevelText(units.data(), static_cast<std::int32_t>(units.size()));
    EXPECT_EQ(level.count, 80);
    EXPECT_EQ(level.text.size(), 40u * std::string("\\'00\\u233 ?").size());
    EXPECT_EQ(level.numbers.substr(level.numbers.size() - 4), "\\'4f");

    const std::u16string tooLong(300, u'x');
    const RTFLevelText cut = buildRTFLevelText(tooLong.data(), static_cast<std::int32_t>(tooLong.size()));
    EXPECT_EQ(cut.count, 255);
    EXPECT_EQ(cut.text, std::string(255, 'x'));
}

}  // namespace
