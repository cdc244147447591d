#include "import/wordml/properties/PropertyElementReaders.h"

#include <initializer_list>
#include <limits>

#include "import/wordml/properties/BorderArt.h"
#include "import/wordml/properties/ValueVocabularies.h"
#include "package/xml/XmlColors.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr std::int16_t kShadowedBorder = 64;
constexpr std::int16_t kSingleLine = 1;
constexpr std::int64_t kTwipsPerPoint = 20;

bool fitsInt16(std::int64_t value) {
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

// Stores value into field when it fits 16 bits; a value that does not fit is ignored, never wrapped.
void storeInt16(std::int16_t* field, std::int64_t value) {
    if (fitsInt16(value)) *field = static_cast<std::int16_t>(value);
}

// The first of the attribute names present, as a number; false when none is present.
bool firstNumber(const xmlNode* element, std::initializer_list<const char*> names, std::int64_t* value) {
    std::int16_t present = 0;
    const std::int32_t number = xmlGetFirstAttrInt(element, &present, names);
    if (!present) return false;
    *value = number;
    return true;
}

void readNumberInto(const xmlNode* element, std::initializer_list<const char*> names, std::int16_t* field) {
    std::int64_t value = 0;
    if (firstNumber(element, names, &value)) storeInt16(field, value);
}

// The first of the attribute names present, looked up in a vocabulary; the field is left alone when
// none is present.
void readCodeInto(const xmlNode* element, std::initializer_list<const char*> names, std::int32_t (*lookup)(const char*),
                  std::int16_t* field) {
    std::int16_t present = 0;
    const char* text = xmlGetFirstAttrString(element, &present, names);
    if (text != nullptr) *field = static_cast<std::int16_t>(lookup(text));
}

}  // namespace

XFrame* parseFrameProperties(const xmlNode* element, XFrame* frame) {
    *frame = XFrame{};
    readNumberInto(element, {"w"}, &frame->width);
    readNumberInto(element, {"h"}, &frame->height);
    readNumberInto(element, {"x"}, &frame->horizPosDistance);
    readNumberInto(element, {"y"}, &frame->vertPosDistance);
    readCodeInto(element, {"hAnchor", "hanchor"}, lookupHorizontalAnchor, &frame->horizPosFrameReference);
    readCodeInto(element, {"vAnchor", "vanchor"}, lookupVerticalAnchor, &frame->vertPosFrameReference);
    readCodeInto(element, {"xAlign", "x-align"}, lookupHorizontalAlign, &frame->horizPosTypeWithinFrame);
    readCodeInto(element, {"yAlign", "y-align"}, lookupVerticalAlign, &frame->vertPosTypeWithinFrame);
    readNumberInto(element, {"vSpace", "vspace"}, &frame->txtvertDistanceFromFrame);
    readNumberInto(element, {"hSpace", "hspace"}, &frame->txthorizDistanceFromFrame);
    readCodeInto(element, {"wrap"}, lookupWrapType, &frame->txtWrapType);
    readCodeInto(element, {"dropCap", "drop-cap"}, lookupDropCap, &frame->dropcapType);
    // The line count of a frame that is no drop cap means nothing.
    if (frame->dropcapType != 0) readNumberInto(element, {"lines"}, &frame->dropcapLines);
    std::int16_t present = 0;
    if (xmlGetFirstAttrBool(element, &present, {"anchorLock", "anchor-lock"}) == 1) frame->anchorLock = 1;
    return frame;
}

BorderSpec* parseBorder(const xmlNode* element, BorderSpec* border, std::int32_t* artCode) {
    *border = kDefaultBorder;
    if (artCode != nullptr) *artCode = 0;
    std::int16_t present = 0;
    bool countsPoints = false;
    if (const char* style = xmlGetAttrString(element, nullptr, "val", &present)) {
        std::int32_t code = 0;
        if (findBorderStyle(style, &code)) {
            border->borderType = static_cast<std::int16_t>(code);
        } else {
            border->borderType = kSingleLine;
            if (artCode != nullptr) {
                *artCode = lookupBorderArt(style);
                countsPoints = *artCode != 0;
            }
        }
    }
    if (const char* color = xmlGetAttrString(element, nullptr, "color", &present)) parseColorText(color, &border->borderTint);
    if (xmlGetAttrBool(element, nullptr, "shadow", &present) == 1) border->borderType += kShadowedBorder;
    std::int64_t size = 0;
    if (firstNumber(element, {"sz"}, &size)) {
        // Art borders are sized in points, lines in eighths of a point.
        storeInt16(&border->borderSize, countsPoints ? size * kTwipsPerPoint : size * 5 / 2);
    }
    std::int64_t space = 0;
    if (firstNumber(element, {"space"}, &space)) storeInt16(&border->borderSpace, space * kTwipsPerPoint);
    return border;
}

ShadingSpec* parseShading(const xmlNode* element, ShadingSpec* shading, RGBColor* tint, RGBColor* fill) {
    shading->patternType = 0;
    shading->patternTint = kBlack;
    shading->patternFill = kWhite;
    *tint = kBlack;
    *fill = kWhite;
    std::int16_t present = 0;
    std::int32_t pattern = 0;
    if (findShadingPattern(xmlGetAttrString(element, nullptr, "val", &present), &pattern))
        shading->patternType = static_cast<std::int16_t>(pattern);
    if (const char* color = xmlGetAttrString(element, nullptr, "color", &present)) parseColorText(color, tint);
    if (const char* color = xmlGetAttrString(element, nullptr, "fill", &present)) parseColorText(color, fill);
    return shading;
}

HeightSpec* parseHeightRule(const xmlNode* element, HeightSpec* height) {
    *height = HeightSpec{kHeightAtLeast, 0};
    std::int16_t present = 0;
    std::int32_t rule = 0;
    if (findHeightRule(xmlGetFirstAttrString(element, &present, {"hRule", "h-rule"}), &rule))
        height->h = static_cast<std::int16_t>(rule);
    const std::int32_t value = xmlGetAttrInt(element, nullptr, "val", &present);
    if (present) height->v = value;
    return height;
}

WidthSpec* parseTableWidth(const xmlNode* element, WidthSpec* width) {
    *width = WidthSpec{kWidthPercent, 1000};
    std::int16_t present = 0;
    std::int32_t type = 0;
    if (findWidthType(xmlGetAttrString(element, nullptr, "type", &present), &type)) width->type = static_cast<std::int16_t>(type);
    const std::int32_t value = xmlGetAttrInt(element, nullptr, "w", &present);
    if (present) width->w = value;
    return width;
}
