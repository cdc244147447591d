#pragma once
// The "AutoUniqueTag" numbers that tie sections and tables to their stories for one document. A tag the
// document already carries is kept; an element without one is given a number drawn from the program's
// one random generator, drawn again until it differs from every tag in use, and written onto the element
// so that later look-ups answer the same number.
#include <libxml/tree.h>

#include <cstdint>
#include <unordered_set>

class UniqueTags {
public:
    // Notes the tags already written anywhere in the tree.
    void collectFrom(const xmlNode* root);
    // The element's tag, given one when it has none.
    std::int32_t tagOf(xmlNode* element);

private:
    std::unordered_set<std::int32_t> inUse;
};
