#include <algorithm>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "picture/PictureMeasuring.h"
#include "picture/PictureUnit.h"
#include "picture/formats/JpegHeader.h"

namespace {

constexpr std::int32_t kTwipsPerPixelAt72Dpi = 20;
constexpr std::uint32_t kTwipsPerInch = 1440;
constexpr std::uint32_t kTwipsPerCentimetre = 567;

std::int32_t scaled(std::uint32_t pixels, std::uint32_t twipsPerUnit, std::uint16_t density) {
    std::uint64_t twips = static_cast<std::uint64_t>(pixels) * twipsPerUnit;
    if (density != 0) twips /= density;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(twips, INT32_MAX));
}

void applyHeader(const JpegHeader& header, PictureInfo& info) {
    info.width = static_cast<std::int32_t>(header.width) * kTwipsPerPixelAt72Dpi;
    info.height = static_cast<std::int32_t>(header.height) * kTwipsPerPixelAt72Dpi;
    if (!header.hasJfif) return;
    if (header.densityUnit == 1 || header.densityUnit == 2) {
        const std::uint32_t perUnit = header.densityUnit == 1 ? kTwipsPerInch : kTwipsPerCentimetre;
        info.densityUnit = header.densityUnit;
        info.width = scaled(header.width, perUnit, header.xDensity);
        info.height = scaled(header.height, perUnit, header.yDensity);
    }
    info.horizontalDensity = header.xDensity;
    info.verticalDensity = header.yDensity;
}

}  // namespace

void measureJpeg(const std::uint8_t* data, std::int32_t length, PictureInfo& info) {
    // A library error is a failure of this operation, absorbed here: the record keeps what it had.
    failureCode([&] {
        JpegHeader header;
        if (!readJpegHeader(data, length, header)) throwFail(kPictureLibraryFailure, __LINE__, kPictureUnit);
        applyHeader(header, info);
    });
}
