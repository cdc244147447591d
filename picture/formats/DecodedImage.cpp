#include "picture/formats/DecodedImage.h"

#include <new>

bool decodablePixelSize(std::uint64_t width, std::uint64_t height, std::uint64_t dataLength) {
    return width > 0 && height > 0 && width <= kMaxDecodedPixels && height <= kMaxDecodedPixels &&
           width * height <= kMaxDecodedPixels && width * height <= dataLength * kMaxPixelsPerByte;
}

bool allocatePixels(DecodedImage& image, std::uint32_t width, std::uint32_t height, std::uint64_t dataLength) {
    if (!decodablePixelSize(width, height, dataLength)) return false;
    try {
        image.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    image.width = width;
    image.height = height;
    return true;
}
