#include "picture/PictureTypeFromName.h"

#include <cstring>

#include "picture/PictureDetection.h"

std::int16_t typeFromName(const char* name) {
    if (name == nullptr) return picturetype::kUnknown;
    if (std::strstr(name, "gif") != nullptr) return picturetype::kGif;
    if (std::strstr(name, "jpg") != nullptr || std::strstr(name, "jpeg") != nullptr) return picturetype::kJpeg;
    if (std::strstr(name, "png") != nullptr) return picturetype::kPng;
    return picturetype::kUnknown;
}
