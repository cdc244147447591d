#pragma once
// Hue, saturation and lightness to red, green and blue.
#include <cstdint>

struct Rgb8 {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// Hue in turns (0 to under 1), saturation and lightness from 0 to 1; each channel 0 to 255, truncated.
// A hue outside 0 to under 1 (after the sextant is taken) gives the grey of the lightness.
Rgb8 hslToColor(double hue, double saturation, double lightness);
