#pragma once
// Element and attribute prefixes name namespaces, not spellings: a document may bind the
// WordprocessingML namespace to "w", to "ns0" or to the default namespace and mean the same thing.
// The readers keep their conventional prefixes ("w", "r", "a", "v", ...) and a node matches a prefix
// when its namespace URI is one the prefix conventionally stands for (transitional and strict OOXML,
// Word 2003 XML for "w"), or, for namespaces we do not know, when its written prefix matches.
#include <libxml/tree.h>

// True when the namespace `ns` (may be null) is what `prefix` stands for.
bool namespaceMatchesPrefix(const xmlNs* ns, const char* prefix);
