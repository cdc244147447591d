#include <cmath>
#include <cstdlib>

#include "picture/PictureDetection.h"
#include "picture/PictureMeasuring.h"

namespace {

constexpr std::int32_t kPlaceableHeaderSize = 22;
constexpr std::uint16_t kTwipsPerInch = 1440;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint64_t kRecordHeaderSize = 6;  // size in words (32 bits), function (16 bits)

std::uint16_t read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t read32(const std::uint8_t* p) { return read16(p) | (static_cast<std::uint32_t>(read16(p + 2)) << 16); }

std::int32_t inTwips(std::uint16_t units, std::uint16_t unitsPerInch) {
    if (unitsPerInch == 0 || unitsPerInch == kTwipsPerInch) return units;
    return static_cast<std::int32_t>(std::trunc(units * static_cast<double>(kTwipsPerInch) / unitsPerInch));
}

void measurePlaceable(const std::uint8_t* data, std::int32_t length, PictureInfo& info) {
    if (length < kPlaceableHeaderSize) return;
    const auto left = static_cast<std::int16_t>(read16(data + 6));
    const auto top = static_cast<std::int16_t>(read16(data + 8));
    const auto right = static_cast<std::int16_t>(read16(data + 10));
    const auto bottom = static_cast<std::int16_t>(read16(data + 12));
    const std::uint16_t unitsPerInch = read16(data + 14);
    info.height = inTwips(static_cast<std::uint16_t>(bottom - top), unitsPerInch);
    info.width = inTwips(static_cast<std::uint16_t>(right - left), unitsPerInch);
}

// Walks the records after the header; every record is checked to lie inside the data.
void measurePlain(const std::uint8_t* data, std::int32_t length, PictureInfo& info) {
    if (length < 4) return;
    const auto end = static_cast<std::uint64_t>(length);
    std::uint64_t offset = static_cast<std::uint64_t>(read16(data + 2)) * 2;
    while (offset + kRecordHeaderSize <= end) {
        const std::uint64_t recordSize = static_cast<std::uint64_t>(read32(data + offset)) * 2;
        const std::uint16_t function = read16(data + offset + 4);
        if (recordSize == 0) return;
        if (function == kSetWindowExt && recordSize >= kRecordHeaderSize + 4 && offset + kRecordHeaderSize + 4 <= end) {
            info.height = std::abs(static_cast<std::int16_t>(read16(data + offset + 6)));
            info.width = std::abs(static_cast<std::int16_t>(read16(data + offset + 8)));
        }
        if (function == 0) return;
        offset += recordSize;
    }
}

}  // namespace

void measureWmf(const std::uint8_t* data, std::int32_t length, PictureInfo& info) {
    if (data == nullptr) return;
    if (info.type == picturetype::kPlaceableWmf) measurePlaceable(data, length, info);
    else if (info.type == picturetype::kWmf) measurePlain(data, length, info);
}
