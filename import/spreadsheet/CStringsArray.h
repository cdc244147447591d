#pragma once
// The shared strings of a workbook ("xl/sharedStrings.xml"): the "si" items, looked up by the 0-based
// index a cell of type "s" holds. The parsed part stays open and the items are handed out as elements;
// the cell reader turns each into one run (a "t" child) or one run per "r" child.
//
//   sst
//     si  t                         a plain string
//     si  r rPr t, r t, rPh ...     rich text: one run per "r"; phonetic runs are not text
#include <libxml/tree.h>

#include <cstdint>
#include <vector>

#include "import/docx/PartDocument.h"

class CStringsArray {
public:
    // Takes the parsed part (null for none); a root other than "sst" gives an empty table.
    explicit CStringsArray(xmlDoc* document);
    // Null outside 0 to count - 1.
    const xmlNode* stringAt(std::int64_t index) const;
    std::size_t count() const { return items.size(); }

private:
    PartDocument document;
    std::vector<const xmlNode*> items;
};
