#include "package/ThemeXml.h"

#include "foundation/NameCompare.h"
#include "package/XmlNamespaces.h"
#include "package/XmlNodeHelpers.h"

namespace themexml {

bool isDrawingElement(const xmlNode* node, const char* localName) {
    if (node == nullptr || node->type != XML_ELEMENT_NODE || node->name == nullptr) return false;
    if (!namespaceMatchesPrefix(node->ns, "a")) return false;
    return compareNames(reinterpret_cast<const char*>(node->name), localName) == 0;
}

std::optional<std::string> attributeText(const xmlNode* element, const char* name) {
    std::int16_t present = 0;
    const char* text = xmlGetAttrString(element, nullptr, name, &present);
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

}  // namespace themexml
