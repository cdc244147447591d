#include "picture/shapes/ShapeAttributes.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextBoundary.h"
#include "package/xml/XmlNodeHelpers.h"
#include "picture/shapes/NameCodeTable.h"
#include "picture/shapes/ShapeLengths.h"
#include "picture/shapes/StyleText.h"

namespace {

constexpr const char* kUnit = "BPicture";

bool contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

void flagProperty(ShapeText& propertyText, const char* name, bool on) {
    appendProperty(propertyText, name, std::int64_t{on ? 1 : 0});
}

void lengthProperty(const std::optional<ConvertedLength>& length, const char* name, ShapeText& propertyText) {
    if (length) appendProperty(propertyText, name, std::string_view(length->text));
}

std::vector<std::string_view> commaFields(std::string_view text) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) return fields;
        text.remove_prefix(comma + 1);
    }
}

std::int32_t decimalOf(std::string_view field) {
    return parseInteger(field.data(), static_cast<std::int32_t>(field.size()), 0);
}

// Text flow codes, the first literal present deciding.
std::optional<std::int32_t> textFlowCode(const StyleText& style) {
    const StyleText flow(style.from("layout-flow:"));
    if (flow.has("layout-flow:horizontal-ideographic")) return 0;
    if (flow.has("layout-flow:vertical-ideographic")) return 3;
    if (flow.has("layout-flow:vertical")) return style.has("mso-layout-flow-alt:bottom-to-top") ? 2 : 1;
    if (flow.has("layout-flow:horizontal")) return 4;
    return std::nullopt;
}

struct LiteralCode {
    const char* literal;
    std::int32_t code;
};
// The longer literals come first: "v-text-anchor:top" also matches top-center.
constexpr LiteralCode kTextAnchors[] = {
    {"v-text-anchor:top-center", 3},   {"v-text-anchor:bottom-center-baseline", 6},
    {"v-text-anchor:bottom-center", 5}, {"v-text-anchor:top", 0},
    {"v-text-anchor:middle-center", 4}, {"v-text-anchor:middle", 1},
    {"v-text-anchor:bottom", 2},
};

struct PaddingProperty {
    const char* literal;
    const char* property;
};
constexpr PaddingProperty kPaddings[] = {
    {"padding-left:", "dxTextLeft"},
    {"padding-top:", "dyTextTop"},
    {"padding-right:", "dxTextRight"},
    {"padding-bottom:", "dyTextBottom"},
};

// The name of the next linked text box: after the '#' up to the next ';'.
void takeNextBoxName(std::string_view name, ShapeText& propertyText, char*& nextBoxName) {
    name = name.substr(0, name.find(';'));
    const std::string copy(name);
    char* heapName = duplicateCString(copy.c_str());
    throwIfNull(heapName, __LINE__, kUnit);
    freeMemory(nextBoxName);
    nextBoxName = heapName;
    appendToShapeText(propertyText, "{\\sp{\\sn hspNext}{\\sv %d}}", static_cast<int>(trailingNumber(heapName)));
}

// A WordArt font: up to the next ';' (or, after a leading "&quot;", up to the next '&'), at most 255
// bytes cut at a character boundary, without the double quotes round it.
std::string wordArtFont(std::string_view value) {
    constexpr std::string_view kQuoteEntity = "&quot;";
    if (value.starts_with(kQuoteEntity)) {
        value.remove_prefix(kQuoteEntity.size());
        value = value.substr(0, value.find('&'));
    } else {
        value = value.substr(0, value.find(';'));
    }
    value = value.substr(0, utf8CutPoint(value, 255));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// "right" 3, "left" 2, "center" 1, "justify" 4 (5 when stretched); a later hit replaces an earlier one.
std::optional<std::int32_t> wordArtAlignment(const StyleText& style) {
    const std::string_view rest = style.rest("text-align:");
    std::optional<std::int32_t> code;
    if (contains(rest, "right")) code = 3;
    if (contains(rest, "left")) code = 2;
    if (contains(rest, "center")) code = 1;
    if (contains(rest, "justify")) code = style.has("v-text-align-alt:stretch-justify") ? 5 : 4;
    return code;
}

// A flag written 0 for a value beginning with 'f' and 1 for one beginning with 't'; answers whether 1 was.
bool trueFalseFlag(const StyleText& style, std::string_view literal, const char* property, ShapeText& propertyText) {
    const std::string_view rest = style.rest(literal);
    if (!style.has(literal) || rest.empty()) return false;
    if (rest.front() == 'f') flagProperty(propertyText, property, false);
    if (rest.front() != 't') return false;
    flagProperty(propertyText, property, true);
    return true;
}

bool isTrueText(const char* value) {
    static constexpr const char* kTrueTexts[] = {"t", "1", "true", "y", "yes", "on"};
    if (value == nullptr) return false;
    for (const char* truth : kTrueTexts) {
        if (std::strcmp(truth, value) == 0) return true;
    }
    return false;
}

constexpr NameCode kRuleAlignments[] = {{"left", 0}, {"center", 1}, {"right", 2}};

// RTF numbers the adjust handles from adjustValue to adjust10Value.
constexpr std::size_t kAdjustHandles = 10;

}  // namespace

