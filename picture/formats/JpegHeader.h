#pragma once
// The header of a JPEG picture as libjpeg reads it: pixel size and the JFIF density, if any.
#include <cstdint>

struct JpegHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool hasJfif = false;
    std::uint8_t densityUnit = 0;  // 0 none, 1 per inch, 2 per centimetre
    std::uint16_t xDensity = 0;
    std::uint16_t yDensity = 0;
};

// False when libjpeg reported an error (a cut-short or corrupt header); no exception passes through the
// library's frames.
bool readJpegHeader(const std::uint8_t* data, std::int32_t length, JpegHeader& header);
