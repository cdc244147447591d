#include "export/rtf/pictures/RTFPictureKind.h"

#include <iterator>

namespace {

using enum RTFPictureSize;

constexpr RTFPictureKind kKinds[] = {
    {1, "pngblip", naturalHundredths, 0, true},    // BMP family
    {2, "pngblip", naturalHundredths, 0, true},    // DIB
    {3, "emfblip", naturalHundredths, 0, false},   // EMF
    {6, "pngblip", naturalHundredths, 0, true},    // GIF
    {7, "jpegblip", naturalHundredths, 0, false},  // JPEG
    {8, "macpict", framePoints, 0, false},         // PICT
    {9, "pngblip", naturalHundredths, 0, false},   // PNG
    {10, "pngblip", naturalHundredths, 0, true},   // TIFF
    {11, "wmetafile8", naturalHundredths, 22, false},  // placeable WMF: its 22-byte header is skipped
    {12, "wmetafile8", naturalHundredths, 0, false},   // WMF
};

}  // namespace

const RTFPictureKind* rtfPictureKind(std::int16_t type) {
    for (const RTFPictureKind& kind : kKinds)
        if (kind.type == type) return &kind;
    return nullptr;
}
