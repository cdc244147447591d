#pragma once
// The few XML tests the theme's readers share: DrawingML elements by local name, and attribute texts
// copied out of the node helpers' shared buffer.
#include <libxml/tree.h>

#include <optional>
#include <string>

namespace themexml {

// True when the node is an element of the DrawingML namespace (whatever prefix the document binds to
// it) with that local name under the name rule.
bool isDrawingElement(const xmlNode* node, const char* localName);

// The attribute's text (unprefixed), or nothing when absent or too long for the helpers' buffer.
std::optional<std::string> attributeText(const xmlNode* element, const char* name);

}  // namespace themexml
