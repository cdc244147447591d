// The emitter's border and colour operations, through which the section, row and cell writers reach
// the shared border writer and the document's colour table.
#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFColorIndex.h"
#include "export/rtf/layout/RTFBorderWriter.h"

void CRTFFile::writeBorder(const BorderSpec& border) {
    writeRTFBorder(*this, *block, border);
}

void CRTFFile::writeArtBorder(const BorderSpec& border, std::int16_t art) {
    writeRTFArtBorder(*this, *block, border, art);
}

std::int16_t CRTFFile::colorIndex(const RGBColor& color) {
    return rtfColorIndex(color, *block);
}
