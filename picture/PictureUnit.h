#pragma once
// What the picture code's failures carry: the source unit, and the code of a failure reported by a
// picture library (libjpeg, libpng, giflib, libtiff, zlib).
#include <cstdint>

constexpr const char* kPictureUnit = "BPicture";
constexpr std::int32_t kPictureLibraryFailure = 5544;
