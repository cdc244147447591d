#pragma once
// Stores one paragraph record into the element that its caller has just made for it: a story's run
// element "Rule%03d", a style's "styleRule" or a list level's "levelRule". XRuleReader.h reads it back on
// top of the record before it, so the writer stores only what the change bits mark.
//
// In order (the keys and element names are those of the field tables, kXRuleTable and its sub-tables):
//   - the head keys "XRule_changeBits", "XRule_uniqueBits" and "XRule_position", always;
//   - the keys of change bits 0 to 41 whose bit is set, in bit order;
//   - bit 42: the child "FRAME" with the frame's seventeen keys;
//   - bit 43: the child "LEVEL" with the level text as its text (none for a null text or a length of 0)
//     and the level's five keys;
//   - bit 44: the child "TABSARRAY" with "XTabs_tabs" and one child "tab000" onward per stop;
//   - bit 45: the child "ROWSARRAY" with the row set's 24 keys and the children "TBLGRID" (the column
//     count, then one key per column), "TBLPPR", "TBLBORDERS", "TBLCELLMAR", "DEFROW" and one "row000"
//     onward per cell (XRowWriter.h).
// Bits 46 to 63 have no field: they are stored in "XRule_changeBits" and do nothing else. No value is
// checked or mapped, except that the counts of stops, columns and cells are clamped to the arrays that
// hold them (0 to 65): that many items are written and the count stored is the count written.
//
// Colours, with a block: the cells offer theirs while they are written ("DEFROW" first, then the cells
// in order); after the whole record, the paragraph shading (tint, then fill) when bit 35 is set, the
// tints of the borders top, left, bottom, right and between whose bits 36 to 40 are set, and with bit 45
// the tints of the six table borders in the order top, left, bottom, right, insideH, insideV. The row
// set's own shading is not offered.
#include <cstdint>

#include "model/records/paragraph/XRule.h"
#include "model/storage/CStream.h"

struct XParamBlock;

// 0 when the whole record was written. Otherwise the code of the failure that stopped it (12 when an
// element, an attribute or a cell could not be written, or a colour not stored; 22 for a null element or
// record): what was written before the failure stays in the storage, nothing after it is written, and
// no colour of the paragraph or the table borders is offered. A cell that fails fails the whole record,
// so a caller that keeps deltas against the records it stored knows that this one is not in the storage
// as meant. Only CFail is caught.
std::int16_t writeXRule(CStream* element, const XRule* rule, XParamBlock* block);
