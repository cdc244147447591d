#include "import/appleworks/FillPatterns.h"

#include <iterator>

#include "import/appleworks/AppleWorksText.h"

namespace appleworks {
namespace {

constexpr std::int16_t kShadingOnLight[64] = {
    0,   1020, 995, 945, 895, 770, 520, 270, 270, 220, 220, 145, 95, 95, 70, 45, 5,  5,  11, 5,  11, 11,
    2,   8,    4,   4,   10,  4,   10,  10,  3,   9,   6,   3,   2,  9,  8,  8,  9,  12, 7,  6,  145, 8,
    245, 245,  145, 120, 12,  6,   12,  13,  13,  12,  11,  120, 13, 13, 12, 12, 11, 270, 270, 245};
constexpr std::int16_t kShadingOnDark[64] = {
    0,  1020, 1020, 7,  7,  7, 6, 13, 13, 13, 13, 13, 13, 13, 13, 13, 5,  5,  11, 5,  11, 11,
    2,  8,    4,    4,  10, 4, 10, 10, 3,  9,  6,  3,  2,  9,  8,  8,  9,  12, 7,  6,  13, 8,
    13, 13,   12,   12, 12, 6, 12, 13, 13, 12, 11, 13, 13, 13, 12, 12, 11, 13, 13, 13};
static_assert(std::size(kShadingOnLight) == 64 && std::size(kShadingOnDark) == 64);

constexpr std::int32_t kHatchingLast = 13;
constexpr std::int32_t kTintBase = 20;
constexpr std::int32_t kHalfCovered = kTintBase + 500;

// Storage line styles.
constexpr std::int16_t kNoLine = 0;
constexpr std::int16_t kSingleLine = 1;
constexpr std::int16_t kDottedLine = 5;
constexpr std::int16_t kDashedLine = 6;

}  // namespace

std::int32_t patternShading(const AppleWorksDocument& document, std::int32_t pattern, bool dark) {
    if (pattern >= 1 && pattern < kDocumentPatternBase) return (dark ? kShadingOnDark : kShadingOnLight)[pattern - 1];
    std::uint8_t bits[8];
    if (pattern < kDocumentPatternBase || !document.patternAt(pattern - kDocumentPatternBase, bits)) return 0;
    return dark ? kHatchingLast : patternDensity(bits) + kTintBase;
}

std::int16_t patternLineStyle(std::int32_t pattern) {
    if (pattern < kNoPattern || pattern == kNoPattern) return kNoLine;
    if (pattern >= kDocumentPatternBase) return kSingleLine;
    const std::int32_t shading = kShadingOnLight[pattern - 1];
    if (shading >= kHalfCovered) return kSingleLine;
    return shading <= kHatchingLast ? kDashedLine : kDottedLine;
}

}  // namespace appleworks
