#pragma once
// One paragraph of a story walk and its runs. A TParagraph stands for a w:p, a w:tbl (the table as one
// item, kind 10 with the table's tag) or an aml:annotation among the paragraphs; its TRuns are the
// run-level elements found below it in document order, through wrappers such as w:hyperlink,
// w:fldSimple, w:ins and w:smartTag. Both keep the nodes the text-run producer compares from one item
// to the next (section, row, cell, paragraph); they point into the parsed tree and own nothing of it.
#include <libxml/tree.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "foundation/CBase.h"

// Gives the node whose section properties govern a paragraph (CWordMLImporter::findSectionNode).
using SectionFinder = std::function<xmlNode*(xmlNode* paragraph)>;

// The enclosing w:tr or w:tc of a node; null across a v:textbox, so text in a text box that stands in
// a table cell is not part of that cell.
xmlNode* enclosingRow(xmlNode* node);
xmlNode* enclosingCell(xmlNode* node);

struct TRun : public CBase {
    TRun(const SectionFinder& findSection, xmlNode* runNode);

    xmlNode* sectionNode;
    xmlNode* row;
    xmlNode* cell;
    xmlNode* paragraph;
    xmlNode* node;  // w:r, aml:annotation, w:bookmarkStart/End or w:commentRangeStart/End
};

// What TParagraph::nextRun hands out.
struct RunStep {
    enum Kind { kRun, kParagraphItself, kFinished };
    Kind kind;
    const TRun* run;   // for kRun
    bool noRuns;       // for kParagraphItself: a paragraph without runs
    bool isLastRun;
};

class TParagraph : public CBase {
public:
    TParagraph(const SectionFinder& findSection, xmlNode* node, std::int16_t kind, std::int32_t tag);

    RunStep nextRun();

    xmlNode* sectionNode;
    xmlNode* row;
    xmlNode* cell;
    xmlNode* node;       // w:p, w:tbl or aml:annotation
    std::int16_t kind;   // 0, or 10 for a table
    std::int32_t tag;    // the table's tag, else 0

private:
    void collectRuns(const SectionFinder& findSection, xmlNode* first);

    std::vector<std::unique_ptr<TRun>> runs;
    std::size_t runCursor = 0;
};
