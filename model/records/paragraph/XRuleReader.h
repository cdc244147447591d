#pragma once
// Rebuilds a paragraph record, with its frame, list membership, tab stops and row set, from the storage
// element that holds it: a run element "Rule%03d" of a story, a style's "styleRule" or a list level's
// "levelRule". Like the other record readers it reads on top of what the caller put into the record:
// every key or child that the element lacks keeps its value; no change bit is tested.
//
// In order, each child under its own guard:
//   - the element's keys (kXRuleTable);
//   - "FRAME" with the frame's keys;
//   - "LEVEL": its text becomes the level text (a new buffer from the memory layer, which the reader
//     only stores: whoever owns the record's level texts frees it), an element without text sets an
//     empty level text (null, length 0); then the level's keys;
//   - "TABSARRAY": the stop count, then "tab000" onward up to the count; the first absent stop ends the
//     list;
//   - "ROWSARRAY": the row set's keys; "TBLGRID" with the column count and one key per column;
//     "TBLPPR", "TBLBORDERS" and "TBLCELLMAR"; the cells "DEFROW" and "row000" onward up to the cell
//     count (XRowReader.h), an absent cell keeping its value.
// Every count is clamped to the record's capacity (65 stops, columns and cells) in the record itself.
#include <cstdint>

#include "model/records/paragraph/XRule.h"
#include "model/storage/CStream.h"

// 0, or the code of the failure that stopped the reading of the element's own keys (the children are
// then not read). Failures inside the children are dropped.
std::int16_t readXRule(CStream* element, XRule* rule);
