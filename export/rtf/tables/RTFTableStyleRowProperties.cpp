#include "export/rtf/tables/RTFTableStyleRowProperties.h"

#include "export/rtf/CRTFFile.h"
#include "export/rtf/tables/RTFTableWords.h"
#include "foundation/FieldMask.h"
#include "model/records/cell/XRow.h"

namespace {

// Change bits of the row set.
enum RowBit : int {
    kPlacementBit = 2,
    kBidiVisualBit = 5,
    kRowBandBit = 6,
    kColumnBandBit = 7,
    kWidthBit = 8,
    kAlignmentBit = 9,
    kIndentBit = 11,
    kFirstTableBorderBit = 12,
    kLayoutBit = 19,
    kFirstMarginBit = 20,
    kLastMarginBit = 23,
    kCantSplitBit = 30,
    kHeightBit = 31,
    kHeaderBit = 32,
    kCellWidthBit = 33,
    kHorizontalMergeBit = 35,
    kVerticalMergeBit = 36,
    kFirstCellBorderBit = 37,
    kCellShadingBit = 43,
    kNoWrapBit = 44,
    kTextFlowBit = 49,
    kFitTextBit = 50,
    kVerticalAlignmentBit = 51,
};

struct BorderWord {
    BorderSpec XTblBorders::*border;
    const char* word;
};

// In bit order from the first border bit; the cell's two diagonals sit in its inside places.
constexpr BorderWord kTableBorderWords[] = {
    {&XTblBorders::top, "\\trbrdrt"},    {&XTblBorders::left, "\\trbrdrl"},     {&XTblBorders::bottom, "\\trbrdrb"},
    {&XTblBorders::right, "\\trbrdrr"},  {&XTblBorders::insideH, "\\trbrdrh"}, {&XTblBorders::insideV, "\\trbrdrv"},
};
constexpr BorderWord kCellBorderWords[] = {
    {&XTblBorders::top, "\\clbrdrt"},   {&XTblBorders::left, "\\clbrdrl"},    {&XTblBorders::bottom, "\\clbrdrb"},
    {&XTblBorders::right, "\\clbrdrr"}, {&XTblBorders::insideH, "\\cldglu"}, {&XTblBorders::insideV, "\\cldgll"},
};

void writeBorders(CRTFFile& out, const XRows& rows, const XTblBorders& borders, const BorderWord (&words)[6],
                  int firstBit) {
    for (int i = 0; i < 6; ++i) {
        const BorderSpec& border = borders.*words[i].border;
        if (testMaskBit(rows.changeBits, firstBit + i) != 1 || border.borderType == 0) continue;
        out.writeFormat("%s", words[i].word);
        out.writeBorder(border);
    }
}

bool anyBit(const XRows& rows, int first, int last) {
    for (int bit = first; bit <= last; ++bit) {
        if (testMaskBit(rows.changeBits, bit) == 1) return true;
    }
    return false;
}

void writeRowWords(CRTFFile& out, const XRows& rows) {
    const auto set = [&rows](int bit) { return testMaskBit(rows.changeBits, bit) == 1; };
    if (set(kPlacementBit)) writeRTFTablePlacement(out, rows.tblpPr, rows.tblOverlap);
    if (set(kBidiVisualBit)) out.writeFormat("%s", rows.bidiVisual == 1 ? "\\rtlrow" : "\\ltrrow");
    if (set(kRowBandBit)) out.writeFormat("\\tscbandsh%d", rows.tblStyleRowBandSize);
    if (set(kColumnBandBit)) out.writeFormat("\\tscbandsv%d", rows.tblStyleColBandSize);
    if (set(kWidthBit)) out.writeFormat("\\trftsWidth%d\\trwWidth%d", rows.tblW.type, rows.tblW.w);
    if (set(kAlignmentBit)) out.writeFormat("%s", rtfRowAlignmentWord(rows.jc));
    if (set(kIndentBit)) out.writeFormat("\\tblindtype%d\\tblind%d", rows.tblInd.type, rows.tblInd.w);
    writeBorders(out, rows, rows.tblBorders, kTableBorderWords, kFirstTableBorderBit);
    if (set(kLayoutBit) && rows.tblLayout == 1) out.writeFormat("\\trautofit1");
    if (anyBit(rows, kFirstMarginBit, kLastMarginBit)) {
        const long long gap = rtfRowGap(rows.tblCellMar);
        out.writeFormat("\\trgaph%lld\\trleft%lld", gap, rows.tblInd.w - gap);
    }
    if (set(kCantSplitBit) && rows.cantSplit == 1) out.writeFormat("\\trkeep");
    if (set(kHeightBit)) out.writeFormat("\\trrh%lld", rtfRowHeight(rows.trHeight));
    if (set(kHeaderBit) && rows.tblHeader == 1) out.writeFormat("\\trhdr");
}

void writeCellWords(CRTFFile& out, const XRows& rows) {
    const auto set = [&rows](int bit) { return testMaskBit(rows.changeBits, bit) == 1; };
    const XRow& cell = rows.defRow;
    if (set(kCellWidthBit)) out.writeFormat("\\clftsWidth%d\\clwWidth%d", cell.tcW.type, cell.tcW.w);
    if (set(kHorizontalMergeBit)) out.writeFormat("%s", rtfHorizontalMergeWord(cell.hmerge));
    if (set(kVerticalMergeBit)) out.writeFormat("%s", rtfVerticalMergeWord(cell.vmerge));
    writeBorders(out, rows, cell.tcBorders, kCellBorderWords, kFirstCellBorderBit);
    if (set(kCellShadingBit)) out.writeCellShading(cell.shd);
    if (set(kNoWrapBit) && cell.noWrap == 1) out.writeFormat("\\clNoWrap");
    if (set(kTextFlowBit)) out.writeFormat("%s", rtfCellTextFlowWord(cell.textFlow));
    if (set(kFitTextBit) && cell.tcFitText == 1) out.writeFormat("\\clFitText");
    if (set(kVerticalAlignmentBit)) out.writeFormat("%s", rtfCellVerticalAlignmentWord(cell.vAlign));
}

}  // namespace

void writeRTFRowProps(CRTFFile& out, const XRows& rows) {
    out.writeFormat("\\tsrowd");
    writeRowWords(out, rows);
    writeCellWords(out, rows);
}
