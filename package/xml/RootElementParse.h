#pragma once
// Reads XML text whole, as the parser always does, but builds only its root element (with the root's
// namespaces and attributes): enough to tell what a document is without the cost of its tree. The text
// must still be well-formed throughout, so the answer is null exactly where a whole parse fails.
#include <libxml/tree.h>

// The document holding the root element alone (freed with xmlFreeDoc), or null for text that is not
// well-formed or when memory runs out. Called as xmlReadMemory is.
xmlDoc* readRootElementOnly(const char* bytes, int size, const char* url, const char* encoding, int options);
