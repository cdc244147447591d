#pragma once
// Stores one table cell: the default cell of a row set ("DEFROW") or one of its cells ("row000"
// onward), as a new child element of the row set's "ROWSARRAY" element. A cell has no change bits and is
// always stored whole; XRowReader.h reads it back.
//
// What one call leaves under the parent: a new element of the given name (a second one when the parent
// already has one of that name) with the cell's ten keys (kXRowTable, in table order: "XRow_attributes",
// "XRow_tcW", ..., "XRow_vAlign"), and under it "TCBORDERS" (the six borders, keys left, right, top,
// bottom, insideH, insideV) and then "TCMAR" (the four margins, keys left, right, top, bottom).
//
// With a block, the cell's eight colours then go to the block's colour table, in the order of the cell
// record: the tints of the borders top, left, bottom, right, insideH and insideV, then the shading's tint
// and fill, whatever the line styles and pattern say (the table keeps each colour once and never the
// automatic colour). Without a block no colour is offered.
#include <cstdint>

#include "model/records/cell/XRow.h"
#include "model/storage/CStream.h"

struct XParamBlock;

// 0 when the whole cell was written and its colours offered. Otherwise the code of the failure that
// stopped it: 12 when an element or an attribute could not be made (or a colour not stored), 22 for a
// null parent, name or cell. The write stops where it failed: what was written before stays in the
// storage, and no colour is offered when the failure came before the colours. Only CFail is caught.
std::int16_t writeXRow(CStream* parent, const char* name, const XRow* cell, XParamBlock* block);
