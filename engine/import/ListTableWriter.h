#pragma once
// The element "LISTS" under "Zevozav": its three counts, then one "LISTDEF%03d" per list definition,
// one "LISTOVR%03d" per list override (each with its nine levels "LEVEL000" to "LEVEL008") and one
// "LISTPIC%03d" per picture bullet. Counts are written as they stand; a count of 0 or less writes no
// record. A level's records add their colours to the block's colour table.
#include <cstdint>

#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"
#include "model/tables/ListRecords.h"

// One level as "LEVEL%03d": the number text as the element's text, the eighteen "XListLevel_"
// attributes, then "levelForm" and "levelRule".
void writeListLevel(CStream& parent, std::int32_t index, const XListLevel& level, XParamBlock* block);
void writeListTables(XParamBlock& block, CStream& documentElement);
