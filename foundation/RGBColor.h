#pragma once
// A colour as the documents and the storage keep it: three 16-bit channels, each an 8-bit value
// repeated in both bytes (v * 257) when it comes from an 8-bit source.
#include <cstdint>

// Storage letter C, "r%dg%db%d".
struct RGBColor {
    std::uint16_t red;
    std::uint16_t green;
    std::uint16_t blue;
};

// The automatic colour of the source format (the WordprocessingML value "auto"); never stored in the
// colour table, and the exporters give it no colour index.
inline constexpr RGBColor kAutoColor{1, 1, 1};
