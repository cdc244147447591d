#pragma once
// A paragraph's formatting words, as the RTF body states them after "\pard" for every paragraph and
// as style and list-level writers reuse them: borders, keeping, widow control, outline level,
// direction and alignment, indents, spacing, tabs, shading, frame and list reference. Ends with a
// control word; the caller ends the sequence.
#include <cstdint>

#include "model/records/paragraph/XRule.h"

class CRTFFile;
struct XParamBlock;

void writeRTFParagraphProperties(CRTFFile& out, const XParamBlock& block, const XRule& rule);
// The tab stops, at most kMaxTabs of them.
void writeRTFTabStops(CRTFFile& out, const XTabs& tabs);
// The words that the writer of a record's changed fields (RTFParagraphPropertyChanges.h) shares.
// "ql", "qc", "qr" or "qj"; left for any value outside 0 to 3.
const char* rtfJustificationWord(std::int16_t justification);
// An outline level (1 is the top) or, from 256 on, a subdocument holding the level value - 256.
void writeRTFOutlineLevel(CRTFFile& out, std::int16_t outlineLevelOrSubdocument);
