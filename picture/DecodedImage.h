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

// Whether a picture of that size may be decoded: not empty, and within kMaxDecodedPixels.
bool decodablePixelSize(std::uint64_t width, std::uint64_t height);
// Sets the size and room for its pixels (all transparent black); false, and nothing allocated, when the
// size may not be decoded or memory lacks.
bool allocatePixels(DecodedImage& image, std::uint32_t width, std::uint32_t height);