void textBoxStyleProperties(const char* style, ShapeText& propertyText, char*& nextBoxName) {
    const StyleText text(style);
    if (const std::optional<std::int32_t> flow = textFlowCode(text)) {
        appendProperty(propertyText, "txflTextFlow", static_cast<std::int64_t>(*flow));
    }
    for (const PaddingProperty& padding : kPaddings) {
        if (const char* value = text.from(padding.literal)) lengthProperty(lengthToEmuText(value), padding.property, propertyText);
    }
    if (text.has("v-text-anchor:")) {
        for (const LiteralCode& anchor : kTextAnchors) {
            if (!text.has(anchor.literal)) continue;
            appendProperty(propertyText, "anchorText", static_cast<std::int64_t>(anchor.code));
            break;
        }
    }
    if (text.has("v-text-wrapping:t")) flagProperty(propertyText, "WrapText", true);
    if (text.has("mso-fit-shape-to-text:t")) flagProperty(propertyText, "fFitShapeToText", true);
    if (text.has("mso-next-textbox:#")) takeNextBoxName(text.rest("mso-next-textbox:#"), propertyText, nextBoxName);
}

void textInsetProperties(const char* inset, ShapeText& propertyText) {
    if (inset == nullptr) return;
    static constexpr const char* kInsetNames[] = {"dxTextLeft", "dyTextTop", "dxTextRight"};
    std::string_view rest(inset);
    for (const char* name : kInsetNames) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) return;  // a field without its comma, and all after it, are skipped
        const std::string_view field = rest.substr(0, comma);
        if (!field.empty()) lengthProperty(convertLengthValue(field, LengthUnit::emu), name, propertyText);
        rest.remove_prefix(comma + 1);
    }
    const std::string_view last = rest.substr(0, rest.find(','));
    if (last.size() >= 2) lengthProperty(convertLengthValue(last, LengthUnit::emu), "dyTextBottom", propertyText);
}

std::int16_t wordArtStyleProperties(const char* style, ShapeText& propertyText) {
    const StyleText text(style);
    bool flagged = false;
    if (text.has("font-family:")) {
        const std::string font = wordArtFont(text.rest("font-family:"));
        if (!font.empty()) appendProperty(propertyText, "gtextFont", std::string_view(font));
    }
    if (const char* size = text.from("font-size:")) lengthProperty(lengthToFixedText(size), "gtextSize", propertyText);
    const struct {
        const char* literal;
        const char* word;
        const char* property;
    } kWordFlags[] = {
        {"font-style:", "italic", "gtextFItalic"},
        {"font-weight:", "bold", "gtextFBold"},
        {"font-variant:", "small-caps", "gtextFSmallcaps"},
    };
    for (const auto& flag : kWordFlags) {
        if (!text.has(flag.literal) || !contains(text.rest(flag.literal), flag.word)) continue;
        flagProperty(propertyText, flag.property, true);
        flagged = true;
    }
    if (text.has("text-decoration:")) {
        const std::string_view rest = text.rest("text-decoration:");
        // An underline alone does not make the text WordArt.
        if (contains(rest, "underline")) flagProperty(propertyText, "gtextFUnderline", true);
        if (contains(rest, "line-through")) {
            flagProperty(propertyText, "gtextFStrikethrough", true);
            flagged = true;
        }
    }
    if (text.has("text-align:")) {
        if (const std::optional<std::int32_t> align = wordArtAlignment(text)) {
            appendProperty(propertyText, "gtextAlign", static_cast<std::int64_t>(*align));
        }
    }
    if (const char* spacing = text.from("v-text-spacing:")) lengthProperty(lengthToFixedText(spacing), "gtextSpacing", propertyText);
    flagged = trueFalseFlag(text, "v-text-kern:", "gtextFKern", propertyText) || flagged;
    flagged = trueFalseFlag(text, "v-rotate-letters:", "gtextFVertical", propertyText) || flagged;
    return flagged ? 1 : 0;
}

void horizontalRuleSize(const char* style, ShapeText& propertyText) {
    const StyleText text(style);
    const struct {
        const char* literal;
        const char* property;
    } kSizes[] = {{"height:", "dxHeightHR"}, {"width:", "dxWidthHR"}};
    for (const auto& size : kSizes) {
        const std::int32_t twips = text.has(size.literal) ? lengthToTwips(text.from(size.literal)) : 0;
        if (twips != 0) appendProperty(propertyText, size.property, static_cast<std::int64_t>(twips));
    }
}

