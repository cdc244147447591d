#include "package/xml/XmlElementSearch.h"

#include "package/xml/XmlNamespaces.h"
#include "foundation/text/NameCompare.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// Searches nest as deep as the document does; libxml2 itself refuses documents nested deeper than
// this unless told otherwise, so a walk never needs more.
constexpr int kDeepestSearch = 256;

xmlNode* findFrom(xmlNode* node, const char* prefix, const char* name, std::int16_t recurse, int depth) {
    for (; node; node = node->next) {
        if (xmlIsElement(node, prefix, name)) return node;
        if (recurse == 1 && depth < kDeepestSearch) {
            if (xmlNode* hit = findFrom(node->children, prefix, name, recurse, depth + 1)) return hit;
        }
    }
    return nullptr;
}

}  // namespace

std::int16_t xmlIsElement(const xmlNode* node, const char* prefix, const char* name) {
    if (!node || node->type != XML_ELEMENT_NODE || !node->name || !name) return 0;
    // The name first: most tests are of another element, and its name tells that soonest.
    if (!sameName(reinterpret_cast<const char*>(node->name), name)) return 0;
    return prefix && !namespaceMatchesPrefix(node->ns, prefix) ? 0 : 1;
}

std::int16_t xmlIsValOn(const xmlNode* node, const char* prefix, const char* name) {
    if (!xmlIsElement(node, prefix, name)) return 0;
    return xmlGetToggle(node);
}

xmlNode* xmlFindElement(xmlNode* node, const char* prefix, const char* name, std::int16_t recurse) {
    return findFrom(node, prefix, name, recurse, 0);
}

xmlNode* xmlNextElement(xmlNode* node, const char* prefix, const char* name, std::initializer_list<ElementName> stops) {
    for (xmlNode* parent = node ? node->parent : nullptr; parent; parent = parent->parent) {
        for (const ElementName& stop : stops) {
            if (xmlIsElement(parent, stop.prefix, stop.name)) return nullptr;
        }
        if (xmlIsElement(parent, prefix, name)) return parent;
    }
    return nullptr;
}

xmlNode* xmlFindChild(xmlNode* node, const char* prefix1, const char* name1, const char* prefix2, const char* name2) {
    xmlNode* enclosing = xmlNextElement(node, prefix1, name1);
    return enclosing ? xmlFindElement(enclosing->children, prefix2, name2, 0) : nullptr;
}
