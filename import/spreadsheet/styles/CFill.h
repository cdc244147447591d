#pragma once
// One fill of a workbook's style part: a pattern with its two colours, or a gradient with its stops.
// Kept with the cell formats; nothing of it reaches a converted sheet's text.
//
//   fill
//     patternFill patternType="solid"  fgColor  bgColor
//     gradientFill type="linear|path" degree= left= right= top= bottom=   stop position=  color
#include <libxml/tree.h>

#include <cstdint>
#include <vector>

#include "foundation/RGBColor.h"

struct GradientStop {
    double position = 0;
    RGBColor color{0, 0, 0};
};

class CFill {
public:
    void read(const xmlNode* element);
    void readPatternFill(const xmlNode* element);
    void readGradientFill(const xmlNode* element);

    std::int16_t gradientType = 0;  // 1 linear, 2 path; 0 a pattern
    std::int16_t patternType = -1;  // -1 none, 1 solid, 2 mediumGray ... 18 gray0625
    RGBColor fgColor{0, 0, 0};
    RGBColor bgColor{65535, 65535, 65535};
    double degree = 0, left = 0, right = 0, top = 0, bottom = 0;
    std::vector<GradientStop> stops;
};
