#pragma once
// The frame of the properties pass of a Word 2007 package: the property parts are read one after the
// other, each parsed, its root checked, its walk run and its tree released before the next part is
// opened. Every part is optional: one that is missing, not well-formed or has another root is passed
// over without a message. A failure raised by a walk releases the part and goes on to the caller; the
// parts after it are not read.
#include <libxml/tree.h>

#include <functional>
#include <initializer_list>

class CRelationshipsTable;

struct PropertyPart {
    const char* path;        // inside the package: "docProps/app.xml"
    const char* rootPrefix;  // the root's namespace (XmlNamespaces.h), null for any
    const char* rootName;
    std::function<void(const xmlNode* root)> walk;
};

void readPropertyParts(CRelationshipsTable& package, std::initializer_list<PropertyPart> parts);
