#pragma once
// The header of a PNG picture as libpng reads it: pixel size and the pHYs chunk, if any.
#include <cstdint>

struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool hasPhys = false;
    std::uint32_t xPerUnit = 0;
    std::uint32_t yPerUnit = 0;
    int physUnit = 0;  // 0 aspect ratio only, 1 per metre
};

// False when libpng reported an error (a cut-short or corrupt header); no exception passes through the
// library's frames. Raises CFail 12 when libpng cannot create its structures.
bool readPngHeader(const std::uint8_t* data, std::int32_t length, PngHeader& header);
