// The end-of-cell mark of a table: "\cell" inside a row, "\row" at the row's end. A row of an outer table
// states its definition before its first cell (beginTableRow) where the row's end was known then, else
// here before "\row". In a nested table the words are "\nestcell" and "\nestrow}", the definition always
// standing before "\nestrow}" in the group that it opens for its properties, where readers look for it.
#include <cstring>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "model/records/paragraph/XRule.h"

std::int16_t CRTFFile::writeCellMark(const XRule& rule) {
    const bool nested = placer->tableDepth() > 1;
    const char* literal = nullptr;
    if (rule.lastCellOfRow == 1) {
        if (nested || rowDefinedAhead == 0) {
            writeRowDefinition(rule.rows, 1);
        } else {
            placer->nextTableRow();
        }
        if (!nested) rowDefinedAhead = 0;
        literal = nested ? "\\nestrow}" : "\\row";
    } else if (rule.cellOfRow == 1) {
        literal = nested ? "\\nestcell" : "\\cell";
    } else {
        // Not in a table: the mark is written as text.
        return 1;
    }
    writeFormat("%s", literal);
    return static_cast<std::int16_t>(std::strlen(literal));
}

void CRTFFile::beginTableRow(const XRows& rows) {
    if (placer->tableDepth() != 1) return;
    writeRowDefinition(rows, 0);
    rowDefinedAhead = 1;
}
