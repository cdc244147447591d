#include "picture/shapes/ShapeAnchoring.h"

#include <cstring>

#include "package/xml/XmlNodeHelpers.h"
#include "picture/shapes/NameCodeTable.h"

namespace {

constexpr NameCode kWrapTypes[] = {
    {"square", 2}, {"tight", 4}, {"through", 5}, {"topAndBottom", 1}, {"none", 3},
};
constexpr NameCode kWrapSides[] = {
    {"largest", 3}, {"left", 1}, {"right", 2}, {"bothSides", 0},
};

// A relation: the keyword for the instance text and the posrelh / posrelv code.
struct AnchorRelation {
    const char* name;
    const char* keyword;
    std::int32_t code;
};
constexpr AnchorRelation kHorizontalRelations[] = {
    {"margin", "\\shpbxmargin", 0},      {"page", "\\shpbxpage", 1},
    {"column", "\\shpbxcolumn", 2},      {"character", "\\shpbxcolumn", 3},
    {"rightMargin", "\\shpbxmargin", 0}, {"leftMargin", "\\shpbxmargin", 0},
};
constexpr AnchorRelation kVerticalRelations[] = {
    {"margin", "\\shpbymargin", 0}, {"page", "\\shpbypage", 1},
    {"para", "\\shpbypara", 2},     {"line", "\\shpbypara", 3},
};

constexpr NameCode kHorizontalAlignments[] = {
    {"center", 2}, {"right", 3},  {"rightMargin", 3},  {"left", 1},    {"leftMargin", 1},
    {"inside", 4}, {"insideMargin", 4}, {"outside", 5}, {"outsideMargin", 5},
};
constexpr NameCode kVerticalAlignments[] = {
    {"center", 2}, {"top", 1}, {"bottom", 3}, {"bottomMargin", 3},
    {"inside", 4}, {"insideMargin", 4}, {"outside", 5}, {"outsideMargin", 5},
};

struct FrameLock {
    const char* attribute;
    const char* property;
};
constexpr FrameLock kFrameLocks[] = {
    {"noChangeAspect", "fLockAspectRatio"},
    {"noGrp", "fLockAgainstGrouping"},
    {"noResize", "fLockAdjustHandles"},
    {"noSelect", "fLockAgainstSelect"},
};

std::int16_t tableKeyword(std::span<const NameCode> table, const char* name, const char* keyword,
                          ShapeText& instanceText) {
    const std::optional<std::int32_t> code = codeOfName(table, name);
    if (!code) return 0;
    appendToShapeText(instanceText, "%s%d", keyword, static_cast<int>(*code));
    return 1;
}

void anchorKeyword(std::span<const AnchorRelation> table, const char* relation, const char* property,
                   ShapeText& instanceText, ShapeText& propertyText) {
    if (relation == nullptr) return;
    for (const AnchorRelation& row : table) {
        if (std::strcmp(row.name, relation) != 0) continue;
        instanceText.append(row.keyword);
        appendProperty(propertyText, property, static_cast<std::int64_t>(row.code));
        return;
    }
}

bool attributeIsTrue(const xmlNode* element, const char* name) {
    std::int16_t present = 0;
    const std::int16_t value = xmlGetAttrBool(element, nullptr, name, &present);
    return present != 0 && value != 0;
}

}  // namespace

std::int16_t wrapTypeKeyword(const char* wrapName, ShapeText& instanceText) {
    return tableKeyword(kWrapTypes, wrapName, "\\shpwr", instanceText);
}

std::int16_t wrapSideKeyword(const char* sideName, ShapeText& instanceText) {
    return tableKeyword(kWrapSides, sideName, "\\shpwrk", instanceText);
}

std::int16_t wrapTextSide(const xmlNode* wrapElement, ShapeText& instanceText) {
    std::int16_t present = 0;
    const char* side = xmlGetAttrString(wrapElement, nullptr, "wrapText", &present);
    return present != 0 ? wrapSideKeyword(side, instanceText) : 0;
}

void horizontalAnchorKeyword(const char* relation, ShapeText& instanceText, ShapeText& propertyText) {
    anchorKeyword(kHorizontalRelations, relation, "posrelh", instanceText, propertyText);
}

void verticalAnchorKeyword(const char* relation, ShapeText& instanceText, ShapeText& propertyText) {
    anchorKeyword(kVerticalRelations, relation, "posrelv", instanceText, propertyText);
}

void horizontalAlignProperty(const char* align, ShapeText& propertyText) {
    const std::optional<std::int32_t> code = codeOfName(kHorizontalAlignments, align);
    if (code) appendProperty(propertyText, "posh", static_cast<std::int64_t>(*code));
}

void verticalAlignProperty(const char* align, ShapeText& propertyText) {
    const std::optional<std::int32_t> code = codeOfName(kVerticalAlignments, align);
    if (code) appendProperty(propertyText, "posv", static_cast<std::int64_t>(*code));
}

void shapeRectangleOutput(ShapeText& instanceText, ShapeText& propertyText, std::int16_t groupFlag,
                          std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    if (groupFlag == 0) {
        appendToShapeText(instanceText, "\\shpleft%d\\shptop%d\\shpright%d\\shpbottom%d", static_cast<int>(left),
                          static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom));
        return;
    }
    appendToShapeText(propertyText,
                      "{\\sp{\\sn relLeft}{\\sv %d}}{\\sp{\\sn relTop}{\\sv %d}}{\\sp{\\sn relRight}{\\sv %d}}"
                      "{\\sp{\\sn relBottom}{\\sv %d}}",
                      static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom));
}

DrawingSize drawingExtent(const xmlNode* extentElement, LongRect& rectangle) {
    constexpr std::int32_t kEmuPerTwip = 635;
    std::int16_t present = 0;
    const DrawingSize size{xmlGetAttrInt(extentElement, nullptr, "cx", &present) / kEmuPerTwip,
                           xmlGetAttrInt(extentElement, nullptr, "cy", &present) / kEmuPerTwip};
    if (size.width != 0 || size.height != 0) rectangle = LongRect{0, 0, size.height, size.width};
    return size;
}

void frameLockProperties(const xmlNode* locksElement, ShapeText& propertyText) {
    for (const FrameLock& lock : kFrameLocks) {
        if (attributeIsTrue(locksElement, lock.attribute)) appendProperty(propertyText, lock.property, std::int64_t{1});
    }
}

void drawingPropertiesHidden(const xmlNode* propertiesElement, ShapeText& propertyText) {
    if (attributeIsTrue(propertiesElement, "hidden")) appendProperty(propertyText, "fHidden", std::int64_t{1});
}
