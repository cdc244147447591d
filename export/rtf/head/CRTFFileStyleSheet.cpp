// The style sheet of the document head: one group per style, numbered styleIndx - 1 (the number by
// which paragraphs and runs refer to it; the default style, number 0, carries none), holding the
// style's kind, flags, changed paragraph and character properties, the styles it is based on, is
// followed by and is linked to, and its name. A table style adds one group per conditional part (first
// row, bands, corner cells ...), under the same number and name. Left out when there are no styles.
#include <iterator>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFTableEntryName.h"
#include "export/rtf/text/RTFCharacterPropertyChanges.h"
#include "export/rtf/text/RTFParagraphPropertyChanges.h"
#include "model/params/XParamBlock.h"
#include "model/tables/CStyleArray.h"

namespace {

enum StyleKind : std::int16_t {
    kSectionStyle = 1,
    kParagraphStyle = 2,
    kCharacterStyle = 3,
    kTableStyle = 4,
    kUnwrittenStyle = 5,
};

const char* kindWord(std::int16_t kind) {
    switch (kind) {
        case kSectionStyle: return "ds";
        case kCharacterStyle: return "*\\cs";
        case kTableStyle: return "*\\ts";
        default: return "s";
    }
}

struct FlagWord {
    std::int32_t flag;
    const char* word;
};

// In the order they are written.
constexpr FlagWord kStyleFlagWords[] = {
    {1, "\\sautoupd"}, {2, "\\shidden"},   {4, "\\ssemihidden"}, {8, "\\slocked"},
    {16, "\\spersonal"}, {32, "\\scompose"}, {64, "\\sreply"},
};

// The conditional part of a table that a sub-style formats, by its styleAttr bit; null for none.
const char* conditionWord(std::int16_t part) {
    static constexpr const char* kWords[] = {
        "tscfirstrow",    "tsclastrow",     "tscfirstcol", "tsclastcol", "tscbandhorzodd", "tscbandhorzeven",
        "tscbandvertodd", "tscbandverteven", "tscnecell",  "tscnwcell",  "tscsecell",      "tscswcell",
    };
    for (std::size_t i = 0; i < std::size(kWords); ++i)
        if (part == (1 << i)) return kWords[i];
    return nullptr;
}

}  // namespace

void CRTFFile::writeStyleSheet() {
    const CStyleArray* styles = block->styles;
    if (styles == nullptr || styles->getCount() == 0) return;
    writeFormat("{\\stylesheet");
    for (std::int32_t i = 1; i <= styles->getCount(); ++i) {
        const XStyle* style = styles->get(i);
        if (style != nullptr && style->styleType != kUnwrittenStyle) writeStyle(*style);
    }
    writeFormat("}\r\n");
}

void CRTFFile::writeStyle(const XStyle& style) {
    const std::string name = rtfTableEntryName(style.styleName, sizeof style.styleName);
    // Style 0, the default, is referred to without a number.
    if (style.styleIndx == 1) {
        writeFormat("{");
    } else {
        writeFormat("{\\%s%d", kindWord(style.styleType), style.styleIndx - 1);
    }
    if (style.styleType == kCharacterStyle) writeFormat(" \\additive ");
    for (const FlagWord& flag : kStyleFlagWords)
        if ((style.styleBits & flag.flag) != 0) writeFormat("%s", flag.word);
    if (style.styleType == kParagraphStyle || style.styleType == kTableStyle)
        writeRTFParagraphProps(*this, *block, style.styleRule);
    writeRTFCharacterProps(*this, *block, style.styleForm);
    // Style numbers are 1-based; anything below names no style.
    if (style.styleBase > 0) writeFormat("\\sbasedon%d", style.styleBase - 1);
    if (style.styleNext > 0) writeFormat("\\snext%d", style.styleNext - 1);
    if (style.styleLink > 0) writeFormat("\\slink%d", style.styleLink - 1);
    writeFormat(" %s;}", name.c_str());
    if (style.styleType != kTableStyle) return;
    for (std::int32_t i = 0; i < subStyleCount(style); ++i) {
        const XStyle* part = style.subStyles[i];
        if (part == nullptr) continue;
        writeFormat("{\\%s%d", kindWord(kTableStyle), style.styleIndx - 1);
        writeRTFParagraphProps(*this, *block, part->styleRule);
        writeRTFCharacterProps(*this, *block, part->styleForm);
        if (const char* condition = conditionWord(part->styleAttr); condition != nullptr)
            writeFormat("\\%s", condition);
        writeFormat(" %s;}", name.c_str());
    }
}
