#include "picture/PictureFromBytes.h"

#include <cstring>
#include <new>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "picture/PictureConversion.h"
#include "picture/PictureDetection.h"
#include "picture/PictureMeasuring.h"
#include "picture/PictureUnit.h"

namespace {

constexpr std::int32_t kPictFrameEnd = 10;  // the frame is bytes 2 to 9
constexpr std::int32_t kTwipsPerPoint = 20;

std::int32_t bigEndian16(const std::uint8_t* p) { return static_cast<std::int16_t>((p[0] << 8) | p[1]); }

void measurePictFrame(CPicture& picture) {
    if (picture.fPicLength < kPictFrameEnd) return;
    const std::uint8_t* frame = picture.fPicData + 2;
    picture.fOriginalRect = LongRect{bigEndian16(frame) * kTwipsPerPoint, bigEndian16(frame + 2) * kTwipsPerPoint,
                                     bigEndian16(frame + 4) * kTwipsPerPoint, bigEndian16(frame + 6) * kTwipsPerPoint};
}

void measureOtherwise(CPicture& picture) {
    PictureInfo info{};
    measureThroughGdiPlus(picture.fPicData, picture.fPicLength, info, 0);
    picture.fOriginalRect = LongRect{0, 0, info.height, info.width};
}

void fillFromBytes(CPicture& picture, const std::uint8_t* bytes, const LongRect& frame, std::int16_t type,
                   std::int32_t length) {
    picture.fName = duplicateCString("");
    throwIfNull(picture.fName, __LINE__, kPictureUnit);
    picture.fType = type;
    if (bytes != nullptr && length > 0) {
        picture.fPicData = static_cast<std::uint8_t*>(allocMemory(length));
        throwIfNull(picture.fPicData, __LINE__, kPictureUnit);
        std::memcpy(picture.fPicData, bytes, static_cast<std::size_t>(length));
        picture.fPicLength = length;
    }
    picture.fRect = frame;
    if (type == picturetype::kPict) measurePictFrame(picture);
    else measureOtherwise(picture);
}

void measureFile(CFile& file) {
    std::uint8_t* buffer = nullptr;
    failureCode([&] {
        throwIfError(file.open(), __LINE__, kPictureUnit);
        std::uint32_t size = 0;
        throwIfError(file.getSize(size), __LINE__, kPictureUnit);
        if (size > static_cast<std::uint32_t>(INT32_MAX)) throwFail(result::kOutOfMemory, __LINE__, kPictureUnit);
        const auto length = static_cast<std::int32_t>(size);
        buffer = static_cast<std::uint8_t*>(allocMemory(length));
        throwIfNull(buffer, __LINE__, kPictureUnit);
        throwIfError(file.read(buffer, length, kFromStart, 0), __LINE__, kPictureUnit);
        PictureInfo info{};
        measurePng(buffer, length, info);
    });
    freeMemory(buffer);
}

}  // namespace

CPicture* newPictureFromBytes(const std::uint8_t* bytes, const LongRect& frame, std::int16_t type,
                              std::int32_t length) {
    auto* picture = new (std::nothrow) CPicture();
    throwIfNull(picture, __LINE__, kPictureUnit);
    try {
        fillFromBytes(*picture, bytes, frame, type, length);
    } catch (...) {
        delete picture;
        throw;
    }
    return picture;
}

CPicture* newPictureFromFile(CFile& file) {
    auto* picture = new (std::nothrow) CPicture();
    throwIfNull(picture, __LINE__, kPictureUnit);
    measureFile(file);
    return picture;
}
