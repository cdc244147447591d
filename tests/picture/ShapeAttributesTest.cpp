#include "picture/shapes/ShapeAttributes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "foundation/memory/Memory.h"

namespace {

using Translator = std::function<void(const char*, ShapeText&)>;

struct AttributeCase {
    const char* translator;
    Translator translate;
    const char* value;
    const char* expected;
};

std::string written(const Translator& translate, const char* value) {
    ShapeText properties;
    translate(value, properties);
    return properties.text();
}

std::string textBoxOf(const char* style) {
    ShapeText properties;
    char* nextBox = nullptr;
    textBoxStyleProperties(style, properties, nextBox);
    freeMemory(nextBox);
    return properties.text();
}

}  // namespace

TEST(ShapeAttributes, TextBoxStyles) {
    const struct {
        const char* style;
        const char* expected;
    } cases[] = {
        {"v-text-anchor:middle-center", "{\\sp{\\sn anchorText}{\\sv 4}}"},
        {"v-text-anchor:middle", "{\\sp{\\sn anchorText}{\\sv 1}}"},
        {"v-text-anchor:top-center-baseline", "{\\sp{\\sn anchorText}{\\sv 3}}"},
        {"v-text-anchor:bottom-center-baseline", "{\\sp{\\sn anchorText}{\\sv 6}}"},
        {"v-text-anchor:bottom-center", "{\\sp{\\sn anchorText}{\\sv 5}}"},
        {"v-text-anchor:bottom", "{\\sp{\\sn anchorText}{\\sv 2}}"},
        {"v-text-anchor:top", "{\\sp{\\sn anchorText}{\\sv 0}}"},
        {"v-text-anchor:baseline", ""},
        {"layout-flow:vertical", "{\\sp{\\sn txflTextFlow}{\\sv 1}}"},
        {"layout-flow:vertical;mso-layout-flow-alt:bottom-to-top", "{\\sp{\\sn txflTextFlow}{\\sv 2}}"},
        {"layout-flow:vertical-ideographic", "{\\sp{\\sn txflTextFlow}{\\sv 3}}"},
        {"layout-flow:horizontal-ideographic", "{\\sp{\\sn txflTextFlow}{\\sv 0}}"},
        {"layout-flow:horizontal", "{\\sp{\\sn txflTextFlow}{\\sv 4}}"},
        {"padding-left:1pt;padding-bottom:2pt", "{\\sp{\\sn dxTextLeft}{\\sv 12700}}{\\sp{\\sn dyTextBottom}{\\sv 25400}}"},
        {"mso-fit-shape-to-text:t;v-text-wrapping:t",
         "{\\sp{\\sn WrapText}{\\sv 1}}{\\sp{\\sn fFitShapeToText}{\\sv 1}}"},
        {"mso-fit-shape-to-text:f", ""},
    };
    for (const auto& style : cases) {
        SCOPED_TRACE(style.style);
        EXPECT_EQ(textBoxOf(style.style), style.expected);
    }
}

TEST(ShapeAttributes, NextLinkedTextBoxIsHandedToTheCaller) {
    ShapeText properties;
    char* nextBox = duplicateCString("earlier");
    textBoxStyleProperties("mso-next-textbox:#_x0000_s1027;v-text-anchor:top", properties, nextBox);
    ASSERT_NE(nextBox, nullptr);
    EXPECT_STREQ(nextBox, "_x0000_s1027");
    EXPECT_STREQ(properties.text(), "{\\sp{\\sn anchorText}{\\sv 0}}{\\sp{\\sn hspNext}{\\sv 1027}}");
    freeMemory(nextBox);
}

TEST(ShapeAttributes, InsetsNeedTheirCommas) {
    const AttributeCase cases[] = {
        {"inset", textInsetProperties, "1pt,2pt,3pt,4pt",
         "{\\sp{\\sn dxTextLeft}{\\sv 12700}}{\\sp{\\sn dyTextTop}{\\sv 25400}}{\\sp{\\sn dxTextRight}{\\sv 38100}}"
         "{\\sp{\\sn dyTextBottom}{\\sv 50800}}"},
        {"inset", textInsetProperties, ",2pt,,0", "{\\sp{\\sn dyTextTop}{\\sv 25400}}"},
        {"inset", textInsetProperties, "1pt,2pt", "{\\sp{\\sn dxTextLeft}{\\sv 12700}}"},
        {"inset", textInsetProperties, "1pt", ""},
    };
    for (const AttributeCase& row : cases) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(written(row.translate, row.value), row.expected);
    }
}

