#include "export/rtf/layout/RTFBorderWriter.h"

#include <iterator>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFColorIndex.h"

namespace {

constexpr std::int16_t kShadowBit = 0x40;

// Indexed by line style; 0 and any style outside the table write a single line.
constexpr const char* kStyleWords[] = {
    "brdrs",        "brdrs",        "brdrth",         "brdrdb",       "brdrtriple",     "brdrdot",
    "brdrdash",     "brdrhair",     "brdrdashsm",     "brdrdashd",    "brdrdashdd",     "brdrthtnsg",
    "brdrtnthsg",   "brdrtnthtnsg", "brdrthtnmg",     "brdrtnthmg",   "brdrtnthtnmg",   "brdrthtnlg",
    "brdrtnthlg",   "brdrtnthtnlg", "brdrwavy",       "brdrwavydb",   "brdrdashsm",     "brdrdashdotstr",
    "brdrdotstr",   "brdremboss",   "brdrengrave",    "brdroutset",   "brdrinset",
};

const char* styleWord(std::int16_t style) {
    if (style < 0 || style >= static_cast<std::int16_t>(std::size(kStyleWords))) return "brdrs";
    return kStyleWords[style];
}

void writeColorWidthSpace(CRTFFile& out, const XParamBlock& block, const BorderSpec& border, std::int32_t width) {
    writeRTFColorWord(out, block, "\\brdrcf", border.borderTint);
    if (width != 0) out.writeFormat("\\brdrw%d", width);
    if (border.borderSpace != 0) out.writeFormat("\\brsp%d", border.borderSpace);
}

}  // namespace

void writeRTFBorder(CRTFFile& out, const XParamBlock& block, const BorderSpec& border) {
    std::int16_t style = border.borderType;
    if (style == 0 || style == -1) return;
    if ((style & kShadowBit) != 0) {
        out.writeFormat("\\brdrsh");
        style = static_cast<std::int16_t>(style & ~kShadowBit);
    }
    out.writeFormat("\\%s", styleWord(style));
    writeColorWidthSpace(out, block, border, border.borderSize);
}

void writeRTFArtBorder(CRTFFile& out, const XParamBlock& block, const BorderSpec& border, std::int16_t art) {
    out.writeFormat("\\brdrart%d", art);
    writeColorWidthSpace(out, block, border, border.borderSize / 8);
}
