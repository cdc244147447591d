#pragma once
// One border of a workbook's style part: seven sides, each a line style and a colour. Kept with the cell
// formats; nothing of it reaches a converted sheet's text.
//
//   border diagonalUp= diagonalDown= outline=
//     left|right|top|bottom|diagonal|vertical|horizontal style="thin"  color
#include <libxml/tree.h>

#include <cstdint>

#include "foundation/RGBColor.h"

struct BorderSide {
    std::int16_t style = 0;  // 0 none, 1 thin ... 13 slantDashDot
    RGBColor color{0, 0, 0};
};

class CBorder {
public:
    enum Side { kLeft, kRight, kTop, kBottom, kDiagonal, kVertical, kHorizontal, kSideCount };

    void read(const xmlNode* element);
    void readSide(const xmlNode* element, Side side);

    BorderSide sides[kSideCount];
    bool diagonalUp = false;
    bool diagonalDown = false;
    bool outline = false;
};
