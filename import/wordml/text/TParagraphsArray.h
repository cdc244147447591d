#pragma once
// The walk over one story: its paragraphs in document order, each with its runs, handed out one item at
// a time. An item is a run of a paragraph, or a paragraph standing for itself (one without runs, a
// table, an annotation among the paragraphs). Tables are one item each; their rows are a story of their
// own, walked when that story's node is given with takeChildren.
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CBase.h"
#include "import/wordml/text/TParagraph.h"

class UniqueTags;

// One item of the walk.
struct WalkItem {
    bool paragraphIsEmpty;
    bool isLastRun;
    xmlNode* section;
    xmlNode* row;
    xmlNode* cell;
    xmlNode* paragraph;
    xmlNode* run;
    std::int16_t kind;
    std::int32_t tag;
};

class TParagraphsArray : public CBase {
public:
    TParagraphsArray(SectionFinder findSection, UniqueTags& tags);

    // Drops the walk.
    void clear();
    // Gathers the paragraphs of the container element (a body, note, header, text box, ...). With
    // takeChildren the element's children are walked instead (a table story delivers the table's rows).
    void fill(xmlNode* element, bool takeChildren);
    // The next item; false at the end of the story.
    bool nextItem(WalkItem& item);
    // The node of the paragraph after the current one, or null at the end.
    xmlNode* peekNextParagraph() const;

    std::size_t paragraphCount() const { return paragraphs.size(); }

private:
    void walk(xmlNode* first, bool withSiblings);

    SectionFinder findSection;
    UniqueTags& tags;
    std::vector<std::unique_ptr<TParagraph>> paragraphs;
    std::size_t cursor = 0;
    bool paragraphDone = false;
};
