#pragma once
// Decoded pixels written as a PNG file (libpng) into an output PicStream, with a pHYs chunk when the
// pixels have a resolution.
#include "picture/formats/DecodedImage.h"
#include "picture/formats/PicStream.h"

// False when libpng reported an error or the stream could not grow; no exception passes through the
// library's frames.
bool encodePng(const DecodedImage& image, PicStream& output);
