#include "export/rtf/text/RTFCharacterProperties.h"

#include <iterator>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/fields/RTFRevisionWriter.h"
#include "export/rtf/head/RTFColorIndex.h"
#include "export/rtf/head/RTFFontNumber.h"
#include "export/rtf/layout/RTFBorderWriter.h"
#include "export/rtf/layout/RTFShadingWriter.h"
#include "model/records/ValueRecords.h"

namespace {

constexpr std::int16_t kArabic = 1025;
constexpr std::int16_t kHebrew = 1037;
constexpr std::int16_t kFullScale = 100;

struct FaceWord {
    std::uint32_t flag;
    const char* word;
};

// In the order they are written.
constexpr FaceWord kFaceWords[] = {
    {kFaceBold, "b"},           {kFaceItalic, "i"},
    {kFaceUnderline, "ul"},     {kFaceOutline, "outl"},
    {kFaceShadow, "shad"},      {kFaceSuperscript, "super"},
    {kFaceSubscript, "sub"},    {kFaceStrikeThrough, "strike"},
    {kFaceAllCaps, "caps"},     {kFaceEmboss, "embo"},
    {kFaceEngrave, "impr"},     {kFaceSmallCaps, "scaps"},
    {kFaceDoubleStrikeThrough, "striked1"}, {kFaceHidden, "v"},
    {kFaceExpanded, "expnd1"},  {kFaceCondensed, "expnd-1"},
    {kFaceWordsUnderline, "ulw"}, {kFaceDoubleUnderline, "uldb"},
};

// Emphasis marks 0 to 4.
constexpr const char* kEmphasisWords[] = {"accnone", "accdot", "acccomma", "acccircle", "accunderdot"};

// Underline kinds 1 to 15; any other non-zero kind is a single underline.
constexpr const char* kUnderlineWords[] = {"uld",        "ulthd",      "uldash",  "ulthdash", "uldashd",
                                           "ul",         "uldashdd",   "ulthdashdd", "ulthdashdd", "ulth",
                                           "ulldash",    "ulthldash",  "ulwave",  "ulhwave",  "ululdbwave"};

const char* underlineWord(std::int16_t kind) {
    if (kind < 1 || kind > static_cast<std::int16_t>(std::size(kUnderlineWords))) return "ul";
    return kUnderlineWords[kind - 1];
}

void writeScaleAndPosition(CRTFFile& out, const XForm& form) {
    if (form.txtRate / 10 != kFullScale) out.writeFormat("\\charscalex%d", form.txtRate / 10);
    if (form.txtBase < 0) out.writeFormat("\\dn%d", -form.txtBase);
    if (form.txtBase > 0) out.writeFormat("\\up%d", form.txtBase);
    if (form.txtSpacing != 0) out.writeFormat("\\expnd%d\\expndtw%d", form.txtSpacing / 5, form.txtSpacing);
    // Written even when off: a reader whose own default is pair kerning would otherwise kern text the
    // document never asked to kern, and every line would come out narrower than the original's.
    out.writeFormat("\\kerning%d", form.txtKern);
}

void writeFace(CRTFFile& out, const XForm& form) {
    writeRTFEmphasisWord(out, form.txtFill);
    writeRTFFaceWords(out, form.txtFace);
    if (form.blinkingEffect != 0) out.writeFormat("\\animtext%d", form.blinkingEffect);
    writeRTFUnderlineWord(out, form.underlineEffect);
}

void writeColorsAndFrames(CRTFFile& out, const XParamBlock& block, const XForm& form) {
    writeRTFColorWord(out, block, "\\ulc", form.underlineColor, &kBlack);
    writeRTFColorWord(out, block, "\\cf", form.txtFore, &kBlack);
    writeRTFColorWord(out, block, "\\highlight", form.txtBack, &kWhite);
    if (form.borderType != 0) {
        out.writeFormat("\\chbrdr");
        writeRTFBorder(out, block, form.border);
    }
    if (form.shadingType != 0) writeRTFShading(out, block, form.shading, kCharacterShadingWords);
    if (form.revision.type != 0) writeRTFRevision(out, form.revision);
}

}  // namespace

const char* rtfCharacterDirectionWord(std::int16_t language) {
    return language == kArabic || language == kHebrew ? "rtlch" : "ltrch";
}

void writeRTFFaceWords(CRTFFile& out, std::uint32_t face) {
    for (const FaceWord& word : kFaceWords)
        if ((face & word.flag) != 0) out.writeFormat("\\%s", word.word);
}

void writeRTFEmphasisWord(CRTFFile& out, std::int16_t fill) {
    if (fill >= 0 && fill < static_cast<std::int16_t>(std::size(kEmphasisWords)))
        out.writeFormat("\\%s", kEmphasisWords[fill]);
}

void writeRTFUnderlineWord(CRTFFile& out, std::int16_t kind) {
    if (kind != 0) out.writeFormat("\\%s", underlineWord(kind));
}

void writeRTFCharacterProperties(CRTFFile& out, const XParamBlock& block, const XForm& form, bool withCharacterStyle) {
    const std::int16_t language = selectLanguageByHint(form);
    out.writeFormat("\\%s", rtfCharacterDirectionWord(language));
    if (withCharacterStyle && form.styleTag != -1) out.writeFormat("\\cs%d", form.styleTag - 1);
    out.writeFormat("\\lang%d", language);
    if (form.noProof == 1) out.writeFormat("\\noproof");
    out.writeFormat("\\f%d", rtfFontNumber(language, selectFontByHint(form), block));
    out.writeFormat("\\fs%d", form.txtSize / 5);
    if (const std::int16_t charset = rtfCharsetForLanguage(language); charset != 0)
        out.writeFormat("\\cchs%d", charset);
    writeScaleAndPosition(out, form);
    writeFace(out, form);
    writeColorsAndFrames(out, block, form);
}
