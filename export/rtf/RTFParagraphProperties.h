#pragma once
// A paragraph's formatting words, as the RTF body states them after "\pard" for every paragraph and
// as style and list-level writers reuse them: borders, keeping, widow control, outline level,
// direction and alignment, indents, spacing, tabs, shading, frame and list reference. Ends with a
// control word; the caller ends the sequence.
#include "model/XRule.h"

class CRTFFile;
struct XParamBlock;

void writeRTFParagraphProperties(CRTFFile& out, const XParamBlock& block, const XRule& rule);
// The tab stops, at most kMaxTabs of them.
void writeRTFTabStops(CRTFFile& out, const XTabs& tabs);
