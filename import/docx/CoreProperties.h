#pragma once
// The core properties of a Word 2007 package ("docProps/core.xml", root cp:coreProperties): the title,
// the subject and the author reach the document head, and from there the storage and the RTF
// information group. Dates, keywords and the other core properties are passed over.
#include <libxml/tree.h>

#include "model/records/XHead.h"

// Walks the root's direct children: dc:title, dc:subject and dc:creator, as one byte per character
// (code points above 255 become '?'), cut to 127 characters. An element without text leaves its field.
void readCoreProperties(const xmlNode* root, XHead* head);
