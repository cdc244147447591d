#include "export/rtf/text/RTFParagraphProperties.h"

#include <algorithm>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/layout/RTFBorderWriter.h"
#include "export/rtf/layout/RTFFrameWriter.h"
#include "export/rtf/layout/RTFShadingWriter.h"
#include "model/params/XParamBlock.h"
#include "model/tables/CStyleArray.h"

namespace {

constexpr std::int16_t kSubdocument = 256;
constexpr std::int16_t kLineUnitsTwips = 32;  // space before and after given in line units
constexpr std::int16_t kBarTab = 5;

struct BorderSide {
    std::int16_t bit;
    const char* word;
    BorderSpec XRule::*border;
};

// In the order they are written.
constexpr BorderSide kBorderSides[] = {
    {0x1, "brdrt", &XRule::borderTop},    {0x8, "brdrl", &XRule::borderLeft},
    {0x2, "brdrb", &XRule::borderBottom}, {0x4, "brdrr", &XRule::borderRight},
    {0x40, "brdrbtw", &XRule::borderBetween},
};
constexpr std::int16_t kBoxBit = 0x10;

// Whether the paragraph's style, or a style it is based on, numbers its paragraphs; a reader then
// numbers a paragraph of that style that names no list, unless it is told the paragraph is in none.
// The walk up the chain stops after as many steps as the table has styles, so a loop ends it too.
bool styleNumbers(const XParamBlock& block, const XRule& rule) {
    if (block.styles == nullptr) return false;
    std::int32_t tag = rule.styleTag;
    for (std::int32_t step = 0; step <= block.styles->getCount(); ++step) {
        const XStyle* style = block.styles->get(tag);
        if (style == nullptr) return false;
        if (style->styleRule.level.ls != 0) return true;
        tag = style->styleBase;
    }
    return false;
}

void writeBorders(CRTFFile& out, const XParamBlock& block, const XRule& rule) {
    for (const BorderSide& side : kBorderSides) {
        if ((rule.borderType & side.bit) == 0) continue;
        out.writeFormat("\\%s", side.word);
        writeRTFBorder(out, block, rule.*side.border);
    }
    if ((rule.borderType & kBoxBit) != 0) out.writeFormat("\\box");
}

void writeFlowAndOutline(CRTFFile& out, const XRule& rule) {
    if (rule.keepNext == 1) out.writeFormat("\\keepn");
    if (rule.keepLines == 1) out.writeFormat("\\keep");
    if (rule.pageBreakBefore == 1) out.writeFormat("\\pagebb");
    out.writeFormat(rule.widowControl == 1 ? "\\widctlpar" : "\\nowidctlpar");
    if (rule.suppressLineNumbers == 1) out.writeFormat("\\noline");
    if (rule.suppressAutoHyphens == 1) out.writeFormat("\\hyphpar0");
    writeRTFOutlineLevel(out, rule.outlineLevelOrSubdocument);
}

void writeNonZero(CRTFFile& out, const char* word, std::int32_t value) {
    if (value != 0) out.writeFormat("\\%s%d", word, value);
}

void writeIndents(CRTFFile& out, const XRule& rule) {
    // A hanging indent is a negative first-line indent.
    const std::int32_t first = rule.indentHanging != 0 ? -rule.indentHanging : rule.indentFirst;
    const std::int32_t firstCh = rule.indentHangingCh != 0 ? -rule.indentHangingCh : rule.indentFirstCh;
    writeNonZero(out, "li", rule.indentLeft);
    writeNonZero(out, "ri", rule.indentRight);
    writeNonZero(out, "fi", first);
    writeNonZero(out, "culi", rule.indentLeftCh);
    writeNonZero(out, "curi", rule.indentRightCh);
    writeNonZero(out, "cufi", firstCh);
}

void writeSpacing(CRTFFile& out, const XRule& rule) {
    const std::int32_t before = rule.spaceBefore * (rule.spaceBeforeUnit == -1 ? kLineUnitsTwips : 1);
    const std::int32_t after = rule.spaceAfter * (rule.spaceAfterUnit == -1 ? kLineUnitsTwips : 1);
    out.writeFormat("\\sb%d\\sa%d", before, after);
    // An exact line height is written negative; a multiple of single lines says so.
    const std::int32_t leading = rule.leadingUnit == 1 ? -rule.leading : rule.leading;
    if (leading != 0) out.writeFormat("\\sl%d\\slmult%d", leading, rule.leadingUnit == -1 ? 1 : 0);
    if (rule.contextualSpacing == 1) out.writeFormat("\\contextualspace");
}

const char* leaderWord(std::int16_t leader) {
    switch (leader) {
        case u'-': return "\\tlhyph";
        case u'.': return "\\tldot";
        case u'=': return "\\tleq";
        case u'_': return "\\tlul";
        default: return "";
    }
}

const char* alignmentWord(std::int16_t justification) {
    switch (justification) {
        case 1: return "\\tqc";
        case 2: return "\\tqr";
        case 4: return "\\tqdec";
        case 6: return "\\jclisttab";
        default: return "";
    }
}

}  // namespace

const char* rtfJustificationWord(std::int16_t justification) {
    switch (justification) {
        case 1: return "qc";
        case 2: return "qr";
        case 3: return "qj";
        default: return "ql";
    }
}

void writeRTFOutlineLevel(CRTFFile& out, std::int16_t outlineLevelOrSubdocument) {
    std::int16_t outline = outlineLevelOrSubdocument;
    if (outline >= kSubdocument) {
        out.writeFormat("\\subdocument%d", 0);
        outline = static_cast<std::int16_t>(outline - kSubdocument);
    }
    if (outline > 0) out.writeFormat("\\outlinelevel%d", outline - 1);
}

void writeRTFTabStops(CRTFFile& out, const XTabs& tabs) {
    const int count = std::clamp<int>(tabs.tabs, 0, kMaxTabs);
    for (int i = 0; i < count; ++i) {
        const XTab& tab = tabs.tab[i];
        if (tab.tabJust == kBarTab) {
            out.writeFormat("%s\\tb%d", leaderWord(tab.tabLead), tab.tabIndent);
        } else {
            out.writeFormat("%s%s\\tx%d", alignmentWord(tab.tabJust), leaderWord(tab.tabLead), tab.tabIndent);
        }
    }
}

void writeRTFParagraphProperties(CRTFFile& out, const XParamBlock& block, const XRule& rule) {
    writeBorders(out, block, rule);
    writeFlowAndOutline(out, rule);
    out.writeFormat("\\%s\\%s", rule.direction != 0 ? "rtlpar" : "ltrpar", rtfJustificationWord(rule.justification));
    writeIndents(out, rule);
    writeSpacing(out, rule);
    writeRTFTabStops(out, rule.tabs);
    if (rule.shadingType != 0) writeRTFShading(out, block, rule.shading, kParagraphShadingWords);
    if (rule.frameType != 0) writeRTFFrame(out, rule.frame);
    if (rule.level.ls != 0) {
        out.writeFormat("\\ls%d\\ilvl%d", rule.level.ls, rule.level.ilvl);
    } else if (styleNumbers(block, rule)) {
        out.writeFormat("\\ls0");
    }
}
