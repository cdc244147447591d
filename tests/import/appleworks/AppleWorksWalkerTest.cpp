// The walker turns a loaded AppleWorks document into the runs of the importer's text requests: text
// split into runs of at most 256 units that keep their formats, a closing paragraph end, and table
// stories played cell by cell. Fixtures are files of our own built in the format's layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/appleworks/AppleWorksTable.h"
#include "import/appleworks/AppleWorksWalker.h"
#include "model/params/XParamBlock.h"
#include "tests/import/appleworks/AppleWorksFileBuilder.h"
#include "tests/import/appleworks/AppleWorksTableFixture.h"
#include "tests/import/appleworks/AppleWorksTestSupport.h"

using namespace appleworks;
using namespace awfixture;

namespace {

struct DeliveredRun {
    std::u16string text;
    std::uint32_t face;
    std::int16_t cellOfRow;
    std::int16_t lastCellOfRow;
    std::int16_t rowCells;
};

class WalkerFixture {
public:
    WalkerFixture(const AppleWorksFamily& family, const std::string& file) : walker(family, &params.block) {
        params.block.textBuffer = buffer;
        walker.openBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
    }
    // Every run of the story begun, until the walker ends it.
    std::vector<DeliveredRun> drain() {
        std::vector<DeliveredRun> runs;
        for (int guard = 0; guard < 10000; ++guard) {
            params.block.textLength = 0;
            walker.readTextRun();
            if (params.block.textLength == 0) break;
            EXPECT_LE(params.block.textLength, kRunUnits);
            runs.push_back({std::u16string(buffer, static_cast<std::size_t>(params.block.textLength)),
                            params.block.form.txtFace, params.block.rule.cellOfRow, params.block.rule.lastCellOfRow,
                            params.block.rule.rows.rows});
        }
        return runs;
    }
    ParamBlock params;
    char16_t buffer[kRunUnits] = {};
    AppleWorksWalker walker;
};

std::string plainDocument(const AppleWorksFamily& family, const std::string& text) {
    FileBuilder file{family};
    file.zones.push_back(textZone(text));
    file.sections = styleSection(family, {{0, "Helvetica"}});
    return file.build();
}

TEST(AppleWorksWalker, LongTextIsDeliveredInRunsOfAtMost256UnitsAndEndsWithOneMoreParagraph) {
    for (const AppleWorksFamily* family : {&kAppleWorks5, &kAppleWorks6}) {
        SCOPED_TRACE(family->name);
        WalkerFixture fixture(*family, plainDocument(*family, std::string(600, 'x') + "\r"));
        ASSERT_TRUE(fixture.walker.beginMainStory());
        const std::vector<DeliveredRun> runs = fixture.drain();
        std::vector<std::size_t> lengths;
        for (const DeliveredRun& run : runs) lengths.push_back(run.text.size());
        // 601 units of one format, then the closing paragraph end.
        EXPECT_EQ(lengths, (std::vector<std::size_t>{256, 256, 89, 1}));
        EXPECT_EQ(runs.back().text, u"\r");
    }
}

TEST(AppleWorksWalker, TextBlockShorterThanItsEntryClaimsIsNotOverrun) {
    // The entry claims 40 bytes; the block holds 5.
    FileBuilder file{kAppleWorks5};
    std::string zone = textZone("Hello");
    const std::size_t entryAt = zone.find(std::string("\x00\x00\x00\x00\x00\x05", 6));
    ASSERT_NE(entryAt, std::string::npos);
    zone[entryAt + 5] = 40;
    file.zones.push_back(zone);
    file.sections = styleSection(kAppleWorks5, {{0, "Helvetica"}});
    WalkerFixture fixture(kAppleWorks5, file.build());
    ASSERT_TRUE(fixture.walker.beginMainStory());
    std::u16string text;
    for (const DeliveredRun& run : fixture.drain()) text += run.text;
    EXPECT_EQ(text, u"Hello\r");
}

TEST(AppleWorksWalker, TablePlaysEachCellThenAnEndOfRowAndCarriesTheRow) {
    WalkerFixture fixture(kAppleWorks6, tableDocument());
    ASSERT_TRUE(fixture.walker.beginTableStory());
    std::u16string text;
    std::vector<std::pair<std::int16_t, std::int16_t>> cellEnds;
    for (const DeliveredRun& run : fixture.drain()) {
        text += run.text;
        EXPECT_EQ(run.cellOfRow, 1);
        EXPECT_EQ(run.rowCells, 2);
        if (run.text == u"\x10") cellEnds.emplace_back(run.cellOfRow, run.lastCellOfRow);
    }
    EXPECT_EQ(text, u"A1\x10" u"B1\x10\x10" u"A2\x10" u"B2\x10\x10");
    const std::vector<std::pair<std::int16_t, std::int16_t>> expected = {{1, 0}, {1, 0}, {1, 1}, {1, 0}, {1, 0}, {1, 1}};
    EXPECT_EQ(cellEnds, expected);
    EXPECT_FALSE(fixture.walker.beginTableStory());
}

// The rules and fills of the table reach each row's cells: the red rule under the first row borders the
// cells above it and the one between the columns the left cell; the second row's cells are filled.
TEST(AppleWorksWalker, RowDefinitionsCarryTheTablesBordersAndShading) {
    WalkerFixture fixture(kAppleWorks6, tableDocument());
    ASSERT_TRUE(fixture.walker.beginTableStory());
    std::vector<XRows> rows;
    for (int guard = 0; guard < 100; ++guard) {
        fixture.params.block.textLength = 0;
        fixture.walker.readTextRun();
        if (fixture.params.block.textLength == 0) break;
        const std::u16string run(fixture.buffer, static_cast<std::size_t>(fixture.params.block.textLength));
        if (run == u"A1" || run == u"A2") rows.push_back(fixture.params.block.rule.rows);
    }
    ASSERT_EQ(rows.size(), 2u);
    const auto bottom = [&](int row, int cell) { return rows[row].cells[cell].tcBorders.bottom; };
    EXPECT_EQ(bottom(0, 0).borderType, 1);
    EXPECT_EQ(bottom(0, 0).borderSize, 40);
    EXPECT_EQ(bottom(0, 0).borderTint.red, 0xDDDD);
    EXPECT_EQ(bottom(0, 1).borderType, 1);
    EXPECT_EQ(bottom(1, 0).borderType, 0);
    EXPECT_EQ(rows[1].cells[0].tcBorders.top.borderType, 0);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(rows[row].cells[0].tcBorders.right.borderType, 1);
        EXPECT_EQ(rows[row].cells[1].tcBorders.left.borderType, 0);
    }
    EXPECT_EQ(rows[0].cells[0].shd.patternType, 0);
    EXPECT_EQ(rows[1].cells[0].shd.patternType, 1020);
    EXPECT_EQ(rows[1].cells[0].shd.patternTint.blue, 0);
    EXPECT_EQ(rows[1].cells[1].shd.patternType, 6);
}

