// Stand-ins for the operations of CWordMLImporter whose readers are not built yet: the paragraph, run,
// section, note and table properties keep the document defaults; a table cell ends where the next paragraph
// lies outside it, and its row ends with it where the next paragraph lies outside the row. Listed in
// docs/stand-ins.md.
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/TParagraph.h"

void CWordMLImporter::readNoteProperties(xmlNode*, XFootnote*) {}
void CWordMLImporter::readSectionProperties(xmlNode*, XPage*) {}
void CWordMLImporter::applySectionProperties(xmlNode*) {}
void CWordMLImporter::applyParagraphProperties(xmlNode*) {}
void CWordMLImporter::applyRunProperties(xmlNode*) {}

bool CWordMLImporter::checkCellEnd(xmlNode* cell, xmlNode* row, xmlNode* nextParagraph, bool* lastOfRow) {
    *lastOfRow = false;
    if (cell == nullptr) return false;
    if (nextParagraph != nullptr && enclosingCell(nextParagraph) == cell) return false;
    *lastOfRow = nextParagraph == nullptr || enclosingRow(nextParagraph) != row;
    return true;
}
