#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "model/CStorage.h"
#include "model/RecordTables.h"
#include "model/RecordWriting.h"
#include "model/XForm.h"
#include "model/XPage.h"
#include "platform/AllocationFailure.h"
#include "tests/model/StorageTestSupport.h"
#include "tests/model/StorageTrees.h"

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
    EXPECT_EQ(storagetrees::childNames(element.getNode()), strings{});
}

TEST_F(RecordWritingTest, AChildStaysInTheDocumentAfterItsHolderIsGone) {
    {
        ChildElement child(element, "COLUMNS");
        child.stream().writeValues(nullptr, 0, "width %d", 5);
    }
    EXPECT_EQ(storagetrees::treeLines(element.getNode()), (strings{"<Record>", "  <COLUMNS>", "    @width=5"}));
}

TEST_F(RecordWritingTest, AWholeRecordIgnoresItsChangeMask) {
    XPage page;
    initXPage(&page, 0);
    int handWritten = 0;
    writeRecordRows(element, kXPageTable, &page, false, [&](const FieldSpec&, CStream&, const void*) { ++handWritten; });
    EXPECT_EQ(storagetrees::attributeNames(element.getNode()).size(), 40u);  // 3 head keys, 37 optional
    EXPECT_EQ(storagetrees::childNames(element.getNode()),
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
        seen.push_back(std::string(row.name) + " in " + storagetrees::text(where.getNode()->name) +
                       (record == &form ? " of the record" : record == &form.ffData ? " of its form-field data" : ""));
        // The child's own keys are all written before its hand-written row.
        if (std::strcmp(row.name, "dd_listEntry") == 0) {
            EXPECT_EQ(storagetrees::attributeNames(where.getNode()).size(), 16u);
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
    const strings names = storagetrees::attributeNames(element.getNode());
    ASSERT_EQ(names.size(), 17u);  // the head keys and bits 0 to 13
    EXPECT_EQ(names.back(), "XPage_notEqualWidthColumns");
}

}  // namespace
