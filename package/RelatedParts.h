#pragma once
// Finding a part through the relationships of the part that uses it: the relationship of the kind
// (RelationshipTypes.h) names the part, and the conventional path serves only when no relationship does.
#include <libxml/tree.h>

#include <string>

#include "package/RelationshipTypes.h"

// relationships: the root of the using part's ".rels" part, or null; sourceFolder: that part's folder
// ("word/", "xl/"). External targets and targets that leave the package are passed over.
std::string partOfType(const xmlNode* relationships, const char* sourceFolder, PartKind kind,
                       const char* conventionalPath);
