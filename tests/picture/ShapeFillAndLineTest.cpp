#include "picture/shapes/ShapeFillAndLine.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "picture/shapes/ShapeColors.h"

namespace {

using Translator = std::function<void(const char*, ShapeText&)>;

struct TableCase {
    const char* translator;
    Translator translate;
    const char* value;
    const char* expected;  // "" when nothing is written
};

std::string written(const Translator& translate, const char* value) {
    ShapeText properties;
    translate(value, properties);
    return properties.text();
}

Translator onSide(void (*translate)(const char*, ShapeText&, std::int16_t), std::int16_t side) {
    return [translate, side](const char* value, ShapeText& text) { translate(value, text, side); };
}

}  // namespace

TEST(ShapeFillAndLine, ValueTablesWriteTheirCodes) {
    const TableCase cases[] = {
        {"fillType", fillTypeProperty, "solid", "{\\sp{\\sn fillType}{\\sv 0}}"},
        {"fillType", fillTypeProperty, "gradientRadial", "{\\sp{\\sn fillType}{\\sv 5}}"},
        {"fillType", fillTypeProperty, "gradientradial", "{\\sp{\\sn fillType}{\\sv 5}}"},
        {"fillType", fillTypeProperty, "gradienttitle", "{\\sp{\\sn fillType}{\\sv 6}}"},
        {"fillType", fillTypeProperty, "gradient", "{\\sp{\\sn fillType}{\\sv 7}}"},
        {"fillType", fillTypeProperty, "Gradient", ""},
        {"lineStyle", lineStyleProperty, "thickBetweenThin", "{\\sp{\\sn lineStyle}{\\sv 4}}"},
        {"lineStyle", lineStyleProperty, "single", ""},
        {"lineType", lineFillTypeProperty, "frame", "{\\sp{\\sn lineType}{\\sv 3}}"},
        {"lineDashing", lineDashingProperty, "1 1", "{\\sp{\\sn lineDashing}{\\sv 2}}"},
        {"lineDashing", lineDashingProperty, "longDashDotDot", "{\\sp{\\sn lineDashing}{\\sv 10}}"},
        {"lineDashing", lineDashingProperty, "shortDash", ""},
        {"lineEndCapStyle", lineEndCapProperty, "round", "{\\sp{\\sn lineEndCapStyle}{\\sv 0}}"},
        {"lineEndCapStyle", lineEndCapProperty, "square", "{\\sp{\\sn lineEndCapStyle}{\\sv 1}}"},
        {"lineEndCapStyle", lineEndCapProperty, "flat", "{\\sp{\\sn lineEndCapStyle}{\\sv 2}}"},
        {"shadowType", shadowTypeProperty, "emboss", "{\\sp{\\sn shadowType}{\\sv 6}}"},
        {"shadowType", shadowTypeProperty, "single", ""},
        {"arrowhead", onSide(arrowheadProperty, kArrowStart), "oval", "{\\sp{\\sn lineStartArrowhead}{\\sv 4}}"},
        {"arrowhead", onSide(arrowheadProperty, kArrowEnd), "open", "{\\sp{\\sn lineEndArrowhead}{\\sv 5}}"},
        {"arrowhead", onSide(arrowheadProperty, kArrowEnd), "none", ""},
        {"arrowWidth", onSide(arrowWidthProperty, kArrowStart), "wide", "{\\sp{\\sn lineStartArrowWidth}{\\sv 2}}"},
        {"arrowWidth", onSide(arrowWidthProperty, kArrowEnd), "narrow", "{\\sp{\\sn lineEndArrowWidth}{\\sv 0}}"},
        {"arrowLength", onSide(arrowLengthProperty, kArrowStart), "long", "{\\sp{\\sn lineStartArrowLength}{\\sv 2}}"},
        {"arrowLength", onSide(arrowLengthProperty, kArrowEnd), "medium", "{\\sp{\\sn lineEndArrowLength}{\\sv 1}}"},
    };
    for (const TableCase& row : cases) {
        SCOPED_TRACE(std::string(row.translator) + " " + row.value);
        EXPECT_EQ(written(row.translate, row.value), row.expected);
    }
    EXPECT_EQ(written(fillTypeProperty, nullptr), "");
}

