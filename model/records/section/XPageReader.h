#pragma once
// Rebuilds a section record from the storage element that holds it: a run element "Page%03d" of a story
// or a style's "stylePage". Like the other record readers it reads on top of what the caller put into
// the record: every key or child that the element lacks keeps its value; no change bit is tested.
//
// It reads the element's keys (kXPageTable); the child "COLUMNS" with all twelve width and space pairs,
// whatever `columns` says (an absent pair keeps its values); and the children "FOOTNOTEFORMAT",
// "ENDNOTEFORMAT" (both with the "XFootnote_" keys), "LINENUMBER" and "PAGENUMBER", each under its own
// guard. The separator texts are cut to their fields.
#include <cstdint>

#include "model/records/section/XPage.h"
#include "model/storage/CStream.h"

// 0, or the code of the failure that stopped the reading of the element's own keys (the children are
// then not read). Failures inside the children are dropped.
std::int16_t readXPage(CStream* element, XPage* page);