TEST(ShapeAttributes, WordArtStyles) {
    const struct {
        const char* style;
        std::int16_t flagged;
        const char* expected;
    } cases[] = {
        {"font-size:36pt", 0, "{\\sp{\\sn gtextSize}{\\sv 2359296}}"},
        {"text-decoration:underline", 0, "{\\sp{\\sn gtextFUnderline}{\\sv 1}}"},
        {"text-decoration:line-through", 1, "{\\sp{\\sn gtextFStrikethrough}{\\sv 1}}"},
        {"font-family:\"Arial Black\";font-weight:bold;font-style:italic", 1,
         "{\\sp{\\sn gtextFont}{\\sv Arial Black}}{\\sp{\\sn gtextFItalic}{\\sv 1}}{\\sp{\\sn gtextFBold}{\\sv 1}}"},
        {"font-family:&quot;Impact&quot;;v-text-kern:t", 1,
         "{\\sp{\\sn gtextFont}{\\sv Impact}}{\\sp{\\sn gtextFKern}{\\sv 1}}"},
        {"font-family:;font-variant:small-caps", 1, "{\\sp{\\sn gtextFSmallcaps}{\\sv 1}}"},
        {"v-text-kern:f;v-rotate-letters:f", 0, "{\\sp{\\sn gtextFKern}{\\sv 0}}{\\sp{\\sn gtextFVertical}{\\sv 0}}"},
        {"v-rotate-letters:t", 1, "{\\sp{\\sn gtextFVertical}{\\sv 1}}"},
        {"text-align:left", 0, "{\\sp{\\sn gtextAlign}{\\sv 2}}"},
        {"text-align:justify;v-text-align-alt:stretch-justify", 0, "{\\sp{\\sn gtextAlign}{\\sv 5}}"},
        {"text-align:right;v-text-spacing:1.5", 0, "{\\sp{\\sn gtextAlign}{\\sv 3}}{\\sp{\\sn gtextSpacing}{\\sv 98304}}"},
        {"", 0, ""},
    };
    for (const auto& style : cases) {
        SCOPED_TRACE(style.style);
        ShapeText properties;
        EXPECT_EQ(wordArtStyleProperties(style.style, properties), style.flagged);
        EXPECT_STREQ(properties.text(), style.expected);
    }
}

TEST(ShapeAttributes, WordArtFontIsCutAtACharacterBoundary) {
    // 254 bytes of 'a' and then a two-byte character: 255 bytes would split it, so it goes whole.
    const std::string font = std::string(254, 'a') + "\xC3\xA9" + "tail";
    ShapeText properties;
    wordArtStyleProperties(("font-family:" + font).c_str(), properties);
    EXPECT_EQ(properties.view(), "{\\sp{\\sn gtextFont}{\\sv " + std::string(254, 'a') + "}}");
}

TEST(ShapeAttributes, ShapeAndGroupCoordinates) {
    const AttributeCase cases[] = {
        {"adj", adjustValueProperties, "10800", "{\\sp{\\sn adjustValue}{\\sv 10800}}"},
        {"adj", adjustValueProperties, "10800,,5400",
         "{\\sp{\\sn adjustValue}{\\sv 10800}}{\\sp{\\sn adjust2Value}{\\sv }}{\\sp{\\sn adjust3Value}{\\sv 5400}}"},
        {"adj", adjustValueProperties, "", ""},
        {"geometry", geometryProperties, "21600,21600", "{\\sp{\\sn geoRight}{\\sv 21600}}{\\sp{\\sn geoBottom}{\\sv 21600}}"},
        {"geometry", geometryProperties, "1,2,3,4",
         "{\\sp{\\sn geoLeft}{\\sv 1}}{\\sp{\\sn geoTop}{\\sv 2}}{\\sp{\\sn geoRight}{\\sv 3}}{\\sp{\\sn geoBottom}{\\sv 4}}"},
        {"geometry", geometryProperties, "1,2,3", ""},
        {"geometry", geometryProperties, "1,2,3,4,5", ""},
        {"wrap polygon", wrapPolygonProperty, "0 0 21600 0 21600 21600 0 21600",
         "{\\sp{\\sn pWrapPolygonVertices}{\\sv 8;4;(0,0);(21600,0);(21600,21600);(0,21600)}}"},
        {"wrap polygon", wrapPolygonProperty, "-292 0  21600 7 5", "{\\sp{\\sn pWrapPolygonVertices}{\\sv 8;2;(-292,0);(21600,7)}}"},
        {"wrap polygon", wrapPolygonProperty, "5", ""},
    };
    for (const AttributeCase& row : cases) {
        SCOPED_TRACE(std::string(row.translator) + " " + row.value);
        EXPECT_EQ(written(row.translate, row.value), row.expected);
    }
}

