#pragma once
// Pixels decoded from a picture, as 8-bit RGBA rows from the top, with the picture's resolution.
#include <cstdint>
#include <vector>

struct DecodedImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;  // width × height × 4 bytes
    float xDpi = 0.0F;               // 0: the picture gives no resolution
    float yDpi = 0.0F;
};

// The most pixels a decoder takes on (a scanned A4 page at 600 dots per inch fits): a few bytes of a
// picture cannot make the program ask for gigabytes.
constexpr std::uint64_t kMaxDecodedPixels = std::uint64_t{1} << 26;

// The most pixels one byte of compressed picture data can stand for (an LZW code of at least 3 bits
// gives at most 4096 pixels; deflate at most about 1032 bytes of 1-bit pixels): a size beyond this
// cannot come from the data and is refused before anything is allocated for it.
constexpr std::uint64_t kMaxPixelsPerByte = 16384;

// Whether a picture of that size may be decoded from dataLength bytes: not empty, within
// kMaxDecodedPixels, and within what the bytes can describe.
bool decodablePixelSize(std::uint64_t width, std::uint64_t height, std::uint64_t dataLength);
// Sets the size and room for its pixels (all transparent black); false, and nothing allocated, when the
// size may not be decoded from dataLength bytes or memory lacks.
bool allocatePixels(DecodedImage& image, std::uint32_t width, std::uint32_t height, std::uint64_t dataLength);
