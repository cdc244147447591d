#include "import/wordml/sections/TSectionsArray.h"

#include <string>

#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kReferenceAttributes[] = {"evenHeaderRefTag",  "defaultHeaderRefTag", "firstHeaderRefTag",
                                                "evenFooterRefTag",  "defaultFooterRefTag", "firstFooterRefTag"};

std::int32_t referenceOf(const xmlNode* section, const char* attribute) {
    std::int16_t present = 0;
    return xmlGetAttrInt(section, nullptr, attribute, &present);
}

}  // namespace

void TSectionsArray::addSection(xmlNode* section) {
    if (section != nullptr) sections.push_back(section);
}

// Sections are treated in order, so a section inherits through sections that inherited themselves.
void TSectionsArray::inheritReferences() {
    for (std::size_t k = 1; k < sections.size(); ++k) {
        for (const char* attribute : kReferenceAttributes) {
            if (referenceOf(sections[k], attribute) != 0) continue;
            std::int32_t inherited = 0;
            for (std::size_t earlier = k; earlier-- > 0 && inherited == 0;) inherited = referenceOf(sections[earlier], attribute);
            const std::string text = std::to_string(inherited);
            xmlSetProp(sections[k], reinterpret_cast<const xmlChar*>(attribute), reinterpret_cast<const xmlChar*>(text.c_str()));
        }
    }
}
