#include "picture/PictureDetection.h"

void detectPictureType(std::uint8_t*&, std::int32_t&, PictureInfo&) {}
