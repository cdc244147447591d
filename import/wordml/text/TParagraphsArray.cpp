#include "import/wordml/text/TParagraphsArray.h"

#include <utility>

#include "import/wordml/text/UniqueTags.h"
#include "package/xml/XmlElementSearch.h"

namespace {

constexpr std::int16_t kTableKind = 10;

}  // namespace

TParagraphsArray::TParagraphsArray(SectionFinder finder, UniqueTags& uniqueTags)
    : findSection(std::move(finder)), tags(uniqueTags) {}

void TParagraphsArray::clear() {
    paragraphs.clear();
    cursor = 0;
    paragraphDone = false;
}

void TParagraphsArray::fill(xmlNode* element, bool takeChildren) {
    if (element == nullptr) return;
    if (takeChildren) {
        walk(element->children, true);
    } else {
        walk(element, false);
    }
}

void TParagraphsArray::walk(xmlNode* first, bool withSiblings) {
    for (xmlNode* node = first; node != nullptr; node = withSiblings ? node->next : nullptr) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (xmlIsElement(node, "w", "p") || xmlIsElement(node, "aml", "annotation")) {
            paragraphs.push_back(std::make_unique<TParagraph>(findSection, node, 0, 0));
        } else if (xmlIsElement(node, "w", "tbl")) {
            paragraphs.push_back(std::make_unique<TParagraph>(findSection, node, kTableKind, tags.tagOf(node)));
        } else {
            walk(node->children, true);
        }
    }
}

bool TParagraphsArray::nextItem(WalkItem& item) {
    item = {};
    while (cursor < paragraphs.size()) {
        TParagraph& paragraph = *paragraphs[cursor];
        const RunStep step = paragraph.nextRun();
        if (step.kind == RunStep::kFinished) {
            paragraphDone = true;
            ++cursor;
            continue;
        }
        item.kind = paragraph.kind;
        item.tag = paragraph.tag;
        item.isLastRun = step.isLastRun;
        if (step.kind == RunStep::kParagraphItself) {
            item.section = paragraph.sectionNode;
            item.row = paragraph.row;
            item.cell = paragraph.cell;
            item.paragraph = paragraph.node;
            // An annotation among the paragraphs is processed like a run.
            const bool isAnnotation = xmlIsElement(paragraph.node, "aml", "annotation") != 0;
            item.run = isAnnotation ? paragraph.node : nullptr;
            item.paragraphIsEmpty = step.noRuns && !isAnnotation;
            paragraphDone = true;
            ++cursor;
            return true;
        }
        item.section = step.run->sectionNode;
        item.row = step.run->row;
        item.cell = step.run->cell;
        item.paragraph = step.run->paragraph;
        item.run = step.run->node;
        paragraphDone = false;
        return true;
    }
    return false;
}

xmlNode* TParagraphsArray::peekNextParagraph() const {
    const std::size_t next = paragraphDone ? cursor : cursor + 1;
    return next < paragraphs.size() ? paragraphs[next]->node : nullptr;
}
