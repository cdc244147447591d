#include "picture/PictureConversion.h"

void pictureToPng(std::uint8_t*&, std::int32_t&, PictureInfo&, std::int16_t) {}

PngPicture convertToPng(const std::uint8_t*, std::int32_t) { return {}; }
