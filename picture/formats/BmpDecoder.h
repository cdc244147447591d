#pragma once
// Windows bitmaps by hand: a BMP file ("BM" file header) or a DIB (the information header first), of 1,
// 4, 8, 24 or 32 bits per pixel, uncompressed, with the resolution of the information header.
#include <cstdint>

#include "picture/formats/DecodedImage.h"

// False for a header, palette or pixel block that does not fit the data, a kind not read here
// (compressed, other depths), or a size too large to decode.
bool decodeBmp(const std::uint8_t* data, std::int32_t length, DecodedImage& image);
bool decodeDib(const std::uint8_t* data, std::int32_t length, DecodedImage& image);
