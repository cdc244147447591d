#pragma once
// Shading in RTF words: the fill colour, then, for a patterned shading, the pattern colour and the
// pattern (a hatch word, or a percentage of tint). Runs, paragraphs and table cells write the same
// values with their own words, given as a ShadingWords set.
#include <cstdint>

#include "model/records/ValueRecords.h"

class CRTFFile;
struct XParamBlock;

struct ShadingWords {
    const char* fill;      // "\chcbpat" for a run
    const char* tint;      // "\chcfpat"
    const char* prefix;    // "ch": put before the pattern words "bgdkhoriz", "shdng"...
    const char* percent;   // "chshdng": followed by the tint percentage in hundredths
    // Words of the patterns 2 to 13, after the prefix.
    const char* patterns[12];
};

extern const ShadingWords kCharacterShadingWords;
extern const ShadingWords kParagraphShadingWords;

// The fill colour unless it is white or not in the colour table; nothing more for pattern 0.
void writeRTFShading(CRTFFile& out, const XParamBlock& block, const ShadingSpec& shading, const ShadingWords& words);
