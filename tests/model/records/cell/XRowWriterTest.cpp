#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "model/records/RecordTables.h"
#include "model/records/cell/XRowReader.h"
#include "model/records/cell/XRowWriter.h"
#include "model/storage/AttributeWriteFailure.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/records/RecordFilling.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/records/WriterTestSupport.h"
#include "tests/model/storage/ElementTree.h"
#include "tests/model/storage/StorageTestSupport.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using elementtree::countOf;
using elementtree::placeOfNth;
using recordfill::Kind;
using writertest::colourTexts;

XRow filledCell(Kind kind) {
    XRow cell{};
    recordfill::fillRecord(kXRowTable, &cell, kind);
    return cell;
}

struct CellCase {
    const char* title;
    XRow cell;
};

const std::vector<CellCase>& cellCases() {
    static const std::vector<CellCase> cases = {
        {"the default cell", kDefaultCell},
        {"a cell of zeros", XRow{}},
        {"every member its own value", filledCell(Kind::kDistinct)},
        {"negative members", filledCell(Kind::kNegative)},
        {"-32768, 32767, -1, INT32_MIN, INT32_MAX and channels 65535", filledCell(Kind::kExtremes)},
    };
    return cases;
}

// A row set element in a storage in memory, and a parameter block for the colours.
class XRowWriterTest : public writertest::WriterTest {
protected:
    // The trail of a fresh row set after one write of the cell.
    std::vector<std::string> writtenTrail(const XRow& cell, XParamBlock* colours, std::int16_t expected) {
        CStream rowSet(storage.rootStream(), "ROWSARRAY", 1);
        EXPECT_EQ(writeXRow(&rowSet, "row000", &cell, colours), expected);
        return elementtree::trail(rowSet.getNode());
    }
};

TEST_F(XRowWriterTest, EveryCellReadsBackEqualFromASavedStorage) {
    testsupport::TemporaryFolder folder;
    const std::string path = folder.file("cells.xml");
    {
        storagetest::FileStorage written(path, storagemode::kWrite);
        CStream rowSet(written.root(), "ROWSARRAY", 1);
        for (std::size_t i = 0; i < cellCases().size(); ++i) {
            const std::string name = "row00" + std::to_string(i);
            EXPECT_EQ(writeXRow(&rowSet, name.c_str(), &cellCases()[i].cell, &block), 0) << cellCases()[i].title;
        }
        ASSERT_EQ(written.storage->save(), 0);
    }
    storagetest::FileStorage read(path, storagemode::kRead);
    CStream rowSet(read.root(), "ROWSARRAY", 0);
    for (std::size_t i = 0; i < cellCases().size(); ++i) {
        const XRow& written = cellCases()[i].cell;
        XRow cell;
        recordwalk::fillPattern(&cell, sizeof cell, static_cast<unsigned>(i + 7));
        const std::string name = "row00" + std::to_string(i);
        ASSERT_EQ(readXRow(&rowSet, name.c_str(), &cell), 0) << cellCases()[i].title;
        EXPECT_TRUE(equalXRow(cell, written))
            << cellCases()[i].title << ": " << recordwalk::firstDifference(kXRowTable, &cell, &written);
    }
}

TEST_F(XRowWriterTest, TheDefaultCellAndAFullCellMatchTheirGoldenElements) {
    CStream rowSet(storage.rootStream(), "ROWSARRAY", 1);
    ASSERT_EQ(writeXRow(&rowSet, "DEFROW", &kDefaultCell, nullptr), 0);
    const XRow full = filledCell(Kind::kDistinct);
    ASSERT_EQ(writeXRow(&rowSet, "row000", &full, nullptr), 0);
    const std::vector<const xmlNode*> cells = elementtree::childElements(rowSet.getNode());
    ASSERT_EQ(cells.size(), 2u);
    elementtree::expectGoldenElement("xrow-default.xml", cells[0]);
    elementtree::expectGoldenElement("xrow-distinct.xml", cells[1]);
}

