#include "picture/shapes/ShapeColors.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string colorOf(const char* text, std::int16_t kind) {
    ShapeText properties;
    colorProperty(text, properties, kind);
    return properties.text();
}

}  // namespace

TEST(ShapeColors, ReadsHexNamesAndThemeIndexedTexts) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> number;
    } cases[] = {
        {"#4f81bd", 12419407u},
        {"#4F81BD", 12419407u},
        {"#f80", 0x0088ffu},  // each digit doubled: ff8800 with red in the low byte
        {"#ff0000", 255u},
        {"red [3]", 255u},
        {"black [3213]", 0u},
        {"#010000", 1u},  // a real colour, not a marker for "none"
        {"green", 65280u},
        {"lime", 65280u},
        {"purple", 8388736u},
        {"olive", 32896u},
        {"white", 16777215u},
        {"fill darken(118)", 276169200u},
        // Names are exact and only the table's are known.
        {"Red", std::nullopt},
        {"orange", std::nullopt},
        {"red[3]", std::nullopt},  // the character before '[' goes with it
        {"#12", std::nullopt},
        {"#1234", std::nullopt},
        {"#12345g", std::nullopt},
        {"", std::nullopt},
        // A '[' at the start leaves nothing to read.
        {"[3]", std::nullopt},
        {"[", std::nullopt},
        {"]", std::nullopt},
    };
    for (const auto& color : cases) {
        SCOPED_TRACE(color.text);
        EXPECT_EQ(vmlColorNumber(color.text), color.number);
    }
    EXPECT_EQ(vmlColorNumber(nullptr), std::nullopt);
}

TEST(ShapeColors, KindChoosesTheProperty) {
    EXPECT_EQ(colorOf("#4f81bd", color_kind::kFill), "{\\sp{\\sn fillColor}{\\sv 12419407}}");
    EXPECT_EQ(colorOf("red", color_kind::kLine), "{\\sp{\\sn lineColor}{\\sv 255}}");
    EXPECT_EQ(colorOf("red", color_kind::kShadow), "{\\sp{\\sn shadowColor}{\\sv 255}}");
    EXPECT_EQ(colorOf("red", color_kind::kShadowHighlight), "{\\sp{\\sn shadowHilight}{\\sv 255}}");
    EXPECT_EQ(colorOf("red", color_kind::kFillBack), "{\\sp{\\sn fillBackColor}{\\sv 255}}");
    EXPECT_EQ(colorOf("red", color_kind::kLineBack), "{\\sp{\\sn lineBackColor}{\\sv 255}}");
    EXPECT_EQ(colorOf("red", color_kind::kBareNumber), "255");
    EXPECT_EQ(colorOf("red", 1), "{\\sp{\\sn fillColor}{\\sv 255}}");  // a rectangle's own fill colour
    EXPECT_EQ(colorOf("orange", color_kind::kFill), "");
}

TEST(ShapeColors, ShadeColorsListEachPositionAndColour) {
    const struct {
        const char* colors;
        const char* expected;
    } cases[] = {
        {"0 red;1 blue", "{\\sp{\\sn fillShadeColors}{\\sv 8;2;(255,0);(16711680,65536)}}"},
        {"0 #000;.5 white [7];32768f lime", "{\\sp{\\sn fillShadeColors}{\\sv 8;3;(0,0);(16777215,32768);(65280,32768)}}"},
        {"0 red;;1", "{\\sp{\\sn fillShadeColors}{\\sv 8;1;(255,0)}}"},
        {"0 orange;1 blue", "{\\sp{\\sn fillShadeColors}{\\sv 8;1;(16711680,65536)}}"},
        {"red;blue", ""},
        {"", ""},
    };
    for (const auto& shade : cases) {
        SCOPED_TRACE(shade.colors);
        ShapeText properties;
        shadeColorsProperty(shade.colors, properties);
        EXPECT_STREQ(properties.text(), shade.expected);
    }
}
