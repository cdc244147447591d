#include "picture/shapes/VmlStyle.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

#include "package/xml/XmlElementSearch.h"
#include "picture/shapes/ShapeAnchoring.h"
#include "picture/shapes/ShapeLengths.h"
#include "picture/shapes/StyleText.h"

namespace {

// What a "mso-position-...-relative:" literal chooses: the keyword and the posrelh / posrelv code.
struct RelationLiteral {
    const char* literal;
    const char* keyword;
    std::int32_t code;
};
constexpr RelationLiteral kVerticalRelations[] = {
    {"mso-position-vertical-relative:page", "\\shpbypage", 1},
    {"mso-position-vertical-relative:margin", "\\shpbymargin", 0},
    {"mso-position-vertical-relative:para", "\\shpbypara", 2},
    {"mso-position-vertical-relative:line", "\\shpbypara", 3},
};
constexpr RelationLiteral kHorizontalRelations[] = {
    {"mso-position-horizontal-relative:page", "\\shpbxpage", 1},
    {"mso-position-horizontal-relative:margin", "\\shpbxmargin", 0},
    {"mso-position-horizontal-relative:column", "\\shpbxcolumn", 2},
    {"mso-position-horizontal-relative:text", "\\shpbxcolumn", 2},
    {"mso-position-horizontal-relative:char", "\\shpbxcolumn", 3},
};

struct AlignLiteral {
    const char* literal;
    std::int32_t code;
};
constexpr AlignLiteral kHorizontalAlignments[] = {
    {"mso-position-horizontal:center", 2}, {"mso-position-horizontal:right", 3},
    {"mso-position-horizontal:left", 1},   {"mso-position-horizontal:inside", 4},
    {"mso-position-horizontal:outside", 5},
};
constexpr AlignLiteral kVerticalAlignments[] = {
    {"mso-position-vertical:center", 2}, {"mso-position-vertical:top", 1},
    {"mso-position-vertical:bottom", 3}, {"mso-position-vertical:inside", 4},
    {"mso-position-vertical:outside", 5},
};

struct WrapDistance {
    const char* literal;
    const char* property;
};
constexpr WrapDistance kWrapDistances[] = {
    {"mso-wrap-distance-left:", "dxWrapDistLeft"},
    {"mso-wrap-distance-right:", "dxWrapDistRight"},
    {"mso-wrap-distance-top:", "dyWrapDistTop"},
    {"mso-wrap-distance-bottom:", "dyWrapDistBottom"},
};

constexpr const char* kVmlShapeNames[] = {
    "arc",  "background", "curve",    "group", "image",     "line",          "object",    "oval",
    "pict", "polyline",   "rect",     "roundrect", "shape", "shapedefaults", "shapetype",
};

// The stacking order: "\shpz" with the order, and whether the shape lies behind the text.
struct StackingOrder {
    std::int64_t order = 0;
    bool behindText = false;
};

// A z-index counts from 1 where \shpz counts from 0. A negative one puts the shape behind the text and
// keeps only its first digit (Word writes such values as -251658240 and up, in the order of the shapes).
// A value without a digit, and a zero, give order 0; long values are held, never wrapped.
StackingOrder stackingOrderOf(const char* value) {
    StackingOrder stacking;
    std::string_view digits(value);
    digits = digits.substr(0, digits.find(';'));
    if (digits.starts_with('-')) {
        stacking.behindText = true;
        digits.remove_prefix(1);
        digits = digits.substr(0, 1);
    }
    std::int64_t number = 0;
    for (const char character : digits) {
        if (character < '0' || character > '9') break;
        number = std::min<std::int64_t>(number * 10 + (character - '0'), INT32_MAX);
    }
    stacking.order = number > 0 ? number - 1 : 0;
    return stacking;
}

std::int32_t clampedSum(std::int32_t start, std::int32_t extent) {
    const std::int64_t sum = static_cast<std::int64_t>(start) + extent;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
}

// An offset: "margin-left:" (mode 1), else the first "left:" anywhere (mode 2), else none (mode 0).
struct Offset {
    std::int32_t twips = 0;
    std::int16_t mode = 0;
};
Offset offsetOf(const StyleText& style, std::string_view marginLiteral, std::string_view bareLiteral) {
    if (const char* margin = style.from(marginLiteral)) return {lengthToTwips(margin), 1};
    if (const char* bare = style.from(bareLiteral)) return {lengthToTwips(bare), 2};
    return {};
}

const RelationLiteral* chosenRelation(const StyleText& style, std::string_view property,
                                      std::span<const RelationLiteral> table) {
    if (!style.has(property)) return nullptr;
    for (const RelationLiteral& row : table) {
        if (style.has(row.literal)) return &row;
    }
    return nullptr;
}

// The first present alignment literal; no value when the property is absent or holds none of them.
std::optional<std::int32_t> chosenAlignment(const StyleText& style, std::string_view property,
                                            std::span<const AlignLiteral> table) {
    if (!style.has(property)) return std::nullopt;
    for (const AlignLiteral& row : table) {
        if (style.has(row.literal)) return row.code;
    }
    return std::nullopt;
}

// An inline picture's size, and for a shape turned by 90 degrees the scales that swap its sides back. A
// side below one point has no scale to give (it would divide by zero): the scales are left out.
void writeInlineSize(ShapeText& instanceText, std::int32_t height, std::int32_t width, bool turned) {
    appendToShapeText(instanceText, "\\pich%d\\picw%d", static_cast<int>(height), static_cast<int>(width));
    const std::int64_t heightPoints = height / 20;
    const std::int64_t widthPoints = width / 20;
    if (turned && heightPoints != 0 && widthPoints != 0) {
        appendToShapeText(instanceText, "\\picscalex%lld\\picscaley%lld",
                          static_cast<long long>(heightPoints * 100 / widthPoints),
                          static_cast<long long>(widthPoints * 100 / heightPoints));
    }
    instanceText.append("\\wmetafile8");
}

// The \shpbx / \shpby keyword when the rectangle did not write it: the relation's own, else the default
// (column, paragraph) when the flag or a position asks for one.
void writeDefaultAnchor(ShapeText& instanceText, std::int16_t& flag, const RelationLiteral* relation,
                        std::int16_t mode, const char* defaultKeyword) {
    if (flag == 1) {
        instanceText.append(relation != nullptr ? relation->keyword : defaultKeyword);
    } else if (mode != 0) {
        flag = 1;
        instanceText.append(defaultKeyword);
    } else {
        flag = 0;
    }
}

}  // namespace

