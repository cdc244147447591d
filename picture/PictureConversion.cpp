#include "picture/PictureConversion.h"

#include <memory>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "picture/PictureDetection.h"
#include "picture/PictureLoader.h"
#include "picture/PictureUnit.h"
#include "picture/formats/ImageEncoders.h"
#include "picture/formats/PicStream.h"
#include "picture/formats/PngEncoder.h"

namespace {

constexpr std::int64_t kTwipsPerPixelAt72Dpi = 20;
constexpr std::int64_t kTwipsPerInch = 1440;

// Pixels × 20 at exactly 72 dots per inch or without a resolution, else pixels × 1440 / the whole dots
// per inch.
std::int32_t twips(std::uint32_t pixels, float dpi) {
    const auto wholeDpi = static_cast<std::int64_t>(dpi);
    const std::int64_t value = dpi == 72.0F || wholeDpi <= 0 ? pixels * kTwipsPerPixelAt72Dpi
                                                             : pixels * kTwipsPerInch / wholeDpi;
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, INT32_MAX));
}

// The PNG file of the pixels, in a block of the memory layer that the caller takes over.
std::unique_ptr<PicStream> encodedAsPng(const DecodedImage& image) {
    std::unique_ptr<PicStream> output(PicStream::newOutputStream());
    if (!encodePng(image, *output)) throwFail(kPictureLibraryFailure, __LINE__, kPictureUnit);
    return output;
}

}  // namespace

void pictureToPng(std::uint8_t*& data, std::int32_t& length, PictureInfo& info, std::int16_t convert) {
    // Every failure is this operation's own: the picture keeps its bytes, type and the sizes set so far.
    failureCode([&] {
        const LoadedPicture picture = loadPicture(data, length);
        info.width = twips(picture.width, picture.xDpi);
        info.height = twips(picture.height, picture.yDpi);
        if (convert != 1 || !picture.decoded) return;
        ClassId encoder{};
        if (findImageEncoder(u"image/png", encoder) == -1) return;
        std::unique_ptr<PicStream> output = encodedAsPng(picture.image);
        const auto size = static_cast<std::int32_t>(output->size());
        std::uint8_t* block = output->takeBlock();
        freeMemory(data);
        data = block;
        length = size;
        info.type = picturetype::kPng;
    });
}

void measureThroughGdiPlus(std::uint8_t*& data, std::int32_t& length, PictureInfo& info, std::int16_t convert) {
    pictureToPng(data, length, info, convert);
}

PngPicture convertToPng(const std::uint8_t* data, std::int32_t length) {
    PngPicture png;
    failureCode([&] {
        const LoadedPicture picture = decodePicture(data, length);
        std::unique_ptr<PicStream> output = encodedAsPng(picture.image);
        raisingOutOfMemory(__LINE__, kPictureUnit,
                           [&] { png.bytes.assign(output->data(), output->data() + output->size()); });
        png.pixelWidth = static_cast<std::int32_t>(picture.width);
        png.pixelHeight = static_cast<std::int32_t>(picture.height);
    });
    return png;
}
