#pragma once
// The element "STYLES" under "Zevozav", read back into the block's (empty) style table: one style per
// "STYLE%03d" child up to "styleLength", in stored order, each with its three formatting records
// ("styleForm", "styleRule", "stylePage"), its eleven attributes and its sub-styles, which are nested
// "STYLE%03d" elements numbered from STYLE000 inside their parent. Nothing is renumbered: styleIndx,
// styleBase, styleNext and styleLink arrive as stored.
//
// Every record starts cleared, so a formatting field whose change bit is clear (and which the storage
// therefore lacks) reads as 0; consumers go by the change bits. A stored sub-style count is taken
// within 0 to 9, and sub-styles nest no deeper than kMaxStyleDepth: a style at that depth keeps none.
#include <cstdint>

#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"
#include "model/tables/XStyle.h"

// Reads the element "STYLE%03d" (position) under parent onto the cleared record, with its sub-styles;
// depth 0 for a style of the table. The record owns every sub-style it holds, also after a failure
// (styleSubCount then counts those read), so disposeXStyle releases it whole.
void readStyle(CStream& parent, std::int32_t position, XStyle& style, int depth);

// An absent element raises CFail 22 (RequiredElement.h); lacking memory, CFail 12. The styles read
// before a failure stay in the table; the one being read is released.
void readStyleTable(CStream& documentElement, XParamBlock& block);