std::int16_t isInlineVmlStyle(const char* style) {
    const StyleText text(style);
    if (text.has("position:static")) return 1;
    for (const char* placed : {"z-index:", "left", "top", "mso-position"}) {
        if (text.has(placed)) return 0;
    }
    return text.has("height") && text.has("width") ? 1 : 0;
}

bool isAbsoluteVmlStyle(const char* style) {
    return StyleText(style).has("position:absolute");
}

std::int16_t translateVmlStyle(const char* style, ShapeText& instanceText, ShapeText& propertyText,
                               AnchorFlags& anchors, LongRect& rectangle, std::int16_t groupFlag) {
    const StyleText text(style);
    const std::int16_t isInline = isInlineVmlStyle(style);

    std::optional<StackingOrder> stacking;
    if (const char* zIndex = text.after("z-index:")) {
        stacking = stackingOrderOf(zIndex);
        if (stacking->behindText) appendProperty(propertyText, "fBehindDocument", std::int64_t{1});
    }

    bool turned = false;
    if (const char* rotation = text.after("rotation:")) {
        char fixed[20];
        rotationToFixedText(rotation, fixed, sizeof fixed);
        if (fixed[0] != '\0') appendProperty(propertyText, "rotation", std::string_view(fixed));
        turned = std::string_view(rotation).starts_with("90");
    }

    if (const char* flip = text.after("flip:")) {
        if (*flip == 'x') appendProperty(propertyText, "fFlipH", std::int64_t{1});
        if (*flip == 'y') appendProperty(propertyText, "fFlipV", std::int64_t{1});
    }

    const Offset left = offsetOf(text, "margin-left:", "left:");
    const Offset top = offsetOf(text, "margin-top:", "top:");
    const std::int32_t height = text.has("height:") ? lengthToTwips(text.from("height:")) : 0;
    const std::int32_t width = text.has("width:") ? lengthToTwips(text.from("width:")) : 0;
    rectangle = LongRect{top.twips, left.twips, height > 0 ? clampedSum(top.twips, height) : 0,
                         width > 0 ? clampedSum(left.twips, width) : 0};

    const RelationLiteral* vertical = chosenRelation(text, "mso-position-vertical-relative:", kVerticalRelations);
    if (vertical != nullptr) anchors.vertical = 1;
    const RelationLiteral* horizontal =
        chosenRelation(text, "mso-position-horizontal-relative:", kHorizontalRelations);
    if (horizontal != nullptr) anchors.horizontal = 1;

    bool anchorKeywordsWritten = false;
    const bool hasRectangle = rectangle.top != 0 || rectangle.left != 0 || rectangle.bottom != 0 || rectangle.right != 0;
    if (hasRectangle) {
        if (groupFlag != 0) {
            shapeRectangleOutput(instanceText, propertyText, groupFlag, rectangle.left, rectangle.top, rectangle.right,
                                 rectangle.bottom);
        } else if (isInline != 0) {
            writeInlineSize(instanceText, height, width, turned);
        } else {
            shapeRectangleOutput(instanceText, propertyText, groupFlag, rectangle.left, rectangle.top, rectangle.right,
                                 rectangle.bottom);
            if (vertical != nullptr) instanceText.append(vertical->keyword);
            if (horizontal != nullptr) instanceText.append(horizontal->keyword);
            anchorKeywordsWritten = true;
        }
    }

    if (stacking) {
        appendToShapeText(instanceText, "\\shpz%lld\\shpfblwtxt%d", static_cast<long long>(stacking->order),
                          stacking->behindText ? 1 : 0);
    }

    for (const WrapDistance& distance : kWrapDistances) {
        if (const char* value = text.from(distance.literal)) {
            if (const std::optional<ConvertedLength> emu = lengthToEmuText(value)) {
                appendProperty(propertyText, distance.property, std::string_view(emu->text));
            }
        }
    }

    if (const std::optional<std::int32_t> posh = chosenAlignment(text, "mso-position-horizontal:", kHorizontalAlignments)) {
        appendProperty(propertyText, "posh", static_cast<std::int64_t>(*posh));
        anchors.horizontal = 1;
    }
    if (horizontal != nullptr) appendProperty(propertyText, "posrelh", static_cast<std::int64_t>(horizontal->code));
    if (const std::optional<std::int32_t> posv = chosenAlignment(text, "mso-position-vertical:", kVerticalAlignments)) {
        appendProperty(propertyText, "posv", static_cast<std::int64_t>(*posv));
        anchors.vertical = 1;
    }
    if (vertical != nullptr) appendProperty(propertyText, "posrelv", static_cast<std::int64_t>(vertical->code));

    // The rectangle wrote the relations' keywords only for a floating shape outside a group; otherwise
    // they come here, or the defaults when a position or an alignment asks for an anchor.
    const bool relationKeywordsWritten = anchorKeywordsWritten && (horizontal != nullptr);
    if (!relationKeywordsWritten) writeDefaultAnchor(instanceText, anchors.horizontal, horizontal, left.mode, "\\shpbxcolumn");
    const bool verticalKeywordWritten = anchorKeywordsWritten && (vertical != nullptr);
    if (!verticalKeywordWritten) writeDefaultAnchor(instanceText, anchors.vertical, vertical, top.mode, "\\shpbypara");
    return isInline;
}

std::int16_t vmlNodeKind(const xmlNode* node) {
    for (const char* name : kVmlShapeNames) {
        if (xmlIsElement(node, "v", name) != 0) return 1;
    }
    return 0;
}

xmlNode* enclosingVmlShape(const xmlNode* node) {
    if (node == nullptr) return nullptr;
    for (xmlNode* parent = node->parent; parent != nullptr; parent = parent->parent) {
        if (vmlNodeKind(parent) != 0) return parent;
    }
    return nullptr;
}

void vmlNodeHook(const xmlNode*, ShapeText&) {}
