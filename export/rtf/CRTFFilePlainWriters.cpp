// The plain forms of the emitter's head and body writers that have no formatting writers yet (see
// CRTFFile.h): no style sheet, lists or information group, the first section's headers and footers
// without section properties, and tables as lines of tab-separated cells.
#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "model/XPage.h"
#include "model/XRule.h"

void CRTFFile::writeStyleSheet() {}
void CRTFFile::writeListTables() {}
void CRTFFile::writeInfo(const XHead&) {}
void CRTFFile::writeBackground() {}
void CRTFFile::writeNoteProperties(const XPage&) {}

void CRTFFile::writeDocumentProperties(const XPage& firstSection, const XHead&) {
    writeNoteProperties(firstSection);
    writeSectionProps(firstSection, 0);
    writeFormat("\r\n");
}

void CRTFFile::writeSectionProps(const XPage& page, std::int16_t) {
    writeFormat("\\sectd ");
    const std::int16_t facing = placer->needsFacingHeaders(page);
    placer->writeHeaders(page, facing);
    placer->writeFooters(page, facing);
}

void CRTFFile::endSection() {}

std::int16_t CRTFFile::writeCellMark(const XRule& rule) {
    // Without row definitions a table reads as lines of tab-separated cells.
    if (rule.lastCellOfRow == 1) {
        placer->nextTableRow();
        writeFormat("\r\n\\par ");
        return 2;
    }
    if (rule.cellOfRow == 1) {
        writeFormat("\\tab ");
        return 2;
    }
    return 1;
}
