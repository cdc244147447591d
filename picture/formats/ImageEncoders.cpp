#include "picture/formats/ImageEncoders.h"

#include <cstring>
#include <string_view>

namespace {

struct ImageEncoder {
    const char16_t* mimeType;
    ClassId classId;
};

// Our own identifier: the encoder is ours, not a system's.
constexpr ImageEncoder kEncoders[] = {
    {u"image/png", {0x56444B50, 0x4E47, 0x0001, {0x50, 0x4E, 0x47, 0x45, 0x4E, 0x43, 0x4F, 0x44}}},
};

}  // namespace

void copyClassId(ClassId& destination, const ClassId& source) {
    destination.data1 = source.data1;
    destination.data2 = source.data2;
    destination.data3 = source.data3;
    std::memcpy(destination.data4, source.data4, sizeof destination.data4);
}

std::int32_t findImageEncoder(const char16_t* mimeType, ClassId& classId) {
    if (mimeType == nullptr) return -1;
    const std::u16string_view wanted(mimeType);
    for (std::int32_t index = 0; index < static_cast<std::int32_t>(std::size(kEncoders)); ++index) {
        if (wanted == kEncoders[index].mimeType) {
            copyClassId(classId, kEncoders[index].classId);
            return index;
        }
    }
    return -1;
}

const ClassId& pngEncoderClassId() { return kEncoders[0].classId; }
