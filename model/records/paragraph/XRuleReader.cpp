#include "model/records/paragraph/XRuleReader.h"

#include "foundation/CFail.h"
#include "model/BoundedCount.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/records/cell/XRowReader.h"
#include "model/storage/IndexedName.h"

namespace {

// The rows the reader walks, looked up by name once: a long story has thousands of paragraph elements.
struct RuleRows {
    const FieldSpec& frame = tableRow(kXRuleTable, "frame");
    const FieldSpec& level = tableRow(kXRuleTable, "level");
    const FieldSpec& tabs = tableRow(kXRuleTable, "tabs");
    const FieldSpec& rows = tableRow(kXRuleTable, "rows");
    const FieldSpec& tab = tableRow(kXTabsTable, "tab");
    const FieldSpec& grid = tableRow(kXRowsTable, "grid");
    const FieldSpec& columnRightPos = tableRow(kXTblGridTable, "columnRightPos");
    const FieldSpec& defRow = tableRow(kXRowsTable, "defRow");
    const FieldSpec& cells = tableRow(kXRowsTable, "cells");
    const FieldSpec& tblpPr = tableRow(kXRowsTable, "tblpPr");
    const FieldSpec& tblBorders = tableRow(kXRowsTable, "tblBorders");
    const FieldSpec& tblCellMar = tableRow(kXRowsTable, "tblCellMar");
};

const RuleRows& ruleRows() {
    static const RuleRows rows;
    return rows;
}

void readLevel(CStream& element, XLevel& level) {
    CStream child(&element, ruleRows().level.element, 0);
    char16_t* text = nullptr;
    std::int32_t length = 0;
    child.readValues(&text, &length, nullptr);
    level.text = text;
    level.textLength = text != nullptr ? static_cast<std::uint32_t>(length) : 0;
    readRecordKeys(child, kXLevelTable, &level);
}

void readTabs(CStream& element, XTabs& tabs) {
    CStream child(&element, ruleRows().tabs.element, 0);
    readRecordKeys(child, kXTabsTable, &tabs);
    tabs.tabs = boundedCount(tabs.tabs, kMaxTabs);
    const char* pattern = ruleRows().tab.element;
    for (int i = 0; i < tabs.tabs; ++i) {
        CStream stop(&child, IndexedName(pattern, i).c_str(), 0);
        readRecordKeys(stop, kXTabTable, &tabs.tab[i]);
    }
}

// The column count, then one key per column, "XTblGrid_columnRightPos07" for column 7.
void readGrid(CStream& rowSet, XTblGrid& grid) {
    CStream child(&rowSet, ruleRows().grid.element, 0);
    readRecordKeys(child, kXTblGridTable, &grid);
    grid.numOfColumns = boundedCount(grid.numOfColumns, kMaxGridColumns);
    const FieldSpec& row = ruleRows().columnRightPos;
    for (int i = 0; i < grid.numOfColumns; ++i) {
        child.readAttribute(IndexedName(row.key, i).c_str(), row.letter, &grid.columnRightPos[i]);
    }
}

void readCells(CStream& rowSet, XRows& rows) {
    readXRow(&rowSet, ruleRows().defRow.element, &rows.defRow);
    rows.rows = boundedCount(rows.rows, kMaxRowCells);
    const char* pattern = ruleRows().cells.element;
    for (int i = 0; i < rows.rows; ++i) {
        readXRow(&rowSet, IndexedName(pattern, i).c_str(), &rows.cells[i]);  // an absent cell keeps its value
    }
}

void readRowSet(CStream& element, XRows& rows) {
    CStream rowSet(&element, ruleRows().rows.element, 0);
    readRecordKeys(rowSet, kXRowsTable, &rows);
    rows.rows = boundedCount(rows.rows, kMaxRowCells);
    failureCode([&] { readGrid(rowSet, rows.grid); });
    for (const FieldSpec* row : {&ruleRows().tblpPr, &ruleRows().tblBorders, &ruleRows().tblCellMar})
        readChildRecord(rowSet, *row, &rows);
    failureCode([&] { readCells(rowSet, rows); });
}

// Most paragraph elements store no level, tab stops or table rows; an absent child is passed over
// without raising a failure for it (thousands of them made loading a long story slow).
bool hasChild(CStream& element, const FieldSpec& row) {
    const xmlNode* node = element.getNode();
    return node != nullptr && CStream::findChild(node->children, row.element, nullptr, nullptr, 0) != nullptr;
}

}  // namespace

std::int16_t readXRule(CStream* element, XRule* rule) {
    if (element == nullptr || rule == nullptr) return result::kNullObject;
    const std::int16_t keys = failureCode([&] { readRecordKeys(*element, kXRuleTable, rule); });
    if (keys != result::kSuccess) return keys;

    const RuleRows& rows = ruleRows();
    readChildRecord(*element, rows.frame, rule);
    if (hasChild(*element, rows.level)) failureCode([&] { readLevel(*element, rule->level); });
    if (hasChild(*element, rows.tabs)) failureCode([&] { readTabs(*element, rule->tabs); });
    if (hasChild(*element, rows.rows)) failureCode([&] { readRowSet(*element, rule->rows); });
    return result::kSuccess;
}
