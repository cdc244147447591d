#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "model/params/XParamBlock.h"
#include "model/records/RecordTables.h"
#include "model/records/RecordWriting.h"
#include "model/records/cell/XRow.h"
#include "model/records/character/XForm.h"
#include "model/records/section/XPage.h"
#include "model/storage/CStorage.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/records/WriterTestSupport.h"
#include "tests/model/storage/ElementTree.h"
#include "tests/model/storage/StorageTestSupport.h"

namespace {

using strings = std::vector<std::string>;

class RecordWritingTest : public ::testing::Test {
protected:
    CStorage storage{nullptr, storagemode::kWrite};
    CStream element{storage.rootStream(), "Record", 1};
};

TEST_F(RecordWritingTest, AChildWhoseStreamCannotBeAllocatedFailsInTheStoryUnitAndAddsNoElement) {
    const CFail failure = storagetest::failureOf([&] {
        platform::ScopedAllocationFailure failing(1);
        ChildElement child(element, "FIELD");
    });
    EXPECT_EQ(failure.error, result::kOutOfMemory);
    EXPECT_STREQ(failure.fileName, "BStory");
    EXPECT_EQ(elementtree::childNames(element.getNode()), strings{});
}

TEST_F(RecordWritingTest, AChildStaysInTheDocumentAfterItsHolderIsGone) {
    {
        ChildElement child(element, "COLUMNS");
        child->writeValues(nullptr, 0, "width %d", 5);
    }
    EXPECT_EQ(elementtree::treeLines(element.getNode()), (strings{"<Record>", "  <COLUMNS>", "    @width=5"}));
}

TEST_F(RecordWritingTest, AWholeRecordIgnoresItsChangeMask) {
    XPage page;
    initXPage(&page, 0);
    int handWritten = 0;
    writeRecordRows(element, kXPageTable, &page, false, [&](const FieldSpec&, CStream&, const void*) { ++handWritten; });
    EXPECT_EQ(elementtree::attributeNames(element.getNode()).size(), 40u);  // 3 head keys, 37 optional
    EXPECT_EQ(elementtree::childNames(element.getNode()),
              (strings{"FOOTNOTEFORMAT", "ENDNOTEFORMAT", "LINENUMBER", "PAGENUMBER"}));
    EXPECT_EQ(handWritten, 1);
}

TEST_F(RecordWritingTest, HandWrittenRowsOfAChildsTableComeWithTheChildInTheirPlace) {
    XForm form;
    initXForm(&form);
    setMaskBit(form.changeBits, 37);
    setMaskBit(form.changeBits, 38);
    strings seen;
    writeRecordRows(element, kXFormTable, &form, true, [&](const FieldSpec& row, CStream& where, const void* record) {
        seen.push_back(std::string(row.name) + " in " + elementtree::text(where.getNode()->name) +
                       (record == &form ? " of the record" : record == &form.ffData ? " of its form-field data" : ""));
        // The child's own keys are all written before its hand-written row.
        if (std::strcmp(row.name, "dd_listEntry") == 0) {
            EXPECT_EQ(elementtree::attributeNames(where.getNode()).size(), 16u);
        }
    });
    EXPECT_EQ(seen, (strings{"dd_listEntry in FFDATA of its form-field data", "cellStyle in Record of the record"}));
}

TEST_F(RecordWritingTest, AHandWrittenRowWithoutCodeStopsTheWalkWhereItStands) {
    XPage page;
    initXPage(&page, 0);
    std::memset(page.changeBits, 0xFF, sizeof page.changeBits);
    const CFail failure = storagetest::failureOf([&] { writeRecordRows(element, kXPageTable, &page, true); });
    EXPECT_EQ(failure.error, result::kNullObject);
    const strings names = elementtree::attributeNames(element.getNode());
    ASSERT_EQ(names.size(), 17u);  // the head keys and bits 0 to 13
    EXPECT_EQ(names.back(), "XPage_notEqualWidthColumns");
}

TEST_F(RecordWritingTest, ColoursFollowTheMembersOfTheRecordNotTheOrderOfItsKeys) {
    XTblBorders borders{};
    BorderSpec* inMemberOrder[] = {&borders.top, &borders.left, &borders.bottom, &borders.right, &borders.insideH, &borders.insideV};
    for (std::uint16_t i = 0; i < 6; ++i) inMemberOrder[i]->borderTint = {static_cast<std::uint16_t>(i + 1), 0, 0};
    writeRecordRows(element, kXTblBordersTable, &borders, false);
    EXPECT_EQ(elementtree::attributeNames(element.getNode()),
              (strings{"XTblBorders_left", "XTblBorders_right", "XTblBorders_top", "XTblBorders_bottom",
                       "XTblBorders_insideH", "XTblBorders_insideV"}));

    XParamBlock block{};
    initXParamBlock(nullptr, &block);
    registerRecordColors(kXTblBordersTable, &borders, false, &block);
    registerRecordColors(kXTblBordersTable, &borders, false, nullptr);
    EXPECT_EQ(writertest::colourTexts(block), (strings{"r1g0b0", "r2g0b0", "r3g0b0", "r4g0b0", "r5g0b0", "r6g0b0"}));
    disposeXParamBlock(&block);
}

TEST_F(RecordWritingTest, IndexedNamesFillEveryPlaceOfTheirPattern) {
    EXPECT_STREQ(IndexedName("row%03d", 64).c_str(), "row064");
    EXPECT_STREQ(IndexedName("XColumn_columnWidth%02d %%d XColumn_columnSpace%02d %%d", 11).c_str(),
                 "XColumn_columnWidth11 %d XColumn_columnSpace11 %d");
    EXPECT_STREQ(IndexedName("XTblGrid_columnRightPos%02d", -32768).c_str(), "XTblGrid_columnRightPos-32768");
}

}  // namespace
