#pragma once
// The RTF words that a table row's definition and a table style's row properties share: the floating
// placement, the alignment, height and gap of a row, and the merge, text-flow and vertical-alignment
// words of a cell. A value without a word writes nothing (answers the empty text).
#include <cstdint>

#include "model/records/cell/XRow.h"

class CRTFFile;

// The anchors, position kinds and offsets, distances from the text, and "\tabsnoovrlp1" when the
// table may not overlap (tblOverlap 1). Only for a floating table; nothing otherwise.
void writeRTFTablePlacement(CRTFFile& out, const XTblPlacement& placement, std::int16_t overlap);

const char* rtfRowAlignmentWord(std::int16_t jc);
// The "\trrh" value: negative for an exact height, positive for a least height, 0 otherwise.
long long rtfRowHeight(const HeightSpec& height);
// Half the left and right cell margins, truncated toward zero.
long long rtfRowGap(const XTblMargins& margins);
// A side's margin in twips: the cell's own, else its table's (with what the table's style gives), else
// the usual one.
std::int32_t rtfCellMargin(const WidthSpec& own, const WidthSpec& table, std::int32_t usual);
// Where the table's left edge stands ("\trleft"), the origin of its cells' right edges: the first cell's
// left margin to the left of the table's indent.
long long rtfTableEdge(const XRows& rows);

const char* rtfHorizontalMergeWord(std::int16_t hmerge);
const char* rtfVerticalMergeWord(std::int16_t vmerge);
const char* rtfCellTextFlowWord(std::int16_t textFlow);
const char* rtfCellVerticalAlignmentWord(std::int16_t vAlign);
