#pragma once
// Stores a section record in a storage element that the caller has just made for it: a story's run
// element "Page%03d" or a style's "stylePage". XPageReader.h reads it back.
//
// What it writes, in the order of the record's field table (kXPageTable):
//   - the head keys "XPage_changeBits", "XPage_uniqueBits" and "XPage_position", always;
//   - each field whose change bit (0 to 41) is set: its key, or its child element: "COLUMNS" (bit 14)
//     with all twelve "XColumn_columnWidth%02d" / "XColumn_columnSpace%02d" pairs whatever `columns`
//     says, "FOOTNOTEFORMAT" and "ENDNOTEFORMAT" (bits 21 and 22, both with the "XFootnote_" keys),
//     "LINENUMBER" (bit 23) and "PAGENUMBER" (bit 24). Bits 42 to 63 are not looked at.
// Last, when a block is given, the tints of the page borders it wrote go into the block's colour table,
// in the order top, left, bottom, right.
//
// Result and failures as writeXForm (XFormWriter.h): 0, or the code of the CFail that stopped it, with
// everything written before the failure kept and nothing after it written. No CFail leaves the writer.
#include <cstdint>

#include "model/records/section/XPage.h"
#include "model/storage/CStream.h"

struct XParamBlock;

std::int16_t writeXPage(CStream* element, const XPage* page, XParamBlock* block);
