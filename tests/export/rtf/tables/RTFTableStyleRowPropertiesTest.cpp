// A table style's row properties: only the fields whose change bits are set write their words.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "export/rtf/tables/RTFTableStyleRowProperties.h"
#include "foundation/FieldMask.h"
#include "model/records/cell/XRow.h"
#include "tests/export/rtf/RTFEmitterHarness.h"

namespace rtftest {
namespace {

constexpr std::int16_t kTwips = 3;

struct StyleRowCase {
    const char* what;
    std::initializer_list<int> bits;
    void (*fill)(XRows&);
    const char* expected;
};

TEST(RTFTableStyleRowPropertiesTest, EachFieldWritesOnlyWhenItsBitIsSet) {
    const StyleRowCase cases[] = {
        {"an empty mask", {}, [](XRows& r) { r.tblHeader = 1, r.cantSplit = 1, r.tblLayout = 1; }, "\\tsrowd"},
        {"fields set but their bits clear", {5, 8}, [](XRows& r) { r.tblHeader = 1, r.jc = 2; },
         "\\tsrowd\\ltrrow\\trftsWidth0\\trwWidth0"},
        {"a floating table",
         {2},
         [](XRows& r) {
             r.tblpPr = XTblPlacement{1, 0, 0, 90, 0, 3, 1, 5, 0, 6, -300};
             r.tblOverlap = 1;
         },
         "\\tsrowd\\tpvpara\\tphmrg\\tposyout\\tposnegy300\\tposxl\\tdfrmtxtTop90\\tabsnoovrlp1"},
        {"placement bit without a floating table", {2}, [](XRows& r) { r.tblOverlap = 1, r.tblpPr.tblpY = 40; },
         "\\tsrowd"},
        {"row words in bit order",
         {5, 6, 7, 8, 9, 11, 19, 30, 31, 32},
         [](XRows& r) {
             r.bidiVisual = 1, r.tblStyleRowBandSize = 2, r.tblStyleColBandSize = 3;
             r.tblW = WidthSpec{2, 5000}, r.jc = 7, r.tblInd = WidthSpec{kTwips, 120};
             r.tblLayout = 1, r.cantSplit = 1, r.trHeight = HeightSpec{kHeightAtLeast, 400}, r.tblHeader = 1;
         },
         "\\tsrowd\\rtlrow\\tscbandsh2\\tscbandsv3\\trftsWidth2\\trwWidth5000\\trql\\tblindtype3\\tblind120"
         "\\trautofit1\\trkeep\\trrh400\\trhdr"},
        {"fixed layout, height rule 0, no header", {19, 31, 32},
         [](XRows& r) { r.trHeight = HeightSpec{0, 400}; }, "\\tsrowd\\trrh0"},
        {"the gap from any margin bit", {22},
         [](XRows& r) { r.tblCellMar.left.w = 108, r.tblCellMar.right.w = 115; }, "\\tsrowd\\trgaph111\\trleft-111"},
        {"a negative gap truncates toward zero", {20},
         [](XRows& r) { r.tblCellMar.left.w = -5; }, "\\tsrowd\\trgaph-2\\trleft2"},
        {"table borders, a style-0 border skipped", {12, 13, 16},
         [](XRows& r) { r.tblBorders.top.borderType = 1, r.tblBorders.insideH.borderType = 3; },
         "\\tsrowd\\trbrdrt<border 1>\\trbrdrh<border 3>"},
        {"cell words in bit order",
         {33, 35, 36, 37, 41, 42, 43, 44, 49, 50, 51},
         [](XRows& r) {
             r.defRow.tcW = WidthSpec{kTwips, 900}, r.defRow.hmerge = 2, r.defRow.vmerge = 1;
             r.defRow.tcBorders.top.borderType = 4, r.defRow.tcBorders.insideV.borderType = 5;
             r.defRow.shd = ShadingSpec{8, kBlack, kWhite};
             r.defRow.noWrap = 1, r.defRow.textFlow = 4, r.defRow.tcFitText = 1, r.defRow.vAlign = 1;
         },
         "\\tsrowd\\clftsWidth3\\clwWidth900\\clmgf\\clvmrg\\clbrdrt<border 4>\\cldgll<border 5>\\clcfpat1\\clbghoriz"
         "\\clNoWrap\\cltxtbrlv\\clFitText\\clvertalc"},
        {"values without words", {35, 36, 49, 51},
         [](XRows& r) { r.defRow.hmerge = 3, r.defRow.textFlow = 9, r.defRow.vAlign = 2; }, "\\tsrowd"},
    };
    for (const StyleRowCase& c : cases) {
        EmitterHarness harness;
        XRows rows{};
        rows.defRow = kDefaultCell;
        c.fill(rows);
        for (int bit : c.bits) setMaskBit(rows.changeBits, bit);
        writeRTFRowProps(harness.emitter(), rows);
        EXPECT_EQ(harness.taken(), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace rtftest
