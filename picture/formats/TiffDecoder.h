#pragma once
// The first page of a TIFF picture, with its resolution in dots per inch (libtiff, reading through a
// PicStream over the bytes).
#include <cstdint>

#include "picture/formats/DecodedImage.h"

// False for bytes libtiff cannot read or a size too large to decode.
bool decodeTiff(const std::uint8_t* data, std::int32_t length, DecodedImage& image);
