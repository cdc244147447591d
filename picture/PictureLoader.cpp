#include "picture/PictureLoader.h"

#include <cstring>

#include "foundation/CFail.h"
#include "picture/PictureUnit.h"
#include "picture/formats/BmpDecoder.h"
#include "picture/formats/GifDecoder.h"
#include "picture/formats/JpegHeader.h"
#include "picture/formats/PngHeader.h"
#include "picture/formats/TiffDecoder.h"

namespace {

constexpr float kGifDpi = 96.0F;

bool startsWith(const std::uint8_t* data, std::int32_t length, const char* signature, std::int32_t size) {
    return length >= size && std::memcmp(data, signature, static_cast<std::size_t>(size)) == 0;
}

[[noreturn]] void cannotLoad(std::int32_t line) { throwFail(kPictureLibraryFailure, line, kPictureUnit); }

LoadedPicture fromImage(DecodedImage&& image, float xDpi, float yDpi) {
    LoadedPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.xDpi = xDpi;
    picture.yDpi = yDpi;
    picture.decoded = true;
    picture.image = std::move(image);
    return picture;
}

LoadedPicture loadPngHeader(const std::uint8_t* data, std::int32_t length) {
    PngHeader header;
    if (!readPngHeader(data, length, header)) cannotLoad(__LINE__);
    LoadedPicture picture;
    picture.width = header.width;
    picture.height = header.height;
    if (header.hasPhys && header.physUnit == 1) {
        picture.xDpi = static_cast<float>(header.xPerUnit * 0.0254);
        picture.yDpi = static_cast<float>(header.yPerUnit * 0.0254);
    }
    return picture;
}

LoadedPicture loadJpegHeader(const std::uint8_t* data, std::int32_t length) {
    JpegHeader header;
    if (!readJpegHeader(data, length, header)) cannotLoad(__LINE__);
    LoadedPicture picture;
    picture.width = header.width;
    picture.height = header.height;
    if (header.hasJfif && (header.densityUnit == 1 || header.densityUnit == 2)) {
        const float perInch = header.densityUnit == 2 ? 2.54F : 1.0F;
        picture.xDpi = header.xDensity * perInch;
        picture.yDpi = header.yDensity * perInch;
    }
    return picture;
}

}  // namespace

LoadedPicture decodePicture(const std::uint8_t* data, std::int32_t length) {
    if (data == nullptr || length < 2) cannotLoad(__LINE__);
    DecodedImage image;
    if (startsWith(data, length, "GIF8", 4)) {
        if (!decodeGif(data, length, image)) cannotLoad(__LINE__);
        return fromImage(std::move(image), kGifDpi, kGifDpi);
    }
    bool decoded = false;
    if (startsWith(data, length, "II*\0", 4) || startsWith(data, length, "MM\0*", 4))
        decoded = decodeTiff(data, length, image);
    else if (startsWith(data, length, "BM", 2))
        decoded = decodeBmp(data, length, image);
    else if (startsWith(data, length, "\x28\0", 2))
        decoded = decodeDib(data, length, image);
    else
        cannotLoad(__LINE__);
    if (!decoded) cannotLoad(__LINE__);
    const float xDpi = image.xDpi;
    const float yDpi = image.yDpi;
    return fromImage(std::move(image), xDpi, yDpi);
}

LoadedPicture loadPicture(const std::uint8_t* data, std::int32_t length) {
    if (data == nullptr || length < 2) cannotLoad(__LINE__);
    if (startsWith(data, length, "\x89PNG\r\n\x1A\n", 8)) return loadPngHeader(data, length);
    if (startsWith(data, length, "\xFF\xD8\xFF", 3)) return loadJpegHeader(data, length);
    return decodePicture(data, length);
}
