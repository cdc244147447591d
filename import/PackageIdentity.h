#pragma once
// How an Office package importer accepts a file when detection asks it: the file (or unpacked folder)
// opens as a package and its main part parses with the expected root element.
#include "foundation/text/PascalWString.h"

struct PackageMainPart {
    const char* partFolder;  // "word", "xl"
    const char* path;        // "word/document.xml"
    const char* rootPrefix;  // the root's namespace (XmlNamespaces.h), null for any
    const char* rootName;
};

// Raises the package reader's code when the main part cannot be read, 32003 when its root is another
// element; returns when the package is one the importer reads. Failures carry the unit.
void identifyPackage(const PascalWString& name, const PascalWString& folder, const PackageMainPart& mainPart,
                     const char* unit);