TEST(AppleWorksWalker, MainTextAnchorsTheTableStory) {
    WalkerFixture fixture(kAppleWorks6, tableDocument());
    ASSERT_TRUE(fixture.walker.beginMainStory());
    std::u16string text;
    std::int32_t anchorData = 0;
    for (int guard = 0; guard < 100; ++guard) {
        fixture.params.block.textLength = 0;
        fixture.walker.readTextRun();
        if (fixture.params.block.textLength == 0) break;
        const std::u16string run(fixture.buffer, static_cast<std::size_t>(fixture.params.block.textLength));
        if (run == u"\x0A") anchorData = fixture.params.block.form.txtData;
        text += run;
    }
    EXPECT_EQ(text, u"Before\r\x0A\rAfter\r\r");
    ASSERT_TRUE(fixture.walker.beginTableStory());
    EXPECT_EQ(anchorData, fixture.params.block.storyMark);
    EXPECT_GE(anchorData, 0x7fff);
}

// Table layout: rows by distinct bottoms, pieces of cells spanning rows, rules to the edges they run along.
std::string cellEntry(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right, std::uint32_t content) {
    std::string entry(32, '\0');
    put32(entry, 0, static_cast<std::uint32_t>(top));
    put32(entry, 4, static_cast<std::uint32_t>(left));
    put32(entry, 8, static_cast<std::uint32_t>(bottom));
    put32(entry, 12, static_cast<std::uint32_t>(right));
    put32(entry, 24, content);
    return entry;
}

