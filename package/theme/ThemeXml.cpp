#include "package/theme/ThemeXml.h"

#include "package/xml/XmlNodeHelpers.h"

namespace themexml {

std::optional<std::string> attributeText(const xmlNode* element, const char* name) {
    std::int16_t present = 0;
    const char* text = xmlGetAttrString(element, nullptr, name, &present);
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

}  // namespace themexml
