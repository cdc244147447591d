#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/dumps/MeasureKeywords.h"
#include "model/dumps/ValueText.h"
#include "model/records/section/XPage.h"

namespace {

struct KeywordCase {
    std::int16_t code;
    const char* keyword;
};

TEST(MeasureKeywords, WidthKinds) {
    const KeywordCase cases[] = {{0, "none"}, {1, "auto"}, {2, "percent"}, {3, "twips"},
                                 {4, "?"},    {7, "?"},    {-1, "?"},      {32767, "?"}};
    for (const auto& c : cases) EXPECT_STREQ(widthKindKeyword(c.code), c.keyword) << c.code;
}

TEST(MeasureKeywords, HeightRules) {
    const KeywordCase cases[] = {{0, "auto"}, {1, "exact"}, {2, "at-least"}, {3, "?"}, {-1, "?"}, {-32768, "?"}};
    for (const auto& c : cases) EXPECT_STREQ(heightRuleKeyword(c.code), c.keyword) << c.code;
}

TEST(MeasureKeywords, WidthAndHeightTexts) {
    EXPECT_STREQ(formatWidthSpec(WidthSpec{kWidthPercent, 5000}), "percent:5000");
    EXPECT_STREQ(formatWidthSpec(WidthSpec{7, -12}), "?:-12");
    EXPECT_STREQ(formatWidthSpec(WidthSpec{kWidthTwips, -2147483647 - 1}), "twips:-2147483648");
    EXPECT_STREQ(formatHeightSpec(HeightSpec{kHeightExact, 300}), "exact:300");
    EXPECT_STREQ(formatHeightSpec(HeightSpec{kHeightAtLeast, 0}), "at-least:0");
    // Each formatter keeps its own buffer.
    const char* width = formatWidthSpec(WidthSpec{kWidthAuto, 1});
    const char* height = formatHeightSpec(HeightSpec{kHeightAuto, 2});
    EXPECT_STREQ(width, "auto:1");
    EXPECT_STREQ(height, "auto:2");
}

TEST(ValueText, ColoursAndColumns) {
    EXPECT_STREQ(formatRGBColor(RGBColor{65535, 0, 1}), "65535:0:1");
    XPage page;
    initXPage(&page, 0);
    page.columnWidth[0] = 4320;
    page.columnSpace[0] = 720;
    page.columnWidth[11] = -32768;
    page.columnSpace[11] = 32767;
    EXPECT_STREQ(formatColumns(page),
                 "{4320:720}, {0:0}, {0:0}, {0:0}, {0:0}, {0:0}, {0:0}, {0:0}, {0:0}, {0:0}, {0:0}, "
                 "{-32768:32767}");
}

}  // namespace
