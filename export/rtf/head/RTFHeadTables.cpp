// The font, colour and revision tables of the document head. They fix the numbers by which the body
// refers to fonts (fontRTFNumber), colours (1-based place; 0 is the automatic colour) and revision
// authors (1-based place; 0 is "Unknown"). A table without entries is left out.
#include <algorithm>
#include <iterator>
#include <limits>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFNameText.h"
#include "model/params/XParamBlock.h"
#include "model/tables/CAuthorArray.h"
#include "model/tables/CColorArray.h"
#include "model/tables/CFontArray.h"

namespace {

// Indexed by fontFamily.
constexpr const char* kFamilyWords[] = {"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor", "ftech", "fbidi"};

const char* familyWord(std::int16_t family) {
    // A family outside the table says nothing about the font.
    if (family < 0 || family >= static_cast<std::int16_t>(std::size(kFamilyWords))) return kFamilyWords[0];
    return kFamilyWords[family];
}

// 0 to 65535 onto 0 to 255.
int channel(std::uint16_t value) {
    return value / 257;
}

}  // namespace

void CRTFFile::writeFontTable() {
    const CFontArray* fonts = block->fonts;
    if (fonts == nullptr || fonts->getCount() == 0) return;
    writeFormat("{\\fonttbl");
    for (std::int32_t i = 1; i <= fonts->getCount(); ++i) {
        const XFont* font = fonts->get(i);
        if (font == nullptr) continue;
        const std::string name = rtfEscapedField(font->fontPCName, sizeof font->fontPCName);
        writeFormat("{\\f%d\\%s\\fcharset%d %s;}", font->fontRTFNumber, familyWord(font->fontFamily), font->fontCharset,
                    name.c_str());
    }
    writeFormat("}\r\n");
}

void CRTFFile::writeColorTable() {
    const CColorArray* colors = block->colors;
    if (colors == nullptr || colors->getCount() == 0) return;
    writeFormat("{\\colortbl;");
    for (std::int32_t i = 1; i <= colors->getCount(); ++i) {
        const RGBColor* color = colors->get(i);
        if (color == nullptr) continue;
        writeFormat("\\red%d\\green%d\\blue%d;", channel(color->red), channel(color->green), channel(color->blue));
    }
    writeFormat("}\r\n");
}

void CRTFFile::writeRevisionTable() {
    const CAuthorArray* authors = block->authors;
    if (authors == nullptr || authors->getCount() == 0) return;
    writeFormat("{\\*\\revtbl {Unknown;}");
    // Revision marks refer to authors by 16-bit numbers.
    const std::int32_t count = std::min<std::int32_t>(authors->getCount(), std::numeric_limits<std::int16_t>::max());
    for (std::int32_t i = 1; i <= count; ++i) {
        // An author read back without a name keeps its place, so later authors keep their numbers.
        const char* name = authors->get(static_cast<std::int16_t>(i));
        writeFormat("{%s;}", name == nullptr ? "" : rtfEscapedName(std::string_view(name)).c_str());
    }
    writeFormat("}\r\n");
}
