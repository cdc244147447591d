#pragma once
// The extended properties of a Word 2007 package ("docProps/app.xml", root Properties in any
// namespace). Only the character counts are taken: they estimate the length of the main story, against
// which the import engine paces its progress. Nothing of this part reaches the storage.
#include <libxml/tree.h>

#include <cstdint>

// Walks the root's direct children: "Characters" n gives n + 40%, "CharactersWithSpaces" n gives
// n + 20% (integer division), the later one wins. A count that is not a positive number stores nothing;
// an estimate beyond 32 bits is held at the largest.
void readExtendedProperties(const xmlNode* root, std::int32_t* expectedLength);
