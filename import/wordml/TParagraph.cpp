#include "import/wordml/TParagraph.h"

#include "package/XmlElementSearch.h"

namespace {

bool isRunElement(const xmlNode* node) {
    return xmlIsElement(node, "w", "r") || xmlIsElement(node, "aml", "annotation") ||
           xmlIsElement(node, "w", "bookmarkStart") || xmlIsElement(node, "w", "bookmarkEnd") ||
           xmlIsElement(node, "w", "commentRangeStart") || xmlIsElement(node, "w", "commentRangeEnd");
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
        if (isRunElement(child)) {
            runs.push_back(std::make_unique<TRun>(findSection, child));
        } else if (child->type == XML_ELEMENT_NODE) {
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
