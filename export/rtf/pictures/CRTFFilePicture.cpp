// A picture of the document as an RTF picture group: the blip word of its type, its sizes, scale and
// crop, then its bytes in hexadecimal, 65 bytes to a line. A drawing shape is written from its own shape
// text instead (CRTFFileShape.cpp).
#include <array>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/pictures/RTFPictureData.h"
#include "export/rtf/pictures/RTFPictureGeometry.h"
#include "export/rtf/pictures/RTFPictureKind.h"
#include "model/CPicture.h"

namespace {

// A picture object made from a drawing, carrying RTF shape text.
constexpr std::int16_t kShapeFlag = 1;
constexpr std::int32_t kBytesPerLine = 65;

}  // namespace

void CRTFFile::writePicture(const CPicture* picture) {
    if (picture == nullptr) return;
    if (picture->getFlag() == kShapeFlag) {
        writeShape(picture);
    } else {
        writePict(picture, picture->getType());
    }
    writeFormat("\r\n");
}

void CRTFFile::writePict(const CPicture* picture, std::int16_t type) {
    const RTFPictureKind* kind = rtfPictureKind(type);
    if (picture == nullptr || kind == nullptr) return;
    const RTFPictureData data(*picture, *kind);
    if (!data.writable()) return;
    const RTFPictureGeometry g =
        rtfPictureGeometry(*picture->getRect(), *picture->getOriginalRect(), *picture->getCropRect(), kind->size);
    writeFormat("{\\pict\\%s", kind->word);
    if (g.scaled) writeFormat("\\picscalex%d\\picscaley%d", g.scaleX, g.scaleY);
    writeFormat("\\picw%d\\pich%d", g.width, g.height);
    if (g.cropped)
        writeFormat("\\piccropt%d\\piccropb%d\\piccropl%d\\piccropr%d", g.cropTop, g.cropBottom, g.cropLeft,
                    g.cropRight);
    writeFormat("\\picwgoal%d\\pichgoal%d \r\n", g.goalWidth, g.goalHeight);
    writeHexLines(data.bytes(), data.length());
    writeFormat("}");
}

void CRTFFile::writeHexLines(const std::uint8_t* bytes, std::int32_t length) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::array<char, kBytesPerLine * 2 + 2> line{};
    std::int32_t used = 0;
    for (std::int32_t i = 0; i < length; ++i) {
        line[static_cast<std::size_t>(used++)] = kDigits[bytes[i] >> 4];
        line[static_cast<std::size_t>(used++)] = kDigits[bytes[i] & 0x0F];
        if (used == kBytesPerLine * 2) {
            line[static_cast<std::size_t>(used++)] = '\r';
            line[static_cast<std::size_t>(used++)] = '\n';
            writeBytes(line.data(), used);
            used = 0;
        }
    }
    writeBytes(line.data(), used);
}
