#pragma once
// One style as the element "STYLE%03d": its character, paragraph and section records in the children
// "styleForm", "styleRule" and "stylePage" (written as the record writers write runs, adding their
// colours to the block's colour table), its eleven "XStyle_" attributes, then its sub-styles as nested
// "STYLE%03d" elements numbered from 0. Sub-styles nest no deeper than kMaxStyleDepth levels, so a style
// that holds itself stops there.
#include <cstdint>

#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"
#include "model/tables/XStyle.h"

void writeStyle(CStream& parent, std::int32_t index, const XStyle& style, XParamBlock* block, int depth = 0);
// The element "STYLES" with "styleLength" and one "STYLE%03d" per style of the block's table.
void writeStyleTable(XParamBlock& block, CStream& documentElement);
