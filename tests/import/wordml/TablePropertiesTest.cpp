// Table, row and cell properties as the row-end marks carry them to the storage.
#include "foundation/FieldMask.h"
#include "model/records/ChangeMask.h"
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class TablePropertiesTest : public WordMLImportTest {
protected:
    std::vector<XRows> rowEnds(const std::string& table) {
        std::vector<XRows> rows;
        if (import(wordDocument(table)) != 0) return rows;
        const auto loaded = story(storykind::kTable);
        for (std::int32_t i = 0; loaded != nullptr && i + 1 < loaded->ruleCount; ++i) {
            if (loaded->rules[i].lastCellOfRow == 1) rows.push_back(loaded->rules[i].rows);
        }
        return rows;
    }
};

std::string cell(const std::string& text, const std::string& properties = "") {
    return "<w:tc><w:tcPr>" + properties + "</w:tcPr><w:p><w:r><w:t>" + text + "</w:t></w:r></w:p></w:tc>";
}

TEST_F(TablePropertiesTest, MergedCellsKeepTheirSpansAndMerges) {
    const std::string table =
        "<w:tbl><w:tblPr/><w:tr>" + cell("a", "<w:gridSpan w:val=\"2\"/>") + cell("b", "<w:vmerge w:val=\"restart\"/>") +
        "</w:tr><w:tr>" + cell("c", "<w:hmerge w:val=\"restart\"/>") + cell("", "<w:hMerge/>") +
        cell("", "<w:vMerge w:val=\"continue\"/>") + "</w:tr><w:tr>" + cell("d") + cell("e") +
        cell("", "<w:vmerge/>") + "</w:tr></w:tbl>";
    const auto ends = rowEnds(table);
    ASSERT_EQ(ends.size(), 3u);
    EXPECT_EQ(ends[0].cells[0].gridSpan, 2);
    EXPECT_EQ(ends[0].cells[1].vmerge, 2);
    EXPECT_EQ(ends[1].cells[0].hmerge, 2);
    EXPECT_EQ(ends[1].cells[1].hmerge, 1);
    EXPECT_EQ(ends[1].cells[2].vmerge, 1);
    EXPECT_EQ(ends[2].cells[0].vmerge, 0);
    EXPECT_EQ(ends[2].cells[2].vmerge, 1) << "a merge without a value continues the range";
    EXPECT_EQ(changeMaskNumber(ends[0].changeBits), 0u) << "a document cell's properties set no bit";
}

// val="0", "false" and "off" turn an on/off property off; without "val" it is on.
TEST_F(TablePropertiesTest, OnOffPropertiesReadTheirValue) {
    const struct {
        const char* value;
        std::int16_t expected;
    } cases[] = {{nullptr, 1}, {"1", 1}, {"on", 1}, {"true", 1}, {"0", 0}, {"false", 0}, {"off", 0}};
    for (const auto& test : cases) {
        const std::string val = test.value != nullptr ? std::string(" w:val=\"") + test.value + "\"" : "";
        SCOPED_TRACE(val);
        const auto ends = rowEnds("<w:tbl><w:tblPr><w:bidiVisual" + val + "/></w:tblPr><w:tr><w:trPr><w:cantSplit" + val +
                                  "/><w:tblHeader" + val + "/></w:trPr>" + cell("x", "<w:noWrap" + val + "/>") +
                                  "</w:tr></w:tbl>");
        ASSERT_EQ(ends.size(), 1u);
        EXPECT_EQ(ends[0].bidiVisual, test.expected);
        EXPECT_EQ(ends[0].cantSplit, test.expected);
        EXPECT_EQ(ends[0].tblHeader, test.expected);
        EXPECT_EQ(ends[0].cells[0].noWrap, test.expected);
    }
}

