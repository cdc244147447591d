#include "model/records/RecordTables.h"

std::span<const RecordTable* const> allRecordTables() {
    static const RecordTable* const tables[] = {
        &kXFormTable,     &kXRuleTable,       &kXPageTable,         &kXHeadTable,        &kXRowTable,
        &kXRowsTable,     &kXFieldTable,      &kXffDataTable,       &kXFrameTable,       &kXLevelTable,
        &kXTabsTable,     &kXTabTable,        &kXTblGridTable,      &kXTblPlacementTable, &kXTblBordersTable,
        &kXTblMarginsTable, &kXFootnoteTable, &kXLineNumberTable,   &kXPageNumberTable,
    };
    return tables;
}
