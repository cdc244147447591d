#include "import/spreadsheet/styles/CStyle.h"

#include "foundation/text/NameCompare.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kHorizontal[] = {"general", "left",    "center",           "right",
                                       "fill",    "justify", "centerContinuous", "distributed"};
constexpr const char* kVertical[] = {"top", "center", "bottom", "justify", "distributed"};

template <std::size_t N>
void readNamed(const xmlNode* element, const char* attribute, const char* const (&names)[N], std::int16_t* field) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, attribute, &present);
    if (value == nullptr) return;
    for (std::size_t index = 0; index < N; ++index)
        if (compareNames(value, names[index]) == 0) *field = static_cast<std::int16_t>(index);
}

void readInt(const xmlNode* element, const char* name, std::int32_t* field) {
    std::int16_t present = 0;
    const std::int32_t value = xmlGetAttrInt(element, nullptr, name, &present);
    if (present != 0) *field = value;
}

void readShort(const xmlNode* element, const char* name, std::int16_t* field) {
    std::int32_t value = *field;
    readInt(element, name, &value);
    if (value >= INT16_MIN && value <= INT16_MAX) *field = static_cast<std::int16_t>(value);
}

void readBool(const xmlNode* element, const char* name, bool* field) {
    std::int16_t present = 0;
    const std::int16_t value = xmlGetAttrBool(element, nullptr, name, &present);
    if (present != 0) *field = value != 0;
}

}  // namespace

void CStyle::reset() {
    numFmt.reset();
    font = CFont{};
    fill = CFill{};
    border = CBorder{};
    numFmtId = fontId = fillId = borderId = xfId = quotePrefix = pivotButton = 0;
    applyNumberFormat = applyFont = applyFill = applyBorder = applyAlignment = applyProtection = true;
}

void CStyle::read(const xmlNode* xf) {
    if (xf == nullptr) return;
    readInt(xf, "numFmtId", &numFmtId);
    readInt(xf, "fontId", &fontId);
    readInt(xf, "fillId", &fillId);
    readInt(xf, "borderId", &borderId);
    readInt(xf, "xfId", &xfId);
    readInt(xf, "quotePrefix", &quotePrefix);
    readInt(xf, "pivotButton", &pivotButton);
    readBool(xf, "applyNumberFormat", &applyNumberFormat);
    readBool(xf, "applyFont", &applyFont);
    readBool(xf, "applyFill", &applyFill);
    readBool(xf, "applyBorder", &applyBorder);
    readBool(xf, "applyAlignment", &applyAlignment);
    if (applyAlignment) {
        if (const xmlNode* alignment = xmlFindElement(xf->children, nullptr, "alignment", 0)) {
            readNamed(alignment, "horizontal", kHorizontal, &horizontal);
            readNamed(alignment, "vertical", kVertical, &vertical);
            readShort(alignment, "textRotation", &textRotation);
            readBool(alignment, "wrapText", &wrapText);
            readShort(alignment, "indent", &indent);
            readShort(alignment, "relativeIndent", &relativeIndent);
            readBool(alignment, "justifyLastLine", &justifyLastLine);
            readBool(alignment, "shrinkToFit", &shrinkToFit);
            readShort(alignment, "readingOrder", &readingOrder);
        }
    }
    readBool(xf, "applyProtection", &applyProtection);
    if (applyProtection) {
        if (const xmlNode* protection = xmlFindElement(xf->children, nullptr, "protection", 0)) {
            readBool(protection, "locked", &locked);
            readBool(protection, "hidden", &hidden);
        }
    }
}
