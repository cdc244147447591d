#include "import/spreadsheet/styles/CTableStyle.h"

#include "foundation/text/NameCompare.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// In the order of their numbers, from 1.
constexpr const char* kElementTypes[] = {
    "wholeTable",           "headerRow",             "totalRow",              "firstColumn",
    "lastColumn",           "firstRowStripe",        "secondRowStripe",       "firstColumnStripe",
    "secondColumnStripe",   "firstHeaderCell",       "lastHeaderCell",        "firstTotalCell",
    "lastTotalCell",        "firstSubtotalColumn",   "secondSubtotalColumn",  "thirdSubtotalColumn",
    "firstSubtotalRow",     "secondSubtotalRow",     "thirdSubtotalRow",      "blankRow",
    "firstColumnSubheading", "secondColumnSubheading", "thirdColumnSubheading", "firstRowSubheading",
    "secondRowSubheading",  "thirdRowSubheading",    "pageFieldLabels",       "pageFieldValues",
};

std::int16_t elementType(const char* name) {
    if (name == nullptr) return 0;
    for (std::size_t index = 0; index < std::size(kElementTypes); ++index)
        if (compareNames(name, kElementTypes[index]) == 0) return static_cast<std::int16_t>(index + 1);
    return 0;
}

void readShort(const xmlNode* element, const char* name, std::int16_t* field) {
    std::int16_t present = 0;
    const std::int32_t value = xmlGetAttrInt(element, nullptr, name, &present);
    if (present != 0 && value >= INT16_MIN && value <= INT16_MAX) *field = static_cast<std::int16_t>(value);
}

}  // namespace

void CTableStyle::read(const xmlNode* element, const xmlNode* dxfs) {
    std::int16_t present = 0;
    if (const char* text = xmlGetAttrString(element, nullptr, "name", &present)) name = text;
    readShort(element, "pivot", &pivot);
    readShort(element, "table", &table);
    for (xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (!xmlIsElement(child, nullptr, "tableStyleElement")) continue;
        const std::int16_t type = elementType(xmlGetAttrString(child, nullptr, "type", &present));
        const xmlNode* dxf = nullptr;
        if (dxfs != nullptr) {
            const std::int32_t index = xmlGetAttrInt(child, nullptr, "dxfId", &present);
            if (present != 0) dxf = findDxf(dxfs, index);
        } else {
            dxf = xmlFindElement(child, nullptr, "dxf", 0);
        }
        if (type != 0 && dxf != nullptr) elements.push_back({dxf, type});
    }
}

const xmlNode* CTableStyle::findDxf(const xmlNode* dxfs, std::int32_t index) {
    if (dxfs == nullptr || index < 0) return nullptr;
    for (const xmlNode* child = dxfs->children; child != nullptr; child = child->next) {
        if (!xmlIsElement(child, nullptr, "dxf")) continue;
        if (index-- == 0) return child;
    }
    return nullptr;
}

const CTableStyleElement* CTableStyle::findByType(std::int16_t type) const {
    for (const CTableStyleElement& element : elements)
        if (element.type == type) return &element;
    return nullptr;
}

const CTableStyle* CTableStylesArray::findByName(const char* name) const {
    if (name == nullptr) return nullptr;
    for (const auto& style : styles)
        if (compareNames(style->name.c_str(), name) == 0) return style.get();
    return nullptr;
}
