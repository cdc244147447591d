#pragma once
// What the type detection and the measuring of picture bytes deliver: the picture-type code and the
// natural size. The caller owns the record and empties it with clearPictureInfo before each use.
#include <cstdint>

struct PictureInfo {
    std::int16_t type;    // picture-type code, 0 when not known
    std::int32_t height;  // twips (a plain metafile: its logical units)
    std::int32_t width;   // twips (a plain metafile: its logical units)
    std::uint16_t verticalDensity;    // JPEG only
    std::uint16_t horizontalDensity;  // JPEG only
    std::int16_t densityUnit;         // JPEG only: 0 none, 1 dots per inch, 2 dots per centimetre
    std::int16_t spare[3];            // cleared, not used
};

void clearPictureInfo(PictureInfo& info);
