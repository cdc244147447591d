#pragma once
// The sections of a Word 2007 document in document order, so that each section can take the header and
// footer references it does not name itself from the sections before it. The section elements belong
// to the document tree; the list only points at them.
#include <libxml/tree.h>

#include <vector>

#include "foundation/CBase.h"

class TSectionsArray : public CBase {
public:
    void addSection(xmlNode* section);
    // For each section after the first and each of the six reference attributes ("evenHeaderRefTag" ...
    // "firstFooterRefTag"): a value that is absent or 0 becomes the nearest earlier section's non-zero
    // value, written back on the element as decimal text.
    void inheritReferences();

    std::size_t count() const { return sections.size(); }

private:
    std::vector<xmlNode*> sections;
};
