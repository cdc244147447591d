#include "export/rtf/pictures/RTFPictureData.h"

#include <utility>

#include "foundation/FailureCode.h"
#include "model/CPicture.h"
#include "picture/PictureConversion.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";

}  // namespace

RTFPictureData::RTFPictureData(const CPicture& picture, const RTFPictureKind& kind) {
    const std::uint8_t* bytes = picture.getPicData();
    const std::int32_t length = bytes != nullptr ? picture.getPicLength() : 0;
    if (kind.convertsToPng) {
        PngPicture png = raisingOutOfMemory(__LINE__, kUnit, [&] { return convertToPng(bytes, length); });
        if (png.bytes.empty()) return;
        converted = std::move(png.bytes);
        isWritable = true;
        return;
    }
    if (length > kind.skippedBytes) {
        source = bytes + kind.skippedBytes;
        sourceLength = length - kind.skippedBytes;
    }
    isWritable = true;
}
