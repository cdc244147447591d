#pragma once
// The number by which the RTF body refers to a colour: its 1-based place in the document's colour table,
// which the head writes in that order after the empty automatic entry 0.
#include <cstdint>

#include "foundation/RGBColor.h"

class CRTFFile;
struct XParamBlock;

// -1 for the automatic colour and for a colour the table does not hold.
std::int16_t rtfColorIndex(const RGBColor& color, const XParamBlock& block);
// Writes the colour word (such as "\cf") followed by the colour's index, unless the index is -1 or is
// the index of `unless` (black for a text colour, white for a background; null: no such exception).
void writeRTFColorWord(CRTFFile& out, const XParamBlock& block, const char* word, const RGBColor& color,
                       const RGBColor* unless = nullptr);