std::string lineEntry(std::int32_t y1, std::int32_t x1, std::int32_t y2, std::int32_t x2) {
    std::string entry(18, '\0');
    put32(entry, 0, static_cast<std::uint32_t>(y1));
    put32(entry, 4, static_cast<std::uint32_t>(x1));
    put32(entry, 8, static_cast<std::uint32_t>(y2));
    put32(entry, 12, static_cast<std::uint32_t>(x2));
    put16(entry, 16, 7);
    return entry;
}

BlockView viewOf(const std::string& bytes) {
    return BlockView(bytesOf(bytes), static_cast<std::int32_t>(bytes.size()), 1);
}

std::string list(std::uint16_t count, const std::string& entries) {
    std::string head(12, '\0');
    put16(head, 0, count);
    return head + entries;
}

TEST(AppleWorksTableLayout, CellsSpanningRowsAreCutAndRulesBorderTheUpperRow) {
    constexpr std::int32_t P = 256;
    // A tall cell on the left over three rows; three short cells on the right.
    const std::string cells = list(4, cellEntry(0, 0, 30 * P, 50 * P, 9) + cellEntry(0, 50 * P, 10 * P, 100 * P, 1) +
                                          cellEntry(10 * P, 50 * P, 20 * P, 100 * P, 2) +
                                          cellEntry(20 * P, 50 * P, 30 * P, 100 * P, 3));
    // A rule along the first row boundary over the right cells, a vertical rule on the shared edge, and
    // a slanted one that borders nothing.
    const std::string lines = list(3, lineEntry(10 * P, 50 * P, 10 * P, 100 * P) + lineEntry(0, 50 * P, 30 * P, 50 * P) +
                                          lineEntry(0, 0, 30 * P, 100 * P));
    const AppleWorksTable table(viewOf(cells), viewOf(lines));
    const auto& rows = table.rows();
    ASSERT_EQ(rows.size(), 3u);
    const std::int16_t expectedFlags[3] = {kCellSpansRows | kCellFirstPiece, kCellSpansRows, kCellSpansRows};
    const std::int32_t expectedContent[3] = {9, 0, 0};
    for (std::size_t r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(rows[r].top, r * 10);
        EXPECT_EQ(rows[r].bottom, (r + 1) * 10);
        ASSERT_EQ(rows[r].cells.size(), 2u);
        EXPECT_EQ(rows[r].cells[0].flags, expectedFlags[r]);
        EXPECT_EQ(rows[r].cells[0].content, expectedContent[r]);
        EXPECT_EQ(rows[r].cells[1].content, static_cast<std::int32_t>(r + 1));
        // The shared edge belongs to the left cell only.
        EXPECT_EQ(rows[r].cells[0].rightBorder, 7);
        EXPECT_EQ(rows[r].cells[1].leftBorder, 0);
    }
    EXPECT_EQ(rows[0].cells[1].bottomBorder, 7);
    EXPECT_EQ(rows[1].cells[1].topBorder, 0);
}

TEST(AppleWorksTableLayout, CoordinatesRoundTowardZeroAndClaimedEntriesBeyondTheListAreNotRead) {
    struct Case {
        std::int32_t fixed;
        std::int16_t whole;
    } cases[] = {{-1, 0}, {255, 0}, {256, 1}, {-257, -1}};
    for (const Case& c : cases) EXPECT_EQ(wholeTableUnits(c.fixed), c.whole) << c.fixed;

    // The list claims 50 cells and holds one.
    const std::string cells = list(50, cellEntry(0, 0, 256, 512, 1));
    const AppleWorksTable table(viewOf(cells), BlockView());
    ASSERT_EQ(table.rows().size(), 1u);
    EXPECT_EQ(table.rows()[0].cells.size(), 1u);
}

}  // namespace
