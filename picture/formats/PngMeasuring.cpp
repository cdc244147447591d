#include <algorithm>
#include <cmath>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "picture/GreatestCommonDivisor.h"
#include "picture/PictureMeasuring.h"
#include "picture/PictureUnit.h"
#include "picture/formats/PngHeader.h"

namespace {

constexpr std::uint64_t kTwipsPerPixelAt72Dpi = 20;
constexpr std::uint64_t kPointsPerInch = 72;
constexpr int kAspectRatioOnly = 0;  // pHYs units
constexpr int kPerMetre = 1;

// twips × 72 / divisor, or twips unchanged when the divisor is 0.
std::uint64_t rescaled(std::uint64_t twips, std::uint64_t divisor) {
    return divisor == 0 ? twips : twips * kPointsPerInch / divisor;
}

std::uint64_t dotsPerInch(std::uint32_t perMetre) {
    return static_cast<std::uint64_t>(std::trunc(static_cast<double>(perMetre) * 0.0254 + 0.5));
}

std::int32_t narrowed(std::uint64_t twips) { return static_cast<std::int32_t>(std::min<std::uint64_t>(twips, INT32_MAX)); }

}  // namespace

void measurePng(const std::uint8_t* data, std::int32_t length, PictureInfo& info) {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    failureCode([&] {
        PngHeader header;
        if (!readPngHeader(data, length, header)) throwFail(kPictureLibraryFailure, __LINE__, kPictureUnit);
        width = header.width * kTwipsPerPixelAt72Dpi;
        height = header.height * kTwipsPerPixelAt72Dpi;
        if (!header.hasPhys) return;
        if (header.physUnit == kAspectRatioOnly) {
            const std::uint32_t divisor = greatestCommonDivisor(header.xPerUnit, header.yPerUnit);
            width = rescaled(width, header.xPerUnit / divisor);
            height = rescaled(height, header.yPerUnit / divisor);
        } else if (header.physUnit == kPerMetre) {
            width = rescaled(width, dotsPerInch(header.xPerUnit));
            height = rescaled(height, dotsPerInch(header.yPerUnit));
        }
    });
    info.width = narrowed(width);
    info.height = narrowed(height);
}
