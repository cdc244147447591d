#pragma once
// The rules and fills of an AppleWorks 6 table as the storage's borders and shadings. A rule's line style
// and a cell's style value are style numbers of the document's graphic styles (the 28-byte style
// records), resolved through their base styles: the pen width in 1/256 points (i16 at 10), the line and
// fill colours (colour indexes, bytes 12 and 13) and the line and fill patterns (i16 at 14 and 16). Style
// 0 stands for no rule and no fill.
#include <cstdint>

#include "import/appleworks/AppleWorksDocument.h"
#include "model/records/ValueRecords.h"

namespace appleworks {

namespace graphicstyle {
constexpr std::int32_t kPenWidth = 10;
constexpr std::int32_t kLineColor = 12;
constexpr std::int32_t kFillColor = 13;
constexpr std::int32_t kLinePattern = 14;
constexpr std::int32_t kFillPattern = 16;
constexpr std::int32_t kRecordSize = 28;
}  // namespace graphicstyle

// A colour at least this dark in every channel takes the patterns' dark shading values.
constexpr std::uint16_t kDarkChannel = 0x3434;

// The border a rule of the line style draws; a style that defines nothing draws a solid black line of
// one point.
BorderSpec lineStyleBorder(const AppleWorksDocument& document, std::int16_t lineStyle);

// The shading of a cell of the style: its fill pattern in its fill colour, over white.
ShadingSpec cellShading(const AppleWorksDocument& document, std::int16_t cellStyle);

}  // namespace appleworks
