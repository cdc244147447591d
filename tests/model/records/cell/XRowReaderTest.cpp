#include <gtest/gtest.h>

#include "foundation/CFail.h"
#include "model/records/RecordTables.h"
#include "model/records/cell/XRowReader.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/storage/StorageTestSupport.h"

namespace {

class XRowReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        initRecord(kXRowTable, &previous);
        previous.textFlow = 4;
        previous.tcBorders.top = {9, 9, {9, 9, 9}, 9};
        previous.tcMar.bottom = {1, 99};
    }

    XRow readCell(const char* name, std::int16_t expectedResult = 0) {
        CStream rowSet(cells.root(), "ROWSARRAY", 0);
        XRow cell = previous;
        EXPECT_EQ(readXRow(&rowSet, name, &cell), expectedResult) << name;
        return cell;
    }

    void expectEqual(const XRow& actual, const XRow& expected) {
        EXPECT_TRUE(equalXRow(actual, expected)) << recordwalk::firstDifference(kXRowTable, &actual, &expected);
    }

    storagetest::FileStorage cells = storagetest::fixture("xrow-cells.xml");
    XRow previous;
};

TEST_F(XRowReaderTest, ACellWithEveryKeyAndBothChildrenFillsEveryField) {
    XRow expected{};
    expected.attributes = -1;
    expected.tcW = {2, -5000};
    expected.gridSpan = 3;
    expected.hmerge = 1;
    expected.vmerge = -2;
    expected.shd = {-1, {1, 2, 3}, {4, 5, 6}};
    expected.noWrap = 1;
    expected.textFlow = -3;
    expected.tcFitText = 1;
    expected.vAlign = 2;
    expected.tcBorders = {{3, 3, {3, 3, 3}, 3}, {1, 1, {1, 1, 1}, 1},   {4, 4, {4, 4, 4}, 4},
                          {2, -2, {2, 2, 2}, -2}, {5, 5, {5, 5, 5}, 5}, {6, 6, {6, 6, 6}, 6}};
    expected.tcMar = {{3, 3}, {3, -1}, {1, 4}, {3, 2}};
    expectEqual(readCell("FullCell"), expected);
}

TEST_F(XRowReaderTest, AbsentKeysAndChildrenKeepTheirValues) {
    XRow withoutBorders = previous;
    withoutBorders.gridSpan = 1;
    withoutBorders.vAlign = -1;
    withoutBorders.tcMar.left = {3, -7};
    expectEqual(readCell("WithoutBorders"), withoutBorders);

    XRow onlyGridSpan = previous;
    onlyGridSpan.gridSpan = 7;
    expectEqual(readCell("OnlyGridSpan"), onlyGridSpan);
}

TEST_F(XRowReaderTest, AnAbsentCellIsUntouchedAndAnswers12) {
    expectEqual(readCell("row042", result::kOutOfMemory), previous);
    XRow cell = previous;
    EXPECT_EQ(readXRow(nullptr, "FullCell", &cell), result::kNullObject);
}

}  // namespace
