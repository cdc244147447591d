#include "import/spreadsheet/styles/CBorder.h"

#include "foundation/text/NameCompare.h"
#include "package/xml/XmlColors.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kSideNames[CBorder::kSideCount] = {"left",     "right",    "top",       "bottom",
                                                         "diagonal", "vertical", "horizontal"};

// In the order of their numbers, from "none" 0.
constexpr const char* kLineStyles[] = {
    "none",   "thin",         "medium",           "dashed",     "dotted",        "thick",        "double",
    "hair",   "mediumDashed", "dashDot",          "mediumDashDot", "dashDotDot", "mediumDashDotDot",
    "slantDashDot",
};

void readFlag(const xmlNode* element, const char* name, bool* flag) {
    std::int16_t present = 0;
    const std::int16_t value = xmlGetAttrBool(element, nullptr, name, &present);
    if (present != 0) *flag = value != 0;
}

}  // namespace

void CBorder::read(const xmlNode* element) {
    if (element == nullptr) return;
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
        for (int side = 0; side < kSideCount; ++side) {
            if (xmlIsElement(child, nullptr, kSideNames[side])) readSide(child, static_cast<Side>(side));
        }
    }
    readFlag(element, "diagonalUp", &diagonalUp);
    readFlag(element, "diagonalDown", &diagonalDown);
    readFlag(element, "outline", &outline);
}

void CBorder::readSide(const xmlNode* element, Side side) {
    BorderSide& target = sides[side];
    target = BorderSide{};
    std::int16_t present = 0;
    if (const char* style = xmlGetAttrString(element, nullptr, "style", &present)) {
        for (std::size_t index = 0; index < std::size(kLineStyles); ++index)
            if (compareNames(style, kLineStyles[index]) == 0) target.style = static_cast<std::int16_t>(index);
    }
    if (const xmlNode* color = xmlFindElement(element->children, nullptr, "color", 1)) xmlGetColor(color, &target.color);
}
