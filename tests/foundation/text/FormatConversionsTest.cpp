#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/text/FormatConversions.h"

namespace {

std::vector<std::string> textsOf(std::string_view format) {
    std::vector<std::string> texts;
    for (const auto& conversion : formatConversionsOf(format)) texts.push_back(conversion.text);
    return texts;
}

TEST(FormatConversions, EachConversionIsReadWhole) {
    struct Case {
        const char* format;
        std::vector<std::string> conversions;
    };
    const Case cases[] = {
        {"no conversion", {}},
        {"100%% sure", {}},
        {"%d of %s", {"%d", "%s"}},
        {"%04d-%02d", {"%04d", "%02d"}},
        {"%-+ #0'8.3lf", {"%-+ #0'8.3lf"}},
        {"%1$s and %2$d", {"%1$s", "%2$d"}},
        {"%*d %.*s %*3$d", {"%*d", "%.*s", "%*3$d"}},
        {"%lld %hhu %zu %Lf", {"%lld", "%hhu", "%zu", "%Lf"}},
        {"0%", {"%"}},               // a '%' that ends the text
        {"50% off", {"% o"}},        // printf reads a flag and a conversion here
        {"%1$", {"%1$"}},            // cut off after its position
        {"%5", {"%5"}},
        {"%.", {"%."}},
        {"%%%d%%", {"%d"}},
        {"%!", {"%"}},               // no letter: the conversion ends at the '%'
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textsOf(c.format), c.conversions) << c.format;
    }
}

TEST(FormatConversions, ConversionsDifferInPositionFlagsAndWidths) {
    // A translated text must keep the English conversions exactly; any of these would read another
    // value or format it otherwise.
    const char* const pairs[][2] = {
        {"%s", "%1$s"}, {"%", "%1$s"},  {"%d", "%-d"},    {"%04d", "%4d"},
        {"%d", "%ld"},  {"%*d", "%d"},  {"%.2f", "%.3f"}, {"%d %s", "%s %d"},
    };
    for (const auto& pair : pairs) {
        EXPECT_NE(formatConversionsOf(pair[0]), formatConversionsOf(pair[1])) << pair[0] << " / " << pair[1];
    }
    EXPECT_EQ(formatConversionsOf("Sheet %d of %d (%s)"), formatConversionsOf("Feuille %d sur %d (%s)"));
}

TEST(FormatConversions, WidthsAndPrecisionsAreBounded) {
    const std::string largest = std::to_string(kLargestConversionWidth);
    const std::string above = std::to_string(kLargestConversionWidth + 1);
    struct Case {
        std::string format;
        bool fits;
    };
    const Case cases[] = {
        {"%" + largest + "d", true},
        {"%." + largest + "d", true},
        {"%*.*d", true},  // given by values: the code that passes them answers for them
        {"%" + above + "d", false},
        {"%." + above + "s", false},
        {"%999999999d", false},
        {"%1$99999999999999999999999999d", false},  // more digits than 64 bits hold
        {"%d %d %0" + above + "x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(conversionWidthsFit(formatConversionsOf(c.format)), c.fits) << c.format;
    }
    const auto huge = formatConversionsOf("%99999999999999999999999999.99999999999999999999999d");
    ASSERT_EQ(huge.size(), 1u);
    EXPECT_EQ(huge[0].width, kLargestConversionWidth + 1);
    EXPECT_EQ(huge[0].precision, kLargestConversionWidth + 1);
}

}  // namespace
