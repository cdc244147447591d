#pragma once
// The first frame of a GIF picture, drawn on its logical screen (giflib). A GIF has no resolution.
#include <cstdint>

#include "picture/formats/DecodedImage.h"

// False for bytes giflib cannot read, a frame outside the screen's limits, or a size too large to decode.
bool decodeGif(const std::uint8_t* data, std::int32_t length, DecodedImage& image);
