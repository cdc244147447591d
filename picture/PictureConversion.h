#pragma once
// Measuring pictures by their pixels and resolution, and re-encoding them as PNG, on our own small layer
// over libpng, libjpeg, giflib and libtiff.
#include <cstdint>
#include <vector>

#include "picture/PictureInfo.h"

// Measures a PNG, GIF or TIFF picture into the record's width and height (twips: pixels × 20 at 72 dots
// per inch or without a resolution, else pixels × 1440 / dots per inch; a GIF counts as 96 dots per
// inch). With `convert` 1 the picture is re-encoded as PNG: the old block is freed, `data` and `length`
// become a new block of the memory layer holding the PNG bytes, and the type becomes 9. Every failure is
// absorbed: the picture keeps its bytes, its type and whatever sizes were set.
void pictureToPng(std::uint8_t*& data, std::int32_t& length, PictureInfo& info, std::int16_t convert);

// The picture object's road to pictureToPng (the name its callers know).
void measureThroughGdiPlus(std::uint8_t*& data, std::int32_t& length, PictureInfo& info, std::int16_t convert);

// PNG bytes of a BMP (with file header), DIB (information header first), GIF or TIFF picture, with the
// pixel size of the picture; no bytes when the data is none of these or cannot be decoded.
struct PngPicture {
    std::vector<std::uint8_t> bytes;
    std::int32_t pixelWidth = 0;
    std::int32_t pixelHeight = 0;
};
PngPicture convertToPng(const std::uint8_t* data, std::int32_t length);
