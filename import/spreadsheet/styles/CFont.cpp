#include "import/spreadsheet/styles/CFont.h"

#include <algorithm>

#include "foundation/text/NameCompare.h"
#include "model/records/character/XForm.h"
#include "package/xml/XmlColors.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

struct NamedValue {
    const char* name;
    std::int16_t value;
};

constexpr NamedValue kUnderlines[] = {
    {"single", kFaceUnderline}, {"double", kFaceDoubleUnderline}, {"singleAccounting", 0},
    {"doubleAccounting", 0},    {"none", 0},
};
constexpr NamedValue kVerticalPositions[] = {{"baseline", 0}, {"superscript", 1}, {"subscript", 2}};
constexpr NamedValue kSchemes[] = {{"none", 0}, {"major", 1}, {"minor", 2}};

// The "val" of the element looked up among the names; an absent or unknown value leaves the field.
template <std::size_t N>
void readNamedVal(const xmlNode* element, const NamedValue (&names)[N], std::int16_t* field) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, "val", &present);
    if (value == nullptr) return;
    for (const NamedValue& named : names) {
        if (compareNames(value, named.name) == 0) {
            *field = named.value;
            return;
        }
    }
}

void readIntVal(const xmlNode* element, std::int16_t* field) {
    std::int16_t present = 0;
    const std::int32_t value = xmlGetAttrInt(element, nullptr, "val", &present);
    if (present != 0 && value >= INT16_MIN && value <= INT16_MAX) *field = static_cast<std::int16_t>(value);
}

}  // namespace

void CFont::read(const xmlNode* element) {
    if (element == nullptr) return;
    const struct {
        const char* name;
        bool CFont::*flag;
    } toggles[] = {{"b", &CFont::bold},       {"i", &CFont::italic},     {"strike", &CFont::strike},
                   {"outline", &CFont::outline}, {"shadow", &CFont::shadow}, {"condense", &CFont::condense},
                   {"extend", &CFont::extend}};
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        bool known = false;
        for (const auto& toggle : toggles) {
            if (xmlIsElement(child, nullptr, toggle.name)) {
                this->*toggle.flag = xmlGetToggle(child) != 0;
                known = true;
                break;
            }
        }
        if (known) continue;
        std::int16_t present = 0;
        if (xmlIsElement(child, nullptr, "charset")) {
            readIntVal(child, &charset);
        } else if (xmlIsElement(child, nullptr, "family")) {
            readIntVal(child, &family);
        } else if (xmlIsElement(child, nullptr, "color")) {
            xmlGetColor(child, &color);
        } else if (xmlIsElement(child, nullptr, "rFont") || xmlIsElement(child, nullptr, "name")) {
            const char* value = xmlGetAttrString(child, nullptr, "val", &present);
            name = value != nullptr ? value : "";
        } else if (xmlIsElement(child, nullptr, "scheme")) {
            readNamedVal(child, kSchemes, &scheme);
        } else if (xmlIsElement(child, nullptr, "sz")) {
            // Whole points only, held within the 16-bit size field.
            const std::int32_t points = xmlGetAttrInt(child, nullptr, "val", &present);
            if (present != 0 && points >= 0) size = static_cast<std::int16_t>(std::min(points, 3276) * 10);
        } else if (xmlIsElement(child, nullptr, "u")) {
            readNamedVal(child, kUnderlines, &underline);
        } else if (xmlIsElement(child, nullptr, "vertAlign")) {
            readNamedVal(child, kVerticalPositions, &vertAlign);
        }
    }
}

std::uint32_t CFont::faceFlags() const {
    std::uint32_t face = 0;
    if (bold) face |= kFaceBold;
    if (italic) face |= kFaceItalic;
    if (strike) face |= kFaceStrikeThrough;
    if (outline) face |= kFaceOutline;
    if (shadow) face |= kFaceShadow;
    if (condense) face |= kFaceCondensed;
    if (extend) face |= kFaceExpanded;
    if (underline == kFaceUnderline) face |= kFaceUnderline;
    if (underline == kFaceDoubleUnderline) face |= kFaceDoubleUnderline;
    if (vertAlign == 1) face |= kFaceSuperscript;
    if (vertAlign == 2) face |= kFaceSubscript;
    return face;
}

bool CFont::looksLike(const CFont& other) const {
    if (this == &other) return true;
    return faceFlags() == other.faceFlags() && size == other.size && color.red == other.color.red &&
           color.green == other.color.green && color.blue == other.color.blue;
}
