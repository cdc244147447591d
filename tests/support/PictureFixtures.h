#pragma once
// Small picture files made in memory for the tests, each of a given pixel size. The raster formats are
// written by their own libraries (libpng, libjpeg, giflib, libtiff), so a reader is judged against what
// real writers produce; BMP and the metafiles are laid out by hand, field by field, little-endian.
#include <cstdint>
#include <optional>
#include <vector>

namespace picturefixtures {

using Bytes = std::vector<std::uint8_t>;

// A pHYs chunk: pixels per unit in each direction; unit 1 is the metre, 0 gives only the aspect ratio.
struct PngDensity {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint8_t unit = 1;
};
Bytes pngPicture(std::int32_t width, std::int32_t height, std::optional<PngDensity> density = std::nullopt);

// A JFIF segment's density: unit 0 none, 1 dots per inch, 2 dots per centimetre. Without one, the JPEG
// carries no JFIF segment at all.
struct JfifDensity {
    std::uint8_t unit = 1;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
};
Bytes jpegPicture(std::int32_t width, std::int32_t height, std::optional<JfifDensity> density = std::nullopt);

// A GIF89a of one frame, with a palette of four colours. GIF has no resolution.
Bytes gifPicture(std::int32_t width, std::int32_t height);

// An RGB TIFF with its resolution in dots per inch.
Bytes tiffPicture(std::int32_t width, std::int32_t height, float xDpi = 72.0F, float yDpi = 72.0F);

// A 24-bit bottom-up bitmap with its resolution in pixels per metre: with the file header ("BM") or
// only the information header (a DIB, starting 28 00).
Bytes bmpPicture(std::int32_t width, std::int32_t height, std::int32_t xPixelsPerMetre = 3780,
                 std::int32_t yPixelsPerMetre = 3780);
Bytes dibPicture(std::int32_t width, std::int32_t height, std::int32_t xPixelsPerMetre = 3780,
                 std::int32_t yPixelsPerMetre = 3780);

// A placeable metafile: its 22-byte header with the bounding box and units per inch, then a plain
// metafile (SETWINDOWEXT to the box, then the end record).
Bytes placeableWmfPicture(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                          std::uint16_t unitsPerInch);

// A plain metafile whose SETWINDOWEXT record holds the given extent (logical units, signs kept).
Bytes plainWmfPicture(std::int16_t height, std::int16_t width);

// The first `length` bytes of a picture (a truncated file).
Bytes truncated(const Bytes& picture, std::size_t length);

}  // namespace picturefixtures
