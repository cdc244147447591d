#pragma once
// The element "COLORS" under "Zevozav", read back into the block's (empty) colour table: one colour per
// "COLOR%03d" child up to "colorLength", entry k of the table being child k - 1, as on the import side,
// so the colour indexes that the records use still name the same colours.
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

// A channel that is absent or outside 0 to 65535 reads as 0. An absent element raises CFail 22
// (RequiredElement.h); lacking memory, CFail 12. The colours read before a failure stay in the table.
void readColorTable(CStream& documentElement, XParamBlock& block);
