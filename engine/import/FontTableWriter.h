#pragma once
// The element "FONTS" under "Zevozav": "fontLength" and one "FONT%03d" child per font of the block's
// table, in table order, each with all thirteen "XFont_" attributes. Every font is first numbered with
// its 0-based place (fontRTFNumber), the number the element's name carries.
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

void writeFontTable(XParamBlock& block, CStream& documentElement);
