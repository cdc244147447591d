#pragma once
// How each picture type goes into an RTF picture group: the blip word after "{\pict\", which rectangle
// gives "\picw" and "\pich" (and in what unit), how many leading bytes of the data are not picture data,
// and whether the bytes must be re-encoded as PNG first. GIF, TIFF and the bitmap families are written as
// PNG because readers drop or mislabel them otherwise; a type with no row here is not written at all.
#include <cstdint>

enum class RTFPictureSize : std::int8_t {
    framePoints,      // the frame in points (twips / 20): pixels at 72 per inch
    naturalHundredths,  // the natural size in hundredths of a millimetre (twips * 635 / 360)
};

struct RTFPictureKind {
    std::int16_t type;       // picture-type code
    const char* word;        // the word after "{\pict\"
    RTFPictureSize size;
    std::int32_t skippedBytes;  // a header before the picture data (the placeable metafile header)
    bool convertsToPng;      // the bytes are re-encoded as PNG before they are written
};

// The row of a picture-type code, or null when pictures of that type are not written.
const RTFPictureKind* rtfPictureKind(std::int16_t type);
