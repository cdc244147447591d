#pragma once
// Tests and searches of libxml2 elements by namespace and local name. A prefix argument names the
// namespace it conventionally stands for (XmlNamespaces.h); null means any namespace, or none. Local
// names follow the name rule (compareNames).
#include <libxml/tree.h>

#include <cstdint>
#include <initializer_list>

// A namespace prefix (or null for any) and a local name, as the searches take them.
struct ElementName {
    const char* prefix;
    const char* name;
};

// 1 when the node is an element of that namespace and local name.
std::int16_t xmlIsElement(const xmlNode* node, const char* prefix, const char* name);
// 0 when the node is not that element; else its boolean "val" attribute, 1 when "val" is absent.
std::int16_t xmlIsValOn(const xmlNode* node, const char* prefix, const char* name);
// The first matching element from node along its siblings, depth first in document order when recurse
// is 1 (a node before its descendants, its descendants before its following siblings); or null.
xmlNode* xmlFindElement(xmlNode* node, const char* prefix, const char* name, std::int16_t recurse);
// The nearest enclosing element of that name, or null when one of the stop elements encloses the node
// first (a table row inside a text box does not answer with the outer table's row).
xmlNode* xmlNextElement(xmlNode* node, const char* prefix, const char* name,
                        std::initializer_list<ElementName> stops = {});
// The first child prefix2:name2 of the nearest enclosing prefix1:name1, or null.
xmlNode* xmlFindChild(xmlNode* node, const char* prefix1, const char* name1, const char* prefix2, const char* name2);