void adjustValueProperties(const char* adj, ShapeText& propertyText) {
    if (adj == nullptr || *adj == '\0') return;
    const std::vector<std::string_view> fields = commaFields(adj);
    for (std::size_t index = 0; index < fields.size() && index < kAdjustHandles; ++index) {
        const std::string_view field = fields[index];
        if (index == 0) {
            appendProperty(propertyText, "adjustValue", field);
        } else {
            const std::string name = "adjust" + std::to_string(index + 1) + "Value";
            appendProperty(propertyText, name.c_str(), field);
        }
    }
}

std::int32_t shapeTypeProperty(const char* typeReference, ShapeText& propertyText) {
    if (typeReference == nullptr) return -1;
    const std::string_view reference(typeReference);
    const std::size_t marker = reference.find("_t");
    if (marker == std::string_view::npos) return -1;
    const std::string_view number = reference.substr(marker + 2);
    appendProperty(propertyText, "shapeType", number);
    return decimalOf(number);
}

GroupOrigin groupOriginProperties(const char* origin, ShapeText& propertyText) {
    if (origin == nullptr) return {0, 0};
    const std::string_view text(origin);
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {0, 0};
    const std::string_view x = text.substr(0, comma);
    const std::string_view y = text.substr(comma + 1);
    appendProperty(propertyText, "groupLeft", x);
    appendProperty(propertyText, "groupTop", y);
    return {decimalOf(x), decimalOf(y)};
}

void groupSizeProperties(const char* size, ShapeText& propertyText, GroupOrigin origin) {
    if (size == nullptr) return;
    const std::string_view text(size);
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return;
    // Summed in 64 bits: an origin and a size near the ends of the 32-bit range do not wrap.
    appendProperty(propertyText, "groupRight", std::int64_t{origin.x} + decimalOf(text.substr(0, comma)));
    appendProperty(propertyText, "groupBottom", std::int64_t{origin.y} + decimalOf(text.substr(comma + 1)));
}

void geometryProperties(const char* size, ShapeText& propertyText) {
    if (size == nullptr) return;
    const std::vector<std::string_view> fields = commaFields(size);
    if (fields.size() == 2) {
        appendProperty(propertyText, "geoRight", fields[0]);
        appendProperty(propertyText, "geoBottom", fields[1]);
    } else if (fields.size() == 4) {
        appendProperty(propertyText, "geoLeft", fields[0]);
        appendProperty(propertyText, "geoTop", fields[1]);
        appendProperty(propertyText, "geoRight", fields[2]);
        appendProperty(propertyText, "geoBottom", fields[3]);
    }
}

void wrapPolygonProperty(const char* wrapCoords, ShapeText& propertyText) {
    if (wrapCoords == nullptr) return;
    std::vector<std::string_view> numbers;
    std::string_view rest(wrapCoords);
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        const std::string_view number = rest.substr(0, blank);
        if (!number.empty()) numbers.push_back(number);
        if (blank == std::string_view::npos) break;
        rest.remove_prefix(blank + 1);
    }
    const std::size_t pairs = numbers.size() / 2;
    if (pairs == 0) return;
    std::string vertices = "8;" + std::to_string(pairs);
    for (std::size_t pair = 0; pair < pairs; ++pair) {
        vertices += ";(";
        vertices += numbers[2 * pair];
        vertices += ',';
        vertices += numbers[2 * pair + 1];
        vertices += ')';
    }
    appendProperty(propertyText, "pWrapPolygonVertices", std::string_view(vertices));
}

void ruleAlignProperty(const char* align, ShapeText& propertyText) {
    const std::optional<std::int32_t> code = codeOfName(kRuleAlignments, align);
    if (code) appendProperty(propertyText, "alignHR", static_cast<std::int64_t>(*code));
}

void rulePercentProperty(const char* percent, ShapeText& propertyText) {
    if (percent != nullptr && *percent != '\0') appendProperty(propertyText, "pctHR", std::string_view(percent));
}

std::int16_t horizontalRuleFlag(const char* value, ShapeText& propertyText) {
    if (!isTrueText(value)) return 0;
    flagProperty(propertyText, "fHorizRule", true);
    return 1;
}

void ruleNoShadeFlag(const char* value, ShapeText& propertyText) {
    flagProperty(propertyText, "fNoshadeHR", isTrueText(value));
}

void ruleStandardFlag(const char* value, ShapeText& propertyText) {
    flagProperty(propertyText, "fStandardHR", isTrueText(value));
}