TEST(ShapeAttributes, AdjustHandlesStopAtTheTenth) {
    const std::string expected = [] {
        std::string text = "{\\sp{\\sn adjustValue}{\\sv 1}}";
        for (int handle = 2; handle <= 10; ++handle) {
            text += "{\\sp{\\sn adjust" + std::to_string(handle) + "Value}{\\sv " + std::to_string(handle) + "}}";
        }
        return text;
    }();
    EXPECT_EQ(written(adjustValueProperties, "1,2,3,4,5,6,7,8,9,10,11,12"), expected);
}

TEST(ShapeAttributes, ShapeTypeAndGroupSpace) {
    ShapeText properties;
    EXPECT_EQ(shapeTypeProperty("#_x0000_t202", properties), 202);
    EXPECT_EQ(shapeTypeProperty("#shape", properties), -1);
    EXPECT_STREQ(properties.text(), "{\\sp{\\sn shapeType}{\\sv 202}}");

    properties.clear();
    const GroupOrigin origin = groupOriginProperties("-10800,0", properties);
    EXPECT_EQ(origin.x, -10800);
    EXPECT_EQ(origin.y, 0);
    groupSizeProperties("21600,21600", properties, origin);
    EXPECT_STREQ(properties.text(),
                 "{\\sp{\\sn groupLeft}{\\sv -10800}}{\\sp{\\sn groupTop}{\\sv 0}}"
                 "{\\sp{\\sn groupRight}{\\sv 10800}}{\\sp{\\sn groupBottom}{\\sv 21600}}");

    properties.clear();
    const GroupOrigin none = groupOriginProperties("5", properties);
    EXPECT_EQ(none.x, 0);
    groupSizeProperties("2147483647,1", properties, GroupOrigin{2147483647, 0});
    EXPECT_STREQ(properties.text(), "{\\sp{\\sn groupRight}{\\sv 4294967294}}{\\sp{\\sn groupBottom}{\\sv 1}}");
}

TEST(ShapeAttributes, HorizontalRuleAttributes) {
    const AttributeCase cases[] = {
        {"align", ruleAlignProperty, "center", "{\\sp{\\sn alignHR}{\\sv 1}}"},
        {"align", ruleAlignProperty, "right", "{\\sp{\\sn alignHR}{\\sv 2}}"},
        {"align", ruleAlignProperty, "middle", ""},
        {"percent", rulePercentProperty, "500", "{\\sp{\\sn pctHR}{\\sv 500}}"},
        {"percent", rulePercentProperty, "", ""},
        {"no shade", ruleNoShadeFlag, "t", "{\\sp{\\sn fNoshadeHR}{\\sv 1}}"},
        {"no shade", ruleNoShadeFlag, "f", "{\\sp{\\sn fNoshadeHR}{\\sv 0}}"},
        {"standard", ruleStandardFlag, "yes", "{\\sp{\\sn fStandardHR}{\\sv 1}}"},
        {"standard", ruleStandardFlag, "True", "{\\sp{\\sn fStandardHR}{\\sv 0}}"},
        {"size", horizontalRuleSize, "width:0;height:1.5pt", "{\\sp{\\sn dxHeightHR}{\\sv 30}}"},
    };
    for (const AttributeCase& row : cases) {
        SCOPED_TRACE(std::string(row.translator) + " " + row.value);
        EXPECT_EQ(written(row.translate, row.value), row.expected);
    }
    ShapeText properties;
    EXPECT_EQ(horizontalRuleFlag("on", properties), 1);
    EXPECT_EQ(horizontalRuleFlag("f", properties), 0);
    EXPECT_STREQ(properties.text(), "{\\sp{\\sn fHorizRule}{\\sv 1}}");
}
