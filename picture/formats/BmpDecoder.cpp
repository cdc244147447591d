#include "picture/formats/BmpDecoder.h"

#include <cstdlib>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t read16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
std::uint32_t read32(const std::uint8_t* p) { return read16(p) | (read16(p + 2) << 16); }

struct BitmapLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool topDown = false;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t paletteOffset = 0;  // from the start of the information header
    std::uint32_t colours = 0;
    float xDpi = 0.0F;
    float yDpi = 0.0F;
};

float dotsPerInch(std::uint32_t pixelsPerMetre) {
    const auto value = static_cast<std::int32_t>(pixelsPerMetre);
    return value > 0 ? static_cast<float>(value) * 0.0254F : 0.0F;
}

// The information header at `info` with `available` bytes from there on.
bool readLayout(const std::uint8_t* info, std::uint64_t available, BitmapLayout& layout) {
    if (available < kInfoHeaderSize) return false;
    const std::uint32_t headerSize = read32(info);
    if (headerSize < kInfoHeaderSize || headerSize > available) return false;
    const auto width = static_cast<std::int32_t>(read32(info + 4));
    const auto height = static_cast<std::int32_t>(read32(info + 8));
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    layout.width = static_cast<std::uint32_t>(width);
    layout.height = static_cast<std::uint32_t>(std::abs(height));
    layout.topDown = height < 0;
    layout.bitsPerPixel = read16(info + 14);
    if (read32(info + 16) != kUncompressed) return false;
    const std::uint32_t bits = layout.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    layout.xDpi = dotsPerInch(read32(info + 24));
    layout.yDpi = dotsPerInch(read32(info + 28));
    layout.paletteOffset = headerSize;
    if (bits <= 8) {
        const std::uint32_t used = read32(info + 32);
        layout.colours = used != 0 && used < (1U << bits) ? used : (1U << bits);
    }
    return decodablePixelSize(layout.width, layout.height, available);
}

std::uint32_t paletteIndex(const std::uint8_t* row, std::uint32_t x, std::uint32_t bits) {
    const std::uint32_t bitOffset = x * bits;
    const std::uint32_t byte = row[bitOffset / 8];
    const std::uint32_t shift = 8 - bits - bitOffset % 8;
    return (byte >> shift) & ((1U << bits) - 1);
}

// Pixels at `pixels` with `available` bytes from there on; the palette at `palette` (checked by the caller).
bool readPixels(const BitmapLayout& layout, const std::uint8_t* palette, const std::uint8_t* pixels,
                std::uint64_t available, DecodedImage& image) {
    const std::uint64_t stride = (static_cast<std::uint64_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
    if (stride * layout.height > available) return false;
    if (!allocatePixels(image, layout.width, layout.height, available)) return false;
    for (std::uint32_t y = 0; y < layout.height; ++y) {
        const std::uint32_t sourceRow = layout.topDown ? y : layout.height - 1 - y;
        const std::uint8_t* row = pixels + stride * sourceRow;
        std::uint8_t* out = &image.rgba[static_cast<std::size_t>(y) * layout.width * 4];
        for (std::uint32_t x = 0; x < layout.width; ++x, out += 4) {
            const std::uint8_t* bgr = nullptr;
            if (layout.bitsPerPixel <= 8) {
                const std::uint32_t index = paletteIndex(row, x, layout.bitsPerPixel);
                if (index >= layout.colours) return false;
                bgr = palette + index * 4;
            } else {
                bgr = row + static_cast<std::size_t>(x) * (layout.bitsPerPixel / 8);
            }
            out[0] = bgr[2];
            out[1] = bgr[1];
            out[2] = bgr[0];
            out[3] = 0xFF;
        }
    }
    image.xDpi = layout.xDpi;
    image.yDpi = layout.yDpi;
    return true;
}

// The information header at `infoOffset`; the pixels at `pixelOffset`, or right after the palette when 0.
bool decodeFrom(const std::uint8_t* data, std::uint64_t length, std::uint64_t infoOffset, std::uint64_t pixelOffset,
                DecodedImage& image) {
    BitmapLayout layout;
    if (infoOffset > length || !readLayout(data + infoOffset, length - infoOffset, layout)) return false;
    const std::uint64_t paletteStart = infoOffset + layout.paletteOffset;
    const std::uint64_t paletteEnd = paletteStart + static_cast<std::uint64_t>(layout.colours) * 4;
    if (paletteEnd > length) return false;
    if (pixelOffset == 0) pixelOffset = paletteEnd;
    if (pixelOffset > length) return false;
    return readPixels(layout, data + paletteStart, data + pixelOffset, length - pixelOffset, image);
}

}  // namespace

bool decodeBmp(const std::uint8_t* data, std::int32_t length, DecodedImage& image) {
    if (data == nullptr || length < static_cast<std::int32_t>(kFileHeaderSize)) return false;
    const std::uint32_t pixelOffset = read32(data + 10);
    if (pixelOffset < kFileHeaderSize + kInfoHeaderSize) return false;
    return decodeFrom(data, static_cast<std::uint64_t>(length), kFileHeaderSize, pixelOffset, image);
}

bool decodeDib(const std::uint8_t* data, std::int32_t length, DecodedImage& image) {
    if (data == nullptr || length <= 0) return false;
    return decodeFrom(data, static_cast<std::uint64_t>(length), 0, 0, image);
}
