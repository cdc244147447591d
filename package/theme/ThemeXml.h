#pragma once
// Attribute texts for the theme's readers, copied out of the node helpers' shared buffer.
#include <libxml/tree.h>

#include <optional>
#include <string>

namespace themexml {

// The attribute's text (unprefixed), or nothing when absent or too long for the helpers' buffer.
std::optional<std::string> attributeText(const xmlNode* element, const char* name);

}  // namespace themexml
