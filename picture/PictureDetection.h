#pragma once
// The picture type of a block of bytes, told by its leading bytes, and the natural size of the types the
// RTF output carries. The first matching row of a fixed table wins; JPEG, PNG, GIF, TIFF and the
// metafiles are then measured into the record (twips). GIF and TIFF are re-encoded as PNG on the way:
// then `data` and `length` are replaced by the PNG bytes (a block of the memory layer, which the caller
// owns and frees) and the type becomes 9. A picture that cannot be measured or converted keeps its bytes
// and its type; nothing is reported.
#include <cstdint>

#include "picture/PictureInfo.h"

// Picture-type codes.
namespace picturetype {
constexpr std::int16_t kUnknown = 0;
constexpr std::int16_t kBmp = 1;
constexpr std::int16_t kDib = 2;
constexpr std::int16_t kEmf = 3;
constexpr std::int16_t kGif = 6;
constexpr std::int16_t kJpeg = 7;
constexpr std::int16_t kPict = 8;
constexpr std::int16_t kPng = 9;
constexpr std::int16_t kTiff = 10;
constexpr std::int16_t kPlaceableWmf = 11;
constexpr std::int16_t kWmf = 12;
}  // namespace picturetype

// Nothing happens for a null pointer or fewer than 2 bytes; bytes that match no row leave the record
// as it was.
void detectPictureType(std::uint8_t*& data, std::int32_t& length, PictureInfo& info);
