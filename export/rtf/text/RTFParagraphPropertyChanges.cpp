#include "export/rtf/text/RTFParagraphPropertyChanges.h"

#include "export/rtf/CRTFFile.h"
#include "export/rtf/layout/RTFFrameWriter.h"
#include "export/rtf/layout/RTFShadingWriter.h"
#include "export/rtf/tables/RTFTableStyleRowProperties.h"
#include "export/rtf/text/RTFParagraphProperties.h"
#include "foundation/FieldMask.h"

namespace {

constexpr std::int16_t kLineUnitsTwips = 32;  // space before and after given in line units
constexpr std::int16_t kBoxBit = 0x10;

// One change bit and what it writes; a bit without a row writes nothing.
struct ChangeRow {
    int bit;
    void (*write)(CRTFFile& out, const XParamBlock& block, const XRule& rule);
};

void writeFlag(CRTFFile& out, std::int16_t value, const char* word) {
    if (value == 1) out.writeFormat("%s", word);
}

std::int32_t spacing(std::int16_t value, std::int16_t unit) {
    return value * (unit == -1 ? kLineUnitsTwips : 1);
}

// An exact line height is written negative; a multiple of single lines says so.
void writeLeading(CRTFFile& out, const XRule& rule) {
    const std::int32_t leading = rule.leadingUnit == 1 ? -rule.leading : rule.leading;
    out.writeFormat("\\sl%d\\slmult%d", leading, rule.leadingUnit == -1 ? 1 : 0);
}

template <BorderSpec XRule::*side>
void writeSide(CRTFFile& out, const XRule& rule, std::int16_t maskBit, const char* word) {
    if ((rule.borderType & maskBit) == 0) return;
    out.writeFormat("%s", word);
    out.writeBorder(rule.*side);
}

// In bit order.
constexpr ChangeRow kChangeRows[] = {
    {2, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\%s", r.direction == 1 ? "rtlpar" : "ltrpar"); }},
    {3, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\%s", rtfJustificationWord(r.justification)); }},
    {4, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\li%d", r.indentLeft); }},
    {5, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\culi%d", r.indentLeftCh); }},
    {6, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\fi%d", r.indentFirst); }},
    {7, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\cufi%d", r.indentFirstCh); }},
    {8, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\ri%d", r.indentRight); }},
    {9, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\curi%d", r.indentRightCh); }},
    // A hanging indent is a negative first-line indent.
    {10, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\fi%d", -r.indentHanging); }},
    {11, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\cufi%d", -r.indentHangingCh); }},
    {12, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeLeading(o, r); }},
    {13, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\sb%d", spacing(r.spaceBefore, r.spaceBeforeUnit)); }},
    {14, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat("\\sa%d", spacing(r.spaceAfter, r.spaceAfterUnit)); }},
    {18, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeFlag(o, r.contextualSpacing, "\\contextualspace"); }},
    {19, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeFlag(o, r.cellOfRow, "\\intbl"); }},
    {24, [](CRTFFile& o, const XParamBlock&, const XRule& r) { if ((r.borderType & kBoxBit) != 0) o.writeFormat("\\box"); }},
    {26, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeRTFOutlineLevel(o, r.outlineLevelOrSubdocument); }},
    {27, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeFlag(o, r.keepNext, "\\keepn"); }},
    {28, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeFlag(o, r.keepLines, "\\keep"); }},
    {29, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeFlag(o, r.pageBreakBefore, "\\pagebb"); }},
    {kWidowControlBit, [](CRTFFile& o, const XParamBlock&, const XRule& r) { o.writeFormat(r.widowControl == 1 ? "\\widctlpar" : "\\nowidctlpar"); }},
    {31, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeFlag(o, r.suppressLineNumbers, "\\noline"); }},
    {32, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeFlag(o, r.suppressAutoHyphens, "\\hyphpar0"); }},
    {35, [](CRTFFile& o, const XParamBlock& b, const XRule& r) {
         if (r.shadingType != 0) writeRTFShading(o, b, r.shading, kParagraphShadingWords);
     }},
    {36, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeSide<&XRule::borderTop>(o, r, 0x1, "\\brdrt"); }},
    {37, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeSide<&XRule::borderLeft>(o, r, 0x8, "\\brdrl"); }},
    {38, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeSide<&XRule::borderBottom>(o, r, 0x2, "\\brdrb"); }},
    {39, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeSide<&XRule::borderRight>(o, r, 0x4, "\\brdrr"); }},
    {40, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeSide<&XRule::borderBetween>(o, r, 0x40, "\\brdrbtw"); }},
    {42, [](CRTFFile& o, const XParamBlock&, const XRule& r) { if (r.frameType != 0) writeRTFFrame(o, r.frame); }},
    {43, [](CRTFFile& o, const XParamBlock&, const XRule& r) {
         if (r.level.ls != 0) o.writeFormat("\\ls%d\\ilvl%d", r.level.ls, r.level.ilvl);
     }},
    {44, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeRTFTabStops(o, r.tabs); }},
    {45, [](CRTFFile& o, const XParamBlock&, const XRule& r) { writeRTFRowProps(o, r.rows); }},
};

}  // namespace

void writeRTFParagraphProps(CRTFFile& out, const XParamBlock& block, const XRule& rule) {
    for (const ChangeRow& row : kChangeRows)
        if (testMaskBit(rule.changeBits, row.bit) == 1) row.write(out, block, rule);
}
