#include "picture/SetPicture.h"

#include <algorithm>
#include <cstring>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "picture/PictureUnit.h"
#include "picture/formats/InflateBuffer.h"

namespace {

constexpr std::int64_t kInflationRoom = 10;

// The inflated bytes in a block of exactly their size; false when they do not inflate.
bool storeInflated(CPicture& picture, const std::uint8_t* bytes, std::int32_t length) {
    const auto room = static_cast<std::int32_t>(std::min<std::int64_t>(kInflationRoom * length, kMaxInflatedPictureSize));
    auto* block = static_cast<std::uint8_t*>(allocMemory(room));
    throwIfNull(block, __LINE__, kPictureUnit);
    const std::int32_t inflated = inflateBuffer(bytes, block, length, room);
    if (inflated <= 0) {
        freeMemory(block);
        return false;
    }
    // Give back the room the picture did not use (a block that cannot shrink is kept as it is).
    if (void* fitted = resizeMemory(block, inflated)) block = static_cast<std::uint8_t*>(fitted);
    picture.fPicData = block;
    picture.fPicLength = inflated;
    return true;
}

void storeCopy(CPicture& picture, const std::uint8_t* bytes, std::int32_t length) {
    auto* block = static_cast<std::uint8_t*>(allocMemory(length));
    throwIfNull(block, __LINE__, kPictureUnit);
    std::memcpy(block, bytes, static_cast<std::size_t>(length));
    picture.fPicData = block;
    picture.fPicLength = length;
}

}  // namespace

bool setPicture(CPicture& picture, const std::uint8_t* bytes, std::int32_t length, const LongRect& frame,
                const LongRect& naturalSize, const LongRect& crop, std::int16_t compressed) {
    freeMemory(picture.fPicData);
    picture.fPicLength = 0;
    picture.fRect = frame;
    picture.fOriginalRect = naturalSize;
    picture.fCropRect = crop;
    if (bytes == nullptr || length <= 0) return compressed != 1;
    if (compressed == 1) return storeInflated(picture, bytes, length);
    storeCopy(picture, bytes, length);
    return true;
}
