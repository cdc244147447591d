#include "export/rtf/layout/RTFShadingWriter.h"

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFColorIndex.h"

namespace {

constexpr std::int16_t kFirstHatch = 2;
constexpr std::int16_t kLastHatch = 13;
// Pattern types above this one are tints: (type - 20) tenths of full colour.
constexpr std::int16_t kTintBase = 20;

}  // namespace

// Runs write their diagonal hatches 4 and 5 with the light words, paragraphs with the dark ones.
const ShadingWords kCharacterShadingWords = {
    "\\chcbpat",
    "\\chcfpat",
    "ch",
    "chshdng",
    {"bgdkhoriz", "bgdkvert", "bgfdiag", "bgbdiag", "bgdkcross", "bgdkdcross", "bghoriz", "bgvert", "bgfdiag",
     "bgbdiag", "bgcross", "bgdcross"},
};

const ShadingWords kParagraphShadingWords = {
    "\\cbpat",
    "\\cfpat",
    "",
    "shading",
    {"bgdkhoriz", "bgdkvert", "bgdkfdiag", "bgdkbdiag", "bgdkcross", "bgdkdcross", "bghoriz", "bgvert", "bgfdiag",
     "bgbdiag", "bgcross", "bgdcross"},
};

void writeRTFShading(CRTFFile& out, const XParamBlock& block, const ShadingSpec& shading, const ShadingWords& words) {
    writeRTFColorWord(out, block, words.fill, shading.patternFill, &kWhite);
    const std::int16_t type = shading.patternType;
    if (type == 0) return;
    writeRTFColorWord(out, block, words.tint, shading.patternTint);
    if (type >= kFirstHatch && type <= kLastHatch) {
        out.writeFormat("\\%s%s", words.prefix, words.patterns[type - kFirstHatch]);
        return;
    }
    out.writeFormat("\\%s%d", words.percent, type > kTintBase ? (type - kTintBase) * 10 : 0);
}