TEST_F(XRowWriterTest, TwoCellsOfOneNameAreTwoSiblingsAndNullArgumentsAreRefused) {
    CStream rowSet(storage.rootStream(), "ROWSARRAY", 1);
    EXPECT_EQ(writeXRow(&rowSet, "row000", &kDefaultCell, nullptr), 0);
    EXPECT_EQ(writeXRow(&rowSet, "row000", &kDefaultCell, nullptr), 0);
    EXPECT_EQ(elementtree::childElements(rowSet.getNode()).size(), 2u);

    EXPECT_EQ(writeXRow(nullptr, "row000", &kDefaultCell, nullptr), result::kNullObject);
    EXPECT_EQ(writeXRow(&rowSet, nullptr, &kDefaultCell, nullptr), result::kNullObject);
    EXPECT_EQ(writeXRow(&rowSet, "row001", nullptr, nullptr), result::kNullObject);
    EXPECT_EQ(elementtree::childElements(rowSet.getNode()).size(), 2u);
}

TEST_F(XRowWriterTest, ColoursGoToTheTableInTheCellsMemberOrder) {
    const XRow cell = filledCell(Kind::kDistinct);
    const XTblBorders& borders = cell.tcBorders;
    const std::vector<RGBColor> expected = {
        borders.top.borderTint,     borders.left.borderTint,    borders.bottom.borderTint, borders.right.borderTint,
        borders.insideH.borderTint, borders.insideV.borderTint, cell.shd.patternTint,     cell.shd.patternFill,
    };
    const std::vector<std::string> withBlock = writtenTrail(cell, &block, 0);
    EXPECT_EQ(colourTexts(block), colourTexts(expected));

    // Again, and a cell whose colours are all automatic: nothing new.
    writtenTrail(cell, &block, 0);
    XRow automatic = cell;
    for (BorderSpec* border : {&automatic.tcBorders.top, &automatic.tcBorders.left, &automatic.tcBorders.bottom,
                               &automatic.tcBorders.right, &automatic.tcBorders.insideH, &automatic.tcBorders.insideV})
        border->borderTint = kAutoColor;
    automatic.shd.patternTint = kAutoColor;
    automatic.shd.patternFill = kAutoColor;
    writtenTrail(automatic, &block, 0);
    EXPECT_EQ(colourTexts(block), colourTexts(expected));

    // Without a block the cell is written the same.
    EXPECT_EQ(writtenTrail(cell, nullptr, 0), withBlock);
}

TEST_F(XRowWriterTest, AFailedAttributeKeepsTheEarlierOnesAndOffersNoColour) {
    const XRow cell = filledCell(Kind::kDistinct);
    const std::vector<std::string> full = writtenTrail(cell, nullptr, 0);
    ASSERT_EQ(countOf(full, true), 20u);  // ten keys, six borders, four margins
    for (std::size_t k = 1; k <= 20; ++k) {
        std::vector<std::string> trail;
        {
            ScopedAttributeWriteFailure failure(static_cast<std::int64_t>(k));
            trail = writtenTrail(cell, &block, result::kOutOfMemory);
        }
        const std::vector<std::string> before(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(placeOfNth(full, k, true)));
        EXPECT_EQ(trail, before) << "failure at attribute " << k;
        EXPECT_EQ(block.colors->getCount(), 0) << "failure at attribute " << k;
    }
}

TEST_F(XRowWriterTest, AnElementThatCannotBeMadeStopsTheCell) {
    const XRow cell = filledCell(Kind::kDistinct);
    const std::vector<std::string> full = writtenTrail(cell, nullptr, 0);
    ASSERT_EQ(countOf(full, false), 4u);  // the row set, the cell, "TCBORDERS", "TCMAR"
    for (std::size_t k = 1; k <= 3; ++k) {
        // The k-th element made: only the storage's own allocations are counted.
        platform::failNthAllocation(static_cast<std::int64_t>(k), platform::ThrowingNew::kIgnored);
        const std::vector<std::string> trail = writtenTrail(cell, &block, result::kOutOfMemory);
        platform::disarmAllocationFailure();
        // The row set element is the test's own, made before the switch counts.
        const std::vector<std::string> before(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(placeOfNth(full, k + 1, false)));
        EXPECT_EQ(trail, before) << "failure at element " << k;
        EXPECT_EQ(block.colors->getCount(), 0) << "failure at element " << k;
    }
    // A colour that cannot be stored comes after the whole cell.
    platform::failNthAllocation(4, platform::ThrowingNew::kIgnored);
    EXPECT_EQ(writtenTrail(cell, &block, result::kOutOfMemory), full);
    platform::disarmAllocationFailure();
    EXPECT_EQ(block.colors->getCount(), 0);
}

}  // namespace