TEST_F(TablePropertiesTest, TableValuesAndTheirChangeBits) {
    const auto ends = rowEnds(
        "<w:tbl><w:tblPr><w:tblLook w:val=\"04A0\"/><w:tblOverlap w:val=\"overlap\"/><w:tblStyleRowBandSize/>"
        "<w:tblStyleColBandSize w:val=\"3\"/><w:tblLayout w:type=\"fixed\"/><w:tblpPr w:tblpX=\"-120\"/></w:tblPr>"
        "<w:tr><w:trPr><w:gridBefore w:val=\"2\"/><w:gridAfter w:val=\"99999\"/></w:trPr>" + cell("x") +
        "</w:tr><w:tr><w:tblPrEx><w:tblOverlap w:val=\"never\"/></w:tblPrEx>" + cell("y") + "</w:tr></w:tbl>");
    ASSERT_EQ(ends.size(), 2u);
    const XRows& first = ends[0];
    EXPECT_EQ(first.tblLook, 0x4A0);
    EXPECT_EQ(first.tblOverlap, 0) << "only Never sets the overlap";
    EXPECT_EQ(first.tblStyleRowBandSize, 1) << "a band size without a value";
    EXPECT_EQ(first.tblStyleColBandSize, 3);
    EXPECT_EQ(first.tblpPr.floatingTable, 1);
    EXPECT_EQ(first.tblpPr.tblpX, -120);
    EXPECT_EQ(first.gridBefore, 2);
    EXPECT_EQ(first.gridAfter, 0) << "a value that does not fit is ignored";
    for (const int bit : {2, 3, 7, 19, 24, 26}) EXPECT_EQ(testMaskBit(first.changeBits, bit), 1) << bit;
    for (const int bit : {6, 27}) EXPECT_EQ(testMaskBit(first.changeBits, bit), 0) << bit;
    // The exception replaces the table's properties for its row, and its bits are the only ones.
    EXPECT_EQ(ends[1].tblOverlap, 1);
    EXPECT_EQ(testMaskBit(ends[1].changeBits, 3), 1);
    EXPECT_EQ(testMaskBit(ends[1].changeBits, 24), 0);
}

TEST_F(TablePropertiesTest, CellWidthsShadingsAndDiagonalBorders) {
    const auto ends = rowEnds("<w:tbl><w:tr>" +
                              cell("x", "<w:tcW w:w=\"2400\" w:type=\"dxa\"/><w:shd w:val=\"clear\" w:fill=\"FF0000\"/>"
                                        "<w:tcBorders><w:insideH w:val=\"single\"/><w:tl2br w:val=\"single\" w:sz=\"8\"/>"
                                        "</w:tcBorders>") +
                              "</w:tr></w:tbl>");
    ASSERT_EQ(ends.size(), 1u);
    const XRow& only = ends[0].cells[0];
    EXPECT_EQ(only.tcW.w, 2400);
    EXPECT_EQ(only.shd.patternFill.red, 0xFFFF);
    EXPECT_EQ(only.shd.patternFill.green, 0);
    EXPECT_NE(only.tcBorders.insideH.borderType, -1) << "the fifth slot holds the diagonal from top left";
    EXPECT_EQ(only.tcBorders.insideV.borderType, -1) << "a cell's insideH is not read";
    EXPECT_EQ(only.tcBorders.top.borderType, -1);
}

TEST_F(TablePropertiesTest, ACellIsDescribedByItsOwnPropertiesNotANestedTables) {
    const std::string inner = "<w:tbl><w:tr>" + cell("in", "<w:gridSpan w:val=\"4\"/>") + "</w:tr></w:tbl>";
    const auto ends = rowEnds("<w:tbl><w:tr><w:tc>" + inner + "<w:p/></w:tc></w:tr></w:tbl>");
    ASSERT_FALSE(ends.empty());
    EXPECT_EQ(ends[0].rows, 1);
    EXPECT_EQ(ends[0].cells[0].gridSpan, 0);
}

}  // namespace
}  // namespace wordmltest
