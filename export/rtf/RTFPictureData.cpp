#include "export/rtf/RTFPictureData.h"

#include "foundation/FailureCode.h"
#include "model/CPicture.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";

}  // namespace

RTFPictureData::RTFPictureData(const CPicture& picture, const RTFPictureKind& kind) {
    const std::uint8_t* bytes = picture.getPicData();
    const std::int32_t length = bytes != nullptr ? picture.getPicLength() : 0;
    if (kind.convertsToPng) {
        // The conversion to PNG is not in this build yet: such pictures are left out.
        (void)kUnit;
        return;
    }
    if (length > kind.skippedBytes) {
        source = bytes + kind.skippedBytes;
        sourceLength = length - kind.skippedBytes;
    }
    isWritable = true;
}
