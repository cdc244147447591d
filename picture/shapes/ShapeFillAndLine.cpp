#include "picture/shapes/ShapeFillAndLine.h"

#include <string>
#include <string_view>

#include "picture/shapes/NameCodeTable.h"
#include "picture/shapes/ShapeColors.h"

namespace {

constexpr NameCode kFillTypes[] = {
    {"solid", 0},          {"pattern", 1},        {"tile", 2},           {"frame", 3},
    {"gradientradial", 5}, {"gradientRadial", 5}, {"gradienttitle", 6},  {"gradientTitle", 6},
    {"gradient", 7},
};
constexpr NameCode kLineStyles[] = {
    {"thinThin", 1}, {"thickThin", 2}, {"thinThick", 3}, {"thickBetweenThin", 4},
};
constexpr NameCode kLineFillTypes[] = {
    {"solid", 0}, {"pattern", 1}, {"tile", 2}, {"frame", 3},
};
constexpr NameCode kLineDashings[] = {
    {"1 1", 2}, {"dash", 6}, {"longDash", 7}, {"dashDot", 8}, {"longDashDotDot", 10},
};
constexpr NameCode kArrowheads[] = {
    {"block", 1}, {"classic", 2}, {"diamond", 3}, {"oval", 4}, {"open", 5},
};
constexpr NameCode kArrowWidths[] = {
    {"narrow", 0}, {"medium", 1}, {"wide", 2},
};
constexpr NameCode kArrowLengths[] = {
    {"short", 0}, {"medium", 1}, {"long", 2},
};
// The three cap styles of a stroke, in the order RTF numbers them.
constexpr NameCode kLineEndCaps[] = {
    {"round", 0}, {"square", 1}, {"flat", 2},
};
constexpr NameCode kShadowTypes[] = {
    {"double", 1}, {"perspective", 2}, {"emboss", 6},
};

void tableProperty(std::span<const NameCode> table, const char* value, const char* property, ShapeText& propertyText) {
    const std::optional<std::int32_t> code = codeOfName(table, value);
    if (code) appendProperty(propertyText, property, static_cast<std::int64_t>(*code));
}

const char* sideName(std::int16_t side, const char* start, const char* end) {
    return side == kArrowEnd ? end : start;
}

void lengthProperty(const std::optional<ConvertedLength>& length, const char* property, ShapeText& propertyText) {
    if (length) appendProperty(propertyText, property, std::string_view(length->text));
}

}  // namespace

void fillTypeProperty(const char* value, ShapeText& propertyText) {
    tableProperty(kFillTypes, value, "fillType", propertyText);
}

void lineStyleProperty(const char* value, ShapeText& propertyText) {
    tableProperty(kLineStyles, value, "lineStyle", propertyText);
}

void lineFillTypeProperty(const char* value, ShapeText& propertyText) {
    tableProperty(kLineFillTypes, value, "lineType", propertyText);
}

void lineDashingProperty(const char* value, ShapeText& propertyText) {
    tableProperty(kLineDashings, value, "lineDashing", propertyText);
}

void lineEndCapProperty(const char* value, ShapeText& propertyText) {
    tableProperty(kLineEndCaps, value, "lineEndCapStyle", propertyText);
}

void shadowTypeProperty(const char* value, ShapeText& propertyText) {
    tableProperty(kShadowTypes, value, "shadowType", propertyText);
}

void arrowheadProperty(const char* value, ShapeText& propertyText, std::int16_t side) {
    tableProperty(kArrowheads, value, sideName(side, "lineStartArrowhead", "lineEndArrowhead"), propertyText);
}

void arrowWidthProperty(const char* value, ShapeText& propertyText, std::int16_t side) {
    tableProperty(kArrowWidths, value, sideName(side, "lineStartArrowWidth", "lineEndArrowWidth"), propertyText);
}

void arrowLengthProperty(const char* value, ShapeText& propertyText, std::int16_t side) {
    tableProperty(kArrowLengths, value, sideName(side, "lineStartArrowLength", "lineEndArrowLength"), propertyText);
}

void lineWidthProperty(const char* weight, ShapeText& propertyText) {
    if (weight == nullptr) return;
    // The whole weight is the value, even when it holds a ':' of its own.
    const std::string_view value(weight);
    lengthProperty(convertLengthValue(value.substr(0, value.find(';')), LengthUnit::emu), "lineWidth", propertyText);
}

void fillAngleProperty(const char* angle, ShapeText& propertyText) {
    lengthProperty(lengthToFixedText(angle), "fillAngle", propertyText);
}

void opacityProperty(const char* value, ShapeText& propertyText, std::int16_t kind) {
    const char* property = "fillOpacity";
    if (kind == color_kind::kShadow) property = "shadowOpacity";
    if (kind == color_kind::kFillBack) property = "fillBackOpacity";
    lengthProperty(lengthToFixedText(value), property, propertyText);
}

void fillFocusProperty(const char* value, ShapeText& propertyText) {
    if (value == nullptr) return;
    const std::string_view text(value);
    const std::size_t percent = text.find('%');
    if (percent != std::string_view::npos) appendProperty(propertyText, "fillFocus", text.substr(0, percent));
}

void pointPairProperties(const char* pairText, ShapeText& propertyText, const char* stem, LengthUnit unit) {
    const std::optional<LengthPair> pair = splitLengthPair(pairText, unit);
    if (!pair) return;
    if (pair->x.value != 0) appendProperty(propertyText, (std::string(stem) + "X").c_str(), std::string_view(pair->x.text));
    if (pair->y.value != 0) appendProperty(propertyText, (std::string(stem) + "Y").c_str(), std::string_view(pair->y.text));
}

void shadowOriginProperties(const char* origin, ShapeText& propertyText) {
    pointPairProperties(origin, propertyText, "shadowOrigin", LengthUnit::fixed);
}

void shadowMatrixProperties(const char* matrix, ShapeText& propertyText) {
    if (matrix == nullptr) return;
    static constexpr const char* kScaleNames[] = {"shadowScaleXToX", "shadowScaleXToY", "shadowScaleYToX",
                                                  "shadowScaleYToY"};
    std::string_view rest(matrix);
    for (const char* name : kScaleNames) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) return;  // a field without a comma after it is not written
        const std::string_view field = rest.substr(0, comma);
        rest.remove_prefix(comma + 1);
        if (!field.empty()) lengthProperty(convertLengthValue(field, LengthUnit::fixed), name, propertyText);
    }
}
