#pragma once
// The changed fields of a paragraph record in RTF words: the record describes a difference from the
// defaults (a paragraph or table style, a table style's conditional part, a list level, the number of a
// list paragraph), so only the fields whose change bit is set are written, in the order of the bits.
// The body's paragraphs state every field instead (RTFParagraphProperties.h) and share its words.
//
// Bare control words only: no group, no text, no blank; the caller ends the sequence. The row set of a
// table style comes last (RTFTableStyleRowProperties.h), after the list reference and the tab stops.
#include "model/records/paragraph/XRule.h"

class CRTFFile;
struct XParamBlock;

void writeRTFParagraphProps(CRTFFile& out, const XParamBlock& block, const XRule& rule);
