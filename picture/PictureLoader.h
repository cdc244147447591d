#pragma once
// Any picture our picture layer reads, by its leading bytes: PNG and JPEG by their headers (size and
// resolution only), GIF, TIFF, BMP and DIB decoded to pixels. This stands where a system imaging library
// would load an image from a stream.
#include <cstdint>

#include "picture/formats/DecodedImage.h"

struct LoadedPicture {
    std::uint32_t width = 0;   // pixels
    std::uint32_t height = 0;  // pixels
    float xDpi = 0.0F;         // 0: no resolution (a GIF counts as 96)
    float yDpi = 0.0F;
    bool decoded = false;      // whether `image` holds the pixels
    DecodedImage image;
};

// The picture's size and resolution, and its pixels when it is of a decoded kind. Raises CFail 5544 for
// bytes that no reader here takes (an unknown kind, a cut-short or corrupt file, a size too large).
LoadedPicture loadPicture(const std::uint8_t* data, std::int32_t length);
// Only the kinds decoded to pixels (GIF, TIFF, BMP, DIB); raises CFail 5544 for any other.
LoadedPicture decodePicture(const std::uint8_t* data, std::int32_t length);
