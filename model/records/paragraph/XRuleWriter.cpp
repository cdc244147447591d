#include "model/records/paragraph/XRuleWriter.h"

#include "foundation/CFail.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/records/RecordWriting.h"
#include "model/records/cell/XRowWriter.h"

namespace {

constexpr const char* kUnit = "BStory";

// The record with its counts of stops, columns and cells clamped to the arrays that hold them: the
// writer stores the count it writes.
XRule withBoundedCounts(const XRule& rule) {
    XRule bounded = rule;
    bounded.tabs.tabs = boundedCount(rule.tabs.tabs, kMaxTabs);
    bounded.rows.grid.numOfColumns = boundedCount(rule.rows.grid.numOfColumns, kMaxGridColumns);
    bounded.rows.rows = boundedCount(rule.rows.rows, kMaxRowCells);
    return bounded;
}

// A record's counts nearly always fit: it is then written as it is, not through an 11 KB copy.
bool countsFit(const XRule& rule) {
    return rule.tabs.tabs == boundedCount(rule.tabs.tabs, kMaxTabs) &&
           rule.rows.grid.numOfColumns == boundedCount(rule.rows.grid.numOfColumns, kMaxGridColumns) &&
           rule.rows.rows == boundedCount(rule.rows.rows, kMaxRowCells);
}

// The level text is the text of "LEVEL" (none for a null text or a length of 0).
void writeLevelText(CStream& level, const XLevel& record) {
    level.writeValues(record.text, static_cast<std::int32_t>(record.textLength), nullptr);
}

// One element per stop in use under "TABSARRAY", "tab000" onward.
void writeTabStops(CStream& tabs, const FieldSpec& row, const XTabs& record) {
    for (int i = 0; i < record.tabs; ++i) {
        ChildElement stop(tabs, IndexedName(row.element, i).c_str());
        writeRecordRows(*stop, *row.sub, &record.tab[i], false);
    }
}

// One key per column in use under "TBLGRID", "XTblGrid_columnRightPos07" for column 7.
void writeGridColumns(CStream& grid, const FieldSpec& row, const XTblGrid& record) {
    for (int i = 0; i < record.numOfColumns; ++i)
        grid.writeAttribute(IndexedName(row.key, i).c_str(), row.letter, record.columnRightPos[i]);
}

// The default cell, then the cells in use, each through writeXRow, which offers the cell's colours. A
// cell that fails fails the record.
void writeCells(CStream& rowSet, const XRows& rows, XParamBlock* block) {
    static const FieldSpec& defaultCell = tableRow(kXRowsTable, "defRow");
    throwIfError(writeXRow(&rowSet, defaultCell.element, &rows.defRow, block), __LINE__, kUnit);
    static const FieldSpec& cells = tableRow(kXRowsTable, "cells");
    for (int i = 0; i < rows.rows; ++i)
        throwIfError(writeXRow(&rowSet, IndexedName(cells.element, i).c_str(), &rows.cells[i], block), __LINE__, kUnit);
}

// "ROWSARRAY": all its keys first (like a cell's), then "TBLGRID", "TBLPPR", "TBLBORDERS", "TBLCELLMAR"
// and the cells.
void writeRowSet(CStream& element, const FieldSpec& row, const XRows& rows, XParamBlock* block) {
    ChildElement rowSet(element, row.element);
    writeRecordKeys(*rowSet, kXRowsTable, &rows, false);
    static const FieldSpec& columns = tableRow(kXTblGridTable, "columnRightPos");
    static const FieldSpec& gridRecord = tableRow(kXRowsTable, "grid");
    writeChildRecord(*rowSet, gridRecord, &rows, [&](const FieldSpec& gridRow, CStream& grid, const void*) {
        if (&gridRow != &columns) failUnknownRow(gridRow);
        writeGridColumns(grid, gridRow, rows.grid);
    });
    for (const char* name : {"tblpPr", "tblBorders", "tblCellMar"})
        writeChildRecord(*rowSet, tableRow(kXRowsTable, name), &rows);
    writeCells(*rowSet, rows, block);
}

// After the whole record: the paragraph's shading and borders whose bits are set, then the table
// borders of a stored row set. The cells have offered theirs already; the row set's shading is not
// offered.
void registerRuleColors(const XRule& rule, XParamBlock* block) {
    registerRecordColors(kXRuleTable, &rule, true, block);
    static const FieldSpec& rowSet = tableRow(kXRuleTable, "rows");
    if (rowIsStored(rowSet, &rule, true))
        registerRecordColors(kXTblBordersTable, &rule.rows.tblBorders, false, block);
}

// The record as stored, its counts within their arrays.
void writeStoredRule(CStream& element, const XRule& stored, XParamBlock* block) {
    // Looked up once: a long document writes thousands of paragraph records.
    static const FieldSpec& levelLength = tableRow(kXLevelTable, "textLength");
    static const FieldSpec& levelText = tableRow(kXLevelTable, "text");
    static const FieldSpec& tabStops = tableRow(kXTabsTable, "tab");
    static const FieldSpec& rowSet = tableRow(kXRuleTable, "rows");
    const auto handWritten = [&](const FieldSpec& row, CStream& where, const void*) {
        if (&row == &levelText) {
            writeLevelText(where, stored.level);
        } else if (&row == &tabStops) {
            writeTabStops(where, row, stored.tabs);
        } else if (&row == &rowSet) {
            writeRowSet(where, row, stored.rows, block);
        } else if (&row != &levelLength) {  // the length goes with the text
            failUnknownRow(row);
        }
    };
    writeRecordRows(element, kXRuleTable, &stored, true, handWritten);
    registerRuleColors(stored, block);
}

}  // namespace

std::int16_t writeXRule(CStream* element, const XRule* rule, XParamBlock* block) {
    if (element == nullptr || rule == nullptr) return result::kNullObject;
    return failureCode([&] {
        if (countsFit(*rule)) {
            writeStoredRule(*element, *rule, block);
        } else {
            writeStoredRule(*element, withBoundedCounts(*rule), block);
        }
    });
}
