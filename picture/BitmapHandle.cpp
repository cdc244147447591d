#include "picture/BitmapHandle.h"

#include <cstring>
#include <new>

#include <png.h>

#include "picture/formats/BmpDecoder.h"
#include "picture/formats/GifDecoder.h"
#include "picture/formats/JpegDecoder.h"
#include "picture/formats/TiffDecoder.h"

namespace {

bool startsWith(const std::uint8_t* data, std::int32_t length, const char* signature) {
    const std::size_t size = std::strlen(signature);
    return length >= static_cast<std::int32_t>(size) && std::memcmp(data, signature, size) == 0;
}

bool decodePng(const std::uint8_t* data, std::int32_t length, DecodedImage& image) {
    png_image reader{};
    reader.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&reader, data, static_cast<std::size_t>(length)) == 0) return false;
    reader.format = PNG_FORMAT_RGBA;
    if (!allocatePixels(image, reader.width, reader.height, static_cast<std::uint64_t>(length) * kMaxPixelsPerByte)) {
        png_image_free(&reader);
        return false;
    }
    return png_image_finish_read(&reader, nullptr, image.rgba.data(), 0, nullptr) != 0;
}

bool decode(const std::uint8_t* data, std::int32_t length, DecodedImage& image) {
    if (startsWith(data, length, "\x89PNG")) return decodePng(data, length, image);
    if (startsWith(data, length, "\xFF\xD8")) return decodeJpeg(data, length, image);
    if (startsWith(data, length, "GIF8")) return decodeGif(data, length, image);
    if (startsWith(data, length, "II*") || startsWith(data, length, "MM")) return decodeTiff(data, length, image);
    if (startsWith(data, length, "BM")) return decodeBmp(data, length, image);
    return false;
}

}  // namespace

std::unique_ptr<platform::Bitmap> loadBitmapHandle(const std::uint8_t* data, std::int32_t length) {
    if (data == nullptr || length <= 0) return nullptr;
    DecodedImage image;
    try {
        if (!decode(data, length, image)) return nullptr;
        std::unique_ptr<platform::Bitmap> bitmap(new platform::Bitmap);
        bitmap->width = image.width;
        bitmap->height = image.height;
        bitmap->rgba = std::move(image.rgba);
        return bitmap;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
