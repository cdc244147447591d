#pragma once
// Rebuilds one table cell from its storage element, a child of a row set's "ROWSARRAY" element:
// "DEFROW" for the default cell, "row000" onward for the cells. The writer stores a cell whole; the
// reader reads on top of what the cell holds, so a key or child that is absent keeps its value.
//
// It reads the cell's keys (kXRowTable) and its children "TCBORDERS" and "TCMAR", each under its own
// guard.
#include <cstdint>

#include "model/records/cell/XRow.h"
#include "model/storage/CStream.h"

// 0 when the cell element was found and its keys read; otherwise the code of the failure that stopped
// it (12 when the element is absent), and the cell is left as it was.
std::int16_t readXRow(CStream* parent, const char* name, XRow* cell);
