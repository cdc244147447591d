#include "model/records/cell/XRow.h"

#include "model/records/RecordFields.h"
#include "model/records/RecordTables.h"

bool equalXRow(const XRow& a, const XRow& b) {
    return equalRecords(kXRowTable, &a, &b);
}

bool equalXRows(const XRows& a, const XRows& b) {
    return equalRecords(kXRowsTable, &a, &b);
}

std::int32_t firstCellLeftMargin(const XRows& rows) {
    if (rows.cells[0].tcMar.left.type == kWidthTwips) return rows.cells[0].tcMar.left.w;
    if (rows.tblCellMar.left.type == kWidthTwips) return rows.tblCellMar.left.w;
    return kUsualCellSideMargin;
}
