#pragma once
// The field tables of the records of a document's tables: fonts, styles and lists (RecordFields.h says
// what a table holds and how it is walked). The storage writers and readers of the document element
// walk them as they walk the formatting records' tables.
#include <span>

#include "model/records/RecordFields.h"

extern const RecordTable kXFontTable;
extern const RecordTable kXStyleTable;
extern const RecordTable kXListLevelTable;
extern const RecordTable kXListDefTable;
extern const RecordTable kXListOvrTable;
extern const RecordTable kXListPicTable;

// Every table above.
std::span<const RecordTable* const> documentRecordTables();
