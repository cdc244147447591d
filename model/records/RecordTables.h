#pragma once
// The field tables of the formatting records and their sub-records (see RecordFields.h for what a table
// says and how it is walked). Shared sub-records have one table for all their uses: the note format for
// footnotes and endnotes, the borders and margins for tables and cells.
#include <span>

#include "model/records/RecordFields.h"

// Records with change bits: 39, 46 and 42 optional fields.
extern const RecordTable kXFormTable;
extern const RecordTable kXRuleTable;
extern const RecordTable kXPageTable;

// Stored whole.
extern const RecordTable kXHeadTable;
extern const RecordTable kXRowTable;
extern const RecordTable kXRowsTable;

// Sub-records.
extern const RecordTable kXFieldTable;
extern const RecordTable kXffDataTable;
extern const RecordTable kXFrameTable;
extern const RecordTable kXLevelTable;
extern const RecordTable kXTabsTable;
extern const RecordTable kXTabTable;
extern const RecordTable kXTblGridTable;
extern const RecordTable kXTblPlacementTable;
extern const RecordTable kXTblBordersTable;
extern const RecordTable kXTblMarginsTable;
extern const RecordTable kXFootnoteTable;
extern const RecordTable kXLineNumberTable;
extern const RecordTable kXPageNumberTable;

// Every table above, for checks and diagnostics that look at all of them.
std::span<const RecordTable* const> allRecordTables();
