// The merges through which styles reach records: only the fields the source marks are copied, the
// target then marks them, faces are added or replaced, and a cell follows the mask it is given.
#include <gtest/gtest.h>

#include "foundation/FieldMask.h"
#include "import/wordml/properties/PropertyMerges.h"

namespace {

TEST(PropertyMergesTest, ARuleTakesOnlyTheFieldsItsSourceMarks) {
    XRule target;
    initXRule(&target);
    target.spaceBefore = 50;
    setMaskBit(target.changeBits, 13);
    target.widowControl = 0;
    XRule source;
    initXRule(&source);  // marks widow control, with its starting value 1
    source.spaceBefore = 999;  // not marked: stays behind
    source.spaceAfter = 200;
    setMaskBit(source.changeBits, 14);
    source.indentLeft = 720;
    mergeRuleProperties(&target, &source);
    EXPECT_EQ(target.spaceBefore, 50);
    EXPECT_EQ(target.spaceAfter, 200);
    EXPECT_EQ(testMaskBit(target.changeBits, 14), 1) << "the merged field is marked";
    EXPECT_EQ(target.indentLeft, 0);
    EXPECT_EQ(target.widowControl, 1) << "every style's rule marks widow control";
}

TEST(PropertyMergesTest, FacesAreAddedOrReplaced) {
    const struct {
        const char* title;
        FaceMerge mode;
        std::uint32_t faces;
    } cases[] = {
        {"a character style named by the run", FaceMerge::kAdd, kFaceItalic | kFaceBold},
        {"the default character style", FaceMerge::kReplace, kFaceBold},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        XForm run;
        initXForm(&run);
        run.txtFace = kFaceItalic;
        setMaskBit(run.changeBits, 13);
        XForm style;
        initXForm(&style);
        style.txtFace = kFaceBold;
        setMaskBit(style.changeBits, 13);
        style.txtBidi = 1;  // never reaches runs through a style
        setMaskBit(style.changeBits, 10);
        mergeFormProperties(&run, &style, test.mode);
        EXPECT_EQ(run.txtFace, test.faces);
        EXPECT_EQ(run.txtBidi, 0);
        EXPECT_EQ(testMaskBit(run.changeBits, 10), 0);
    }
}

TEST(PropertyMergesTest, RowsAndCellsFollowTheirBits) {
    XRows target{};
    XRows source{};
    source.tblInd = {3, 108};
    setMaskBit(source.changeBits, 11);
    source.jc = 2;  // not marked
    source.defRow.shd.patternType = 7;
    setMaskBit(source.changeBits, 43);
    source.defRow.vAlign = 3;  // not marked
    mergeRowsProperties(&target, &source);
    EXPECT_EQ(target.tblInd.w, 108);
    EXPECT_EQ(testMaskBit(target.changeBits, 11), 1);
    EXPECT_EQ(target.jc, 0);
    EXPECT_EQ(target.defRow.shd.patternType, 7) << "the default cells merge under the source's bits";
    EXPECT_EQ(target.defRow.vAlign, 0);

    XRow cell{};
    mergeCellProperties(source.changeBits, &cell, &source.defRow);
    EXPECT_EQ(cell.shd.patternType, 7);
    EXPECT_EQ(cell.vAlign, 0);
}

}  // namespace
