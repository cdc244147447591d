#pragma once
// The headers and footers of a Word 2007 document. They do not stand in the body: each section's
// properties (w:sectPr) name them by w:headerReference and w:footerReference, whose "id" is a
// relationship of the main document part and whose "type" ("first", "default", "even") is the story's
// kind (0, 1, 2). Each reference gets a tag of its own; the referenced part's w:hdr or w:ftr becomes a
// pending story with that kind and tag as its type and mark, and the section carries the six tags as
// the attributes "evenHeaderRefTag" ... "firstFooterRefTag" ("0" for none), which the section reader
// copies into the page record. A section without a reference of some kind shows the one of the nearest
// earlier section that has it (inheritTags).
#include <libxml/tree.h>

#include <vector>

#include "import/docx/PartDocument.h"

class CRelationshipsTable;
class TNodesArray;
class UniqueTags;

class HeaderFooterReferences {
public:
    // The package holds the main document part's relationships; the parsed header and footer parts go
    // to partDocuments, which must outlive the stories.
    HeaderFooterReferences(CRelationshipsTable& package, TNodesArray& headers, TNodesArray& footers, UniqueTags& tags,
                           std::vector<PartDocument>& partDocuments);

    // Walks from first along its siblings, depth first, stopping at each w:sectPr (one kept inside
    // another, as in w:sectPrChange, is never a section).
    void collect(xmlNode* first);
    // Fills each section's tags of value 0 from the nearest earlier section with one.
    void inheritTags();

    const std::vector<xmlNode*>& sectionElements() const { return sections; }

private:
    void readSection(xmlNode* section);
    void readReference(xmlNode* reference, bool isHeader, std::int32_t* kindTags);

    CRelationshipsTable& package;
    TNodesArray& headers;
    TNodesArray& footers;
    UniqueTags& tags;
    std::vector<PartDocument>& partDocuments;
    std::vector<xmlNode*> sections;
};
