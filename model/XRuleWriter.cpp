#include "model/XRuleWriter.h"

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "foundation/TextFormat.h"
#include "model/RecordKeys.h"
#include "model/RecordTables.h"
#include "model/RecordWriting.h"
#include "model/XRowWriter.h"

namespace {

constexpr const char* kUnit = "BStory";

// Element and key names made from a pattern and an index ("tab064", "XTblGrid_columnRightPos64").
using IndexedName = char[48];

bool isChanged(const XRule& rule, const FieldSpec& row) {
    return testMaskBit(rule.changeBits, row.bit) == 1;
}

// The level text as the element's text, then the level's keys.
void writeLevel(CStream& element, const XLevel& level) {
    ChildElement child(element, tableRow(kXRuleTable, "level").element, __LINE__);
    child->writeValues(level.text, static_cast<std::int32_t>(level.textLength), nullptr);
    writeRecordKeys(*child, kXLevelTable, &level, false);
}

void writeTabs(CStream& element, const XTabs& tabs) {
    ChildElement child(element, tableRow(kXRuleTable, "tabs").element, __LINE__);
    XTabs bounded = tabs;
    bounded.tabs = boundedCount(tabs.tabs, kMaxTabs);
    writeRecordKeys(*child, kXTabsTable, &bounded, false);
    const char* pattern = tableRow(kXTabsTable, "tab").element;
    for (int i = 0; i < bounded.tabs; ++i) {
        IndexedName name;
        ChildElement stop(*child, formatString(name, pattern, i), __LINE__);
        writeRecordKeys(*stop, kXTabTable, &bounded.tab[i], false);
    }
}

// The column count, then one key per column, "XTblGrid_columnRightPos07" for column 7.
void writeGrid(CStream& rowSet, const XTblGrid& grid) {
    ChildElement child(rowSet, tableRow(kXRowsTable, "grid").element, __LINE__);
    writeRecordKeys(*child, kXTblGridTable, &grid, false);
    const FieldSpec& row = tableRow(kXTblGridTable, "columnRightPos");
    for (int i = 0; i < grid.numOfColumns; ++i) {
        IndexedName key;
        child->writeAttribute(formatString(key, row.key, i), row.letter, grid.columnRightPos[i]);
    }
}

// The default cell, then the cells in use. A cell that fails fails the record.
void writeCells(CStream& rowSet, const XRows& rows, XParamBlock* block) {
    const char* defaultName = tableRow(kXRowsTable, "defRow").element;
    throwIfError(writeXRow(&rowSet, defaultName, &rows.defRow, block), __LINE__, kUnit);
    const char* pattern = tableRow(kXRowsTable, "cells").element;
    for (int i = 0; i < rows.rows; ++i) {
        IndexedName name;
        throwIfError(writeXRow(&rowSet, formatString(name, pattern, i), &rows.cells[i], block), __LINE__, kUnit);
    }
}

void writeRowSet(CStream& element, const XRows& rows, XParamBlock* block) {
    ChildElement rowSet(element, tableRow(kXRuleTable, "rows").element, __LINE__);
    XRows bounded = rows;
    bounded.rows = boundedCount(rows.rows, kMaxRowCells);
    bounded.grid.numOfColumns = boundedCount(rows.grid.numOfColumns, kMaxGridColumns);
    writeRecordKeys(*rowSet, kXRowsTable, &bounded, false);
    writeGrid(*rowSet, bounded.grid);
    writeChildRecord(*rowSet, tableRow(kXRowsTable, "tblpPr"), &bounded, __LINE__);
    writeChildRecord(*rowSet, tableRow(kXRowsTable, "tblBorders"), &bounded, __LINE__);
    writeChildRecord(*rowSet, tableRow(kXRowsTable, "tblCellMar"), &bounded, __LINE__);
    writeCells(*rowSet, bounded, block);
}

// After the whole record: the paragraph's shading and borders whose bits are set, then the table
// borders of a stored row set. The cells have offered theirs already.
void registerRuleColors(const XRule& rule, XParamBlock* block) {
    registerColors(kXRuleTable, &rule, block, true);
    if (isChanged(rule, tableRow(kXRuleTable, "rows")))
        registerColors(kXTblBordersTable, &rule.rows.tblBorders, block, false);
}

}  // namespace

std::int16_t writeXRule(CStream* element, const XRule* rule, XParamBlock* block) {
    if (element == nullptr || rule == nullptr) return result::kNullObject;
    return guarded([&] {
        writeRecordKeys(*element, kXRuleTable, rule, true);  // the head, then bits 0 to 41
        const FieldSpec& frame = tableRow(kXRuleTable, "frame");
        if (isChanged(*rule, frame)) writeChildRecord(*element, frame, rule, __LINE__);
        if (isChanged(*rule, tableRow(kXRuleTable, "level"))) writeLevel(*element, rule->level);
        if (isChanged(*rule, tableRow(kXRuleTable, "tabs"))) writeTabs(*element, rule->tabs);
        if (isChanged(*rule, tableRow(kXRuleTable, "rows"))) writeRowSet(*element, rule->rows, block);
        registerRuleColors(*rule, block);
    });
}