TEST(ShapeFillAndLine, MeasuredValuesConvertTheirLengths) {
    const TableCase cases[] = {
        {"lineWidth", lineWidthProperty, "1pt", "{\\sp{\\sn lineWidth}{\\sv 12700}}"},
        {"lineWidth", lineWidthProperty, ".5pt", "{\\sp{\\sn lineWidth}{\\sv 6350}}"},
        {"lineWidth", lineWidthProperty, "2.25pt", "{\\sp{\\sn lineWidth}{\\sv 28575}}"},
        {"lineWidth", lineWidthProperty, "99999999999999pt", ""},
        {"fillAngle", fillAngleProperty, "90", "{\\sp{\\sn fillAngle}{\\sv 5898240}}"},
        {"fillAngle", fillAngleProperty, "-45", "{\\sp{\\sn fillAngle}{\\sv -2949120}}"},
        {"fillOpacity", onSide(opacityProperty, color_kind::kFill), ".5", "{\\sp{\\sn fillOpacity}{\\sv 32768}}"},
        {"fillOpacity", onSide(opacityProperty, color_kind::kFill), "32768f", "{\\sp{\\sn fillOpacity}{\\sv 32768}}"},
        {"fillBackOpacity", onSide(opacityProperty, color_kind::kFillBack), "50%", "{\\sp{\\sn fillBackOpacity}{\\sv 32750}}"},
        {"shadowOpacity", onSide(opacityProperty, color_kind::kShadow), "0.5", "{\\sp{\\sn shadowOpacity}{\\sv 32768}}"},
        {"fillFocus", fillFocusProperty, "-50%", "{\\sp{\\sn fillFocus}{\\sv -50}}"},
        {"fillFocus", fillFocusProperty, "100", ""},
        {"shadowOrigin", shadowOriginProperties, "-.5,.5", "{\\sp{\\sn shadowOriginX}{\\sv -32768}}{\\sp{\\sn shadowOriginY}{\\sv 32768}}"},
        {"shadowOrigin", shadowOriginProperties, ".5", ""},
        {"shadowMatrix", shadowMatrixProperties, "1,0,0,1",
         "{\\sp{\\sn shadowScaleXToX}{\\sv 65536}}{\\sp{\\sn shadowScaleXToY}{\\sv 0}}{\\sp{\\sn shadowScaleYToX}{\\sv 0}}"},
        {"shadowMatrix", shadowMatrixProperties, ",,,-1,,",
         "{\\sp{\\sn shadowScaleYToY}{\\sv -65536}}"},
        {"shadowMatrix", shadowMatrixProperties, "1", ""},
    };
    for (const TableCase& row : cases) {
        SCOPED_TRACE(std::string(row.translator) + " " + row.value);
        EXPECT_EQ(written(row.translate, row.value), row.expected);
    }
}

TEST(ShapeFillAndLine, ShadowOffsetsWriteOnlyTheirNonZeroHalves) {
    ShapeText properties;
    pointPairProperties("2pt,0", properties, "shadowOffset", LengthUnit::emu);
    EXPECT_STREQ(properties.text(), "{\\sp{\\sn shadowOffsetX}{\\sv 25400}}");
    properties.clear();
    pointPairProperties("-1pt,3pt", properties, "shadowSecondOffset", LengthUnit::emu);
    EXPECT_STREQ(properties.text(), "{\\sp{\\sn shadowSecondOffsetX}{\\sv -12700}}{\\sp{\\sn shadowSecondOffsetY}{\\sv 38100}}");
    properties.clear();
    pointPairProperties("2pt", properties, "shadowOffset", LengthUnit::emu);
    EXPECT_TRUE(properties.empty());
}
