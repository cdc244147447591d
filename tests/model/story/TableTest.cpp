#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "model/story/CTable.h"
#include "tests/model/story/StoryTestSupport.h"

namespace {

using storytest::StoryStorage;

class TableTest : public ::testing::Test {
protected:
    void SetUp() override {
        story = storage.create(storykind::kTable, 0);
        storage.rule().cellOfRow = 1;
    }

    // One row: its cells, each ended by the cell-end code, then the row's end mark, whose paragraph
    // carries the row definition.
    void appendRow(int cells, std::int16_t rowNumber) {
        std::u16string text;
        for (int i = 0; i < cells; ++i) text += u"x\x10";
        storage.rule().lastCellOfRow = 0;
        storage.append(*story, text);
        storage.rule().lastCellOfRow = 1;
        storage.rule().rows.rows = static_cast<std::int16_t>(cells < kMaxRowCells ? cells : kMaxRowCells);
        storage.rule().rows.tblLook = rowNumber;
        storage.append(*story, u"\r");
    }

    std::int32_t countRows() {
        EXPECT_EQ(countStoryRows(storage.block.get(), story.get()), 1);
        return story->readRows();
    }

    StoryStorage storage;
    std::unique_ptr<CStory> story;
};

TEST_F(TableTest, ATwoByTwoTableCountsTwoRows) {
    appendRow(2, 1);
    appendRow(2, 2);
    EXPECT_EQ(countRows(), 2);

    // The first row: two cells and the end mark, each with the distances to the next runs.
    CTable table(story.get());
    EXPECT_EQ(table.run(), 2);
    std::int32_t position = 0;
    std::int32_t cellCount = -1;
    CellEntry cells[kRowScratchCells];
    XRows row{};
    table.nextRow(&position, &cellCount, cells, kRowScratchCells, &row);
    ASSERT_EQ(cellCount, 3);
    EXPECT_EQ(position, 5);
    EXPECT_EQ(row.tblLook, 1);
    EXPECT_EQ(row.rows, 2);
    const std::int32_t starts[] = {0, 2, 4};
    const std::int32_t ruleDistances[] = {4, 2, 1};  // the end mark's paragraph starts at 4, the next row's at 5
    const std::int32_t formDistances[] = {1, 1, 2};  // each cell-end anchor is a character run of its own
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cells[i].start, starts[i]) << i;
        EXPECT_EQ(cells[i].ruleDistance, ruleDistances[i]) << i;
        EXPECT_EQ(cells[i].formDistance, formDistances[i]) << i;
        EXPECT_EQ(cells[i].pageDistance, INT_MAX - starts[i]) << i;
    }
    table.nextRow(&position, &cellCount, cells, kRowScratchCells, &row);
    EXPECT_EQ(cellCount, 3);
    EXPECT_EQ(position, 10);
    EXPECT_EQ(row.tblLook, 2);
}

TEST_F(TableTest, TextAfterTheLastRowCountsOneMoreStep) {
    appendRow(2, 1);
    appendRow(2, 2);
    storage.append(*story, u"z");
    EXPECT_EQ(countRows(), 3);
}

TEST_F(TableTest, CellEndsWithoutARowEndAreOneStepWithoutCells) {
    storage.append(*story, u"a\x10" u"b\x10");
    CTable table(story.get());
    EXPECT_EQ(table.run(), 1);
    std::int32_t position = 0;
    std::int32_t cellCount = -1;
    CellEntry cells[kRowScratchCells];
    XRows row{};
    table.nextRow(&position, &cellCount, cells, kRowScratchCells, &row);
    EXPECT_EQ(cellCount, 0);
    EXPECT_EQ(position, 5);
}

TEST_F(TableTest, ARowOf70CellsIsScannedSafely) {
    appendRow(70, 1);
    appendRow(2, 2);
    EXPECT_EQ(countRows(), 2);

    CTable table(story.get());
    table.run();
    std::int32_t position = 0;
    std::int32_t cellCount = -1;
    CellEntry cells[kRowScratchCells];
    XRows row{};
    table.nextRow(&position, &cellCount, cells, kRowScratchCells, &row);
    EXPECT_EQ(cellCount, kRowScratchCells) << "the cells past the array are scanned, not recorded";
    EXPECT_EQ(cells[kRowScratchCells - 1].start, 2 * (kRowScratchCells - 1));
    EXPECT_EQ(position, 141) << "the row still ends at its end mark (140)";
    EXPECT_EQ(row.tblLook, 1);
    table.nextRow(&position, &cellCount, cells, kRowScratchCells, &row);
    EXPECT_EQ(cellCount, 3);
    EXPECT_EQ(row.tblLook, 2);
}

TEST_F(TableTest, AStoryWithoutTextCountsOneAndAStoryWithoutRunsNone) {
    EXPECT_EQ(countRows(), 0) << "nothing stored: the story cannot be loaded";

    storage.append(*story, u"x");
    CStream text(story->getStoryStream(), "TEXT", 0);
    xmlNodeSetContent(text.getNode(), nullptr);
    EXPECT_EQ(countRows(), 1);
}

// The count kept while writing stands in for the scan of the story read back: over stories of every
// shape (rows, stray cell ends, paragraph runs that mark a row end across several units or end the
// text on a cell end, text after the last row) the two agree.
TEST_F(TableTest, TheCountKeptWhileWritingIsTheScannersCount) {
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    const std::u16string pieces[] = {u"x", u"\x10", u"x\x10", u"\x10\x10", u"\r", u"ab\x10\r"};
    for (int story = 0; story < 300; ++story) {
        SCOPED_TRACE(story);
        auto written = storage.create(storykind::kTable, story + 1);
        const std::uint32_t chunks = next(12);
        for (std::uint32_t i = 0; i < chunks; ++i) {
            storage.rule().lastCellOfRow = static_cast<std::int16_t>(next(3) == 0 ? 1 : 0);
            storage.append(*written, pieces[next(std::size(pieces))]);
        }
        ASSERT_TRUE(written->writtenRows().known());
        CTable table(written.get());
        EXPECT_EQ(written->writtenRows().count(), table.run());
    }
}

TEST(TableRows, WithoutAStoryNothingIsCounted) {
    EXPECT_EQ(countStoryRows(nullptr, nullptr), 0);
}

}  // namespace
