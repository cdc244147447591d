#pragma once
// Stores a character record in a storage element that the caller has just made for it: a story's run
// element "Form%03d", a style's "styleForm" or a list level's "levelForm". XFormReader.h reads it back.
//
// What it writes, in the order of the record's field table (kXFormTable):
//   - the head keys "XForm_changeBits", "XForm_uniqueBits" and "XForm_position", always;
//   - each field whose change bit is set: its key (bits 0 to 35; the picture, bit 24, is never stored
//     here: a story keeps pictures as elements of their own), the child "FIELD" (bit 36), the child
//     "FFDATA" (bit 37) and, for a drop-down field (fieldType 5), one element "FFDDLIST000" onward beside
//     it for each entry in use (dd_listEntryNum, but never more than the 12 entries the record holds),
//     and an empty child "CELLSTYLE" (bit 38: it only marks the change; the cell style stays in memory).
//     Bits 39 to 63 are not looked at.
// Last, when a block is given, the colours of the colour keys it wrote go into the block's colour table
// in this order: txtFore, txtBack, the border's tint, the shading's tint and fill, underlineColor.
//
// Result: 0 when all of it was written, otherwise the code of the CFail that stopped it: 12 when the
// storage cannot set an attribute or a child element cannot be made (unit "BStory" for the stream
// object), the colour table's code when a colour cannot be entered, 22 for a null element or record.
// What was written before the failure stays; the keys, children and colours after it are not written, so
// a record that failed before its colours registers none. No CFail leaves the writer.
#include <cstdint>

#include "model/records/character/XForm.h"
#include "model/storage/CStream.h"

struct XParamBlock;

std::int16_t writeXForm(CStream* element, const XForm* form, XParamBlock* block);
