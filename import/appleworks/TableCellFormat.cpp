#include "import/appleworks/TableCellFormat.h"

#include <algorithm>

#include "import/appleworks/FillPatterns.h"
#include "import/appleworks/StyleResolution.h"

namespace appleworks {
namespace {

constexpr std::int32_t kOnePoint = 256;
constexpr std::uint8_t kWhiteIndex = 0;
constexpr std::uint8_t kBlackIndex = 1;
constexpr std::int32_t kTwipsPerPoint = 20;

// The graphic record of a style over the defaults of a plain rule without fill: one point, black line,
// white fill, solid line pattern, no fill pattern.
BlockView resolvedGraphicStyle(const AppleWorksDocument& document, std::int16_t styleNumber,
                               std::uint8_t (&record)[graphicstyle::kRecordSize]) {
    std::fill(std::begin(record), std::end(record), 0);
    record[graphicstyle::kPenWidth] = kOnePoint >> 8;
    record[graphicstyle::kLineColor] = kBlackIndex;
    record[graphicstyle::kFillColor] = kWhiteIndex;
    record[graphicstyle::kLinePattern + 1] = kSolidPattern;
    record[graphicstyle::kFillPattern + 1] = kNoPattern;
    resolveAppleWorksStyle(document, styleNumber, StyleRecordKind::kCharacter28, record);
    return BlockView(record, graphicstyle::kRecordSize, kNoBlock);
}

bool isDark(const RGBColor& color) {
    return color.red < kDarkChannel && color.green < kDarkChannel && color.blue < kDarkChannel;
}

}  // namespace

BorderSpec lineStyleBorder(const AppleWorksDocument& document, std::int16_t lineStyle) {
    BorderSpec border = kDefaultBorder;
    if (lineStyle == 0) return border;
    std::uint8_t bytes[graphicstyle::kRecordSize];
    const BlockView style = resolvedGraphicStyle(document, lineStyle, bytes);
    border.borderType = patternLineStyle(style.i16(graphicstyle::kLinePattern));
    // Kept in twips with its fraction of a point: a hairline of half a point stays visible.
    const std::int32_t twips = std::max<std::int32_t>(style.i16(graphicstyle::kPenWidth), 0) * kTwipsPerPoint / kOnePoint;
    border.borderSize = static_cast<std::int16_t>(std::min<std::int32_t>(twips, INT16_MAX));
    RGBColor color{};
    if (document.colorAt(style.u8(graphicstyle::kLineColor), color)) border.borderTint = color;
    return border;
}

ShadingSpec cellShading(const AppleWorksDocument& document, std::int16_t cellStyle) {
    ShadingSpec shading = kDefaultShading;
    if (cellStyle == 0) return shading;
    std::uint8_t bytes[graphicstyle::kRecordSize];
    const BlockView style = resolvedGraphicStyle(document, cellStyle, bytes);
    RGBColor color{};
    const bool colored = document.colorAt(style.u8(graphicstyle::kFillColor), color);
    const std::int32_t value = patternShading(document, style.i16(graphicstyle::kFillPattern), colored && isDark(color));
    if (value == 0) return shading;
    shading.patternType = static_cast<std::int16_t>(value);
    if (colored) shading.patternTint = color;
    return shading;
}

}  // namespace appleworks
