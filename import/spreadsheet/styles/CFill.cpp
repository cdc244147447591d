#include "import/spreadsheet/styles/CFill.h"

#include "foundation/text/NameCompare.h"
#include "package/xml/XmlColors.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// In the order of their numbers, "none" being -1 and "solid" 1.
constexpr const char* kPatterns[] = {
    "solid",          "mediumGray",     "darkGray",  "lightGray",  "darkHorizontal", "darkVertical",
    "darkDown",       "darkUp",         "darkGrid",  "darkTrellis", "lightHorizontal", "lightVertical",
    "lightDown",      "lightUp",        "lightGrid", "lightTrellis", "gray125",        "gray0625",
};

std::int16_t patternNumber(const char* name, std::int16_t unchanged) {
    if (compareNames(name, "none") == 0) return -1;
    for (std::size_t index = 0; index < std::size(kPatterns); ++index)
        if (compareNames(name, kPatterns[index]) == 0) return static_cast<std::int16_t>(index + 1);
    return unchanged;
}

void readDouble(const xmlNode* element, const char* name, double* field) {
    std::int16_t present = 0;
    const double value = xmlGetAttrDouble(element, nullptr, name, &present);
    if (present != 0) *field = value;
}

}  // namespace

void CFill::read(const xmlNode* element) {
    if (element == nullptr) return;
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, nullptr, "patternFill")) readPatternFill(child);
        else if (xmlIsElement(child, nullptr, "gradientFill")) readGradientFill(child);
    }
}

void CFill::readPatternFill(const xmlNode* element) {
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, nullptr, "fgColor")) xmlGetColor(child, &fgColor);
        else if (xmlIsElement(child, nullptr, "bgColor")) xmlGetColor(child, &bgColor);
    }
    std::int16_t present = 0;
    if (const char* pattern = xmlGetAttrString(element, nullptr, "patternType", &present))
        patternType = patternNumber(pattern, patternType);
}

void CFill::readGradientFill(const xmlNode* element) {
    stops.clear();
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (!xmlIsElement(child, nullptr, "stop")) continue;
        GradientStop stop;
        readDouble(child, "position", &stop.position);
        if (const xmlNode* color = xmlFindElement(child->children, nullptr, "color", 0)) xmlGetColor(color, &stop.color);
        stops.push_back(stop);
    }
    std::int16_t present = 0;
    const char* type = xmlGetAttrString(element, nullptr, "type", &present);
    gradientType = type != nullptr && compareNames(type, "path") == 0 ? 2 : 1;
    readDouble(element, "degree", &degree);
    readDouble(element, "left", &left);
    readDouble(element, "right", &right);
    readDouble(element, "top", &top);
    readDouble(element, "bottom", &bottom);
}
