#include "model/XRuleReader.h"

#include "foundation/CFail.h"
#include "model/BoundedCount.h"
#include "model/IndexedName.h"
#include "model/RecordKeys.h"
#include "model/RecordTables.h"
#include "model/XRowReader.h"

namespace {

void readLevel(CStream& element, XLevel& level) {
    CStream child(&element, tableRow(kXRuleTable, "level").element, 0);
    char16_t* text = nullptr;
    std::int32_t length = 0;
    child.readValues(&text, &length, nullptr);
    level.text = text;
    level.textLength = text != nullptr ? static_cast<std::uint32_t>(length) : 0;
    readRecordKeys(child, kXLevelTable, &level);
}

void readTabs(CStream& element, XTabs& tabs) {
    CStream child(&element, tableRow(kXRuleTable, "tabs").element, 0);
    readRecordKeys(child, kXTabsTable, &tabs);
    tabs.tabs = boundedCount(tabs.tabs, kMaxTabs);
    const char* pattern = tableRow(kXTabsTable, "tab").element;
    for (int i = 0; i < tabs.tabs; ++i) {
        CStream stop(&child, IndexedName(pattern, i).c_str(), 0);
        readRecordKeys(stop, kXTabTable, &tabs.tab[i]);
    }
}

// The column count, then one key per column, "XTblGrid_columnRightPos07" for column 7.
void readGrid(CStream& rowSet, XTblGrid& grid) {
    CStream child(&rowSet, tableRow(kXRowsTable, "grid").element, 0);
    readRecordKeys(child, kXTblGridTable, &grid);
    grid.numOfColumns = boundedCount(grid.numOfColumns, kMaxGridColumns);
    const FieldSpec& row = tableRow(kXTblGridTable, "columnRightPos");
    for (int i = 0; i < grid.numOfColumns; ++i) {
        child.readAttribute(IndexedName(row.key, i).c_str(), row.letter, &grid.columnRightPos[i]);
    }
}

void readCells(CStream& rowSet, XRows& rows) {
    readXRow(&rowSet, tableRow(kXRowsTable, "defRow").element, &rows.defRow);
    rows.rows = boundedCount(rows.rows, kMaxRowCells);
    const char* pattern = tableRow(kXRowsTable, "cells").element;
    for (int i = 0; i < rows.rows; ++i) {
        readXRow(&rowSet, IndexedName(pattern, i).c_str(), &rows.cells[i]);  // an absent cell keeps its value
    }
}

void readRowSet(CStream& element, XRows& rows) {
    CStream rowSet(&element, tableRow(kXRuleTable, "rows").element, 0);
    readRecordKeys(rowSet, kXRowsTable, &rows);
    rows.rows = boundedCount(rows.rows, kMaxRowCells);
    failureCode([&] { readGrid(rowSet, rows.grid); });
    for (const char* name : {"tblpPr", "tblBorders", "tblCellMar"})
        readChildRecord(rowSet, tableRow(kXRowsTable, name), &rows);
    failureCode([&] { readCells(rowSet, rows); });
}

// Most paragraph elements store no level, tab stops or table rows; an absent child is passed over
// without raising a failure for it (thousands of them made loading a long story slow).
bool hasChild(CStream& element, const char* rowName) {
    const xmlNode* node = element.getNode();
    return node != nullptr &&
           CStream::findChild(node->children, tableRow(kXRuleTable, rowName).element, nullptr, nullptr, 0) != nullptr;
}

}  // namespace

std::int16_t readXRule(CStream* element, XRule* rule) {
    if (element == nullptr || rule == nullptr) return result::kNullObject;
    const std::int16_t keys = failureCode([&] { readRecordKeys(*element, kXRuleTable, rule); });
    if (keys != result::kSuccess) return keys;

    readChildRecord(*element, tableRow(kXRuleTable, "frame"), rule);
    if (hasChild(*element, "level")) failureCode([&] { readLevel(*element, rule->level); });
    if (hasChild(*element, "tabs")) failureCode([&] { readTabs(*element, rule->tabs); });
    if (hasChild(*element, "rows")) failureCode([&] { readRowSet(*element, rule->rows); });
    return result::kSuccess;
}
