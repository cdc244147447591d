#include "import/wordml/text/TParagraph.h"

#include "import/wordml/annotations/AnnotationComments.h"
#include "package/xml/XmlElementSearch.h"

namespace {

bool isRunElement(const xmlNode* node) {
    return xmlIsElement(node, "w", "r") || xmlIsElement(node, "aml", "annotation") ||
           xmlIsElement(node, "w", "bookmarkStart") || xmlIsElement(node, "w", "bookmarkEnd") ||
           xmlIsElement(node, "w", "commentRangeStart") || xmlIsElement(node, "w", "commentRangeEnd");
}

// Elements of a run whose paragraphs and runs belong to another story (a picture's text box, a Word
// 2003 comment) or to nothing (binary data).
bool isRunContainer(const xmlNode* node) {
    return xmlIsElement(node, "w", "pict") || xmlIsElement(node, "w", "drawing") || xmlIsElement(node, "w", "object") ||
           xmlIsElement(node, "w", "binData") || xmlIsElement(node, "v", "textbox") ||
           xmlIsElement(node, "w", "txbxContent") || xmlIsElement(node, "w", "p") || isAnnotationComment(node);
}

// Whether a run element lies below the node, outside the node's pictures and text boxes.
bool holdsNestedRun(const xmlNode* node) {
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || isRunContainer(child)) continue;
        if (xmlIsElement(child, "w", "r") || holdsNestedRun(child)) return true;
    }
    return false;
}

// Whether a run holding nested runs has content of its own: a child other than its properties and the
// wrappers of the nested runs.
bool holdsOwnContent(const xmlNode* run) {
    for (const xmlNode* child = run->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || xmlIsElement(child, "w", "rPr")) continue;
        if (!xmlIsElement(child, "w", "r") && !holdsNestedRun(child)) return true;
    }
    return false;
}

}  // namespace

xmlNode* enclosingRow(xmlNode* node) {
    return xmlNextElement(node, "w", "tr", {{"v", "textbox"}});
}

xmlNode* enclosingCell(xmlNode* node) {
    return xmlNextElement(node, "w", "tc", {{"v", "textbox"}});
}

TRun::TRun(const SectionFinder& findSection, xmlNode* runNode)
    : row(enclosingRow(runNode)), cell(enclosingCell(runNode)), paragraph(xmlNextElement(runNode, "w", "p")),
      node(runNode) {
    sectionNode = findSection(paragraph);
}

TParagraph::TParagraph(const SectionFinder& findSection, xmlNode* element, std::int16_t itemKind,
                       std::int32_t itemTag)
    : sectionNode(findSection(element)), row(enclosingRow(element)), cell(enclosingCell(element)), node(element),
      kind(itemKind), tag(itemTag) {
    collectRuns(findSection, element->children);
}

void TParagraph::collectRuns(const SectionFinder& findSection, xmlNode* first) {
    for (xmlNode* child = first; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "r") && holdsNestedRun(child)) {
            // Some writers nest runs in a run (inside a w:hlink): the inner runs are the runs, and the
            // outer one is a run only for content of its own beside them.
            if (holdsOwnContent(child)) runs.push_back(std::make_unique<TRun>(findSection, child));
            collectRuns(findSection, child->children);
        } else if (isRunElement(child)) {
            runs.push_back(std::make_unique<TRun>(findSection, child));
        } else if (child->type == XML_ELEMENT_NODE && !isRunContainer(child)) {
            collectRuns(findSection, child->children);
        }
    }
}

RunStep TParagraph::nextRun() {
    if (kind != 0) {
        if (runCursor++ > 0) return {RunStep::kFinished, nullptr, false, false};
        return {RunStep::kParagraphItself, nullptr, false, true};
    }
    if (runs.empty()) {
        if (runCursor++ > 0) return {RunStep::kFinished, nullptr, false, false};
        return {RunStep::kParagraphItself, nullptr, true, false};
    }
    if (runCursor >= runs.size()) return {RunStep::kFinished, nullptr, false, false};
    const std::size_t index = runCursor++;
    return {RunStep::kRun, runs[index].get(), false, index + 1 == runs.size()};
}
