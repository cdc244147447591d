#pragma once
// The element "COLORS" under "Zevozav": "colorLength" and one "COLOR%03d" child per colour of the
// block's table (entry 1 in COLOR000), each with its three channels as numbers from 0 to 65535. It is
// written after the styles and lists, whose records add their colours to the table.
#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"

void writeColorTable(const XParamBlock& block, CStream& documentElement);
