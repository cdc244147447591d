#pragma once
// The parts a package names in its own relationships ("_rels/.rels"): its main part and its properties.
// A package that names none of a kind is read at the conventional path, as older producers expect.
#include <string>
#include <vector>

#include "package/RelationshipTypes.h"

class CRelationshipsTable;

// Where to look for the package's main part, in order: the part that the package relationships name as
// the main document (transitional or strict type), then the conventional path when it differs. The
// package's loaded relationships are left as they were.
std::vector<std::string> mainPartCandidates(CRelationshipsTable& package, const char* conventionalPath);

// The part that the package relationships name for the kind (the core or extended properties), or the
// conventional path.
std::string packagePartOfKind(CRelationshipsTable& package, PartKind kind, const char* conventionalPath);

// The folder of a part name without its trailing '/' ("word" for "word/document2.xml", "" for a part at
// the package root).
std::string folderOfPart(const std::string& partName);
