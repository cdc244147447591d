// Picture bytes from outside: type detection with its measuring and conversion, then the conversion the
// RTF writer uses for BMP, DIB, GIF and TIFF pictures.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "foundation/memory/Memory.h"
#include "picture/PictureConversion.h"
#include "picture/PictureDetection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1U << 24)) return 0;
    auto length = static_cast<std::int32_t>(size);
    auto* block = static_cast<std::uint8_t*>(allocMemory(length));
    if (block == nullptr) return 0;
    if (size > 0) std::memcpy(block, data, size);
    PictureInfo info{};
    detectPictureType(block, length, info);
    freeMemory(block);
    convertToPng(data, static_cast<std::int32_t>(size));
    return 0;
}
