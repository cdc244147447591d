#pragma once
// Decodes a JPEG picture into RGBA pixels.
#include <cstdint>

#include "picture/formats/DecodedImage.h"

// False when the bytes are no JPEG picture the library can read, or too large to decode.
bool decodeJpeg(const std::uint8_t* data, std::int32_t length, DecodedImage& image);
