#pragma once
// One resolved cell format: an "xf" of "cellXfs" read over the cell-style "xf" of "cellStyleXfs" it
// names, with its number format, font, fill and border looked up. Only the number format (through the
// cell's text) and the font (through the run's character format) reach a converted sheet.
//
//   xf numFmtId= fontId= fillId= borderId= xfId= applyNumberFormat= applyFont= ...
//     alignment horizontal= vertical= wrapText= ...
//     protection locked= hidden=
#include <libxml/tree.h>

#include <cstdint>

#include "import/spreadsheet/styles/CBorder.h"
#include "import/spreadsheet/styles/CFill.h"
#include "import/spreadsheet/styles/CFont.h"
#include "import/spreadsheet/styles/CNumFmt.h"

class CStyle {
public:
    // The records to their defaults, the ids to 0, every apply flag on.
    void reset();
    // The attributes present, over the current values.
    void read(const xmlNode* xf);

    // alignment
    std::int16_t horizontal = 0;  // 0 general, 1 left ... 7 distributed
    std::int16_t vertical = 2;    // 0 top, 1 center, 2 bottom ...
    std::int16_t textRotation = 0;
    bool wrapText = false;
    std::int16_t indent = 0;
    std::int16_t relativeIndent = 0;
    bool justifyLastLine = false;
    bool shrinkToFit = false;
    std::int16_t readingOrder = 0;
    // protection
    bool locked = false;
    bool hidden = false;

    CNumFmt numFmt;
    CFont font;
    CFill fill;
    CBorder border;

    std::int32_t numFmtId = 0;
    std::int32_t fontId = 0;
    std::int32_t fillId = 0;
    std::int32_t borderId = 0;
    std::int32_t xfId = 0;
    std::int32_t quotePrefix = 0;
    std::int32_t pivotButton = 0;
    bool applyNumberFormat = true;
    bool applyFont = true;
    bool applyFill = true;
    bool applyBorder = true;
    bool applyAlignment = true;
    bool applyProtection = true;
};
