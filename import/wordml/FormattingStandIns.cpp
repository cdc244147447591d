// Stand-ins for the operations of CWordMLImporter whose readers are not built yet: the paragraph, run,
// section, note and table properties keep the document defaults; every run delivers its text; a new
// section in the main story breaks as a continuous section; a table cell ends where the next paragraph
// lies outside it, and its row ends with it where the next paragraph lies outside the row. Listed in
// docs/stand-ins.md.
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/TParagraph.h"
#include "model/StoryKinds.h"
#include "model/XParamBlock.h"
#include "package/XmlElementSearch.h"

namespace {

constexpr std::int16_t kSectionBreakAnswer = 8;
constexpr std::int32_t kContinuousSection = 4;

}  // namespace

void CWordMLImporter::readNoteProperties(xmlNode*, XFootnote*) {}
void CWordMLImporter::readSectionProperties(xmlNode*, XPage*) {}
void CWordMLImporter::applySectionProperties(xmlNode*) {}
void CWordMLImporter::applyParagraphProperties(xmlNode*) {}
void CWordMLImporter::applyRunProperties(xmlNode*) {}
void CWordMLImporter::noteParagraphHook(xmlNode*) {}

// Headers, footers and tables are stories of their own: the main story passes over their paragraphs.
std::int16_t CWordMLImporter::acceptParagraph(xmlNode* paragraph) {
    if (block->storyNumber != storykind::kMain || paragraph == nullptr) return 1;
    if (xmlNextElement(paragraph, "w", "hdr") != nullptr || xmlNextElement(paragraph, "w", "ftr") != nullptr ||
        xmlNextElement(paragraph, "w", "tbl") != nullptr)
        return 0;
    return 1;
}

std::int16_t CWordMLImporter::readParagraphContent(xmlNode*) {
    return 1;
}

std::int16_t CWordMLImporter::sectionBreakCode(xmlNode*) {
    block->form.txtData = kContinuousSection;
    return kSectionBreakAnswer;
}

bool CWordMLImporter::checkCellEnd(xmlNode* cell, xmlNode* row, xmlNode* nextParagraph, bool* lastOfRow) {
    *lastOfRow = false;
    if (cell == nullptr) return false;
    if (nextParagraph != nullptr && enclosingCell(nextParagraph) == cell) return false;
    *lastOfRow = nextParagraph == nullptr || enclosingRow(nextParagraph) != row;
    return true;
}
