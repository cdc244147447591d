// Table styles as they reach the row definitions and the style table: the style's table properties and
// default cell through its chain, the conditional parts a cell's mask selects (later parts override
// earlier ones, a cell's own properties override them all), the band size, and the parts kept as
// sub-styles.
#include <memory>

#include "engine/export/StyleTableReader.h"
#include "model/CStyleArray.h"
#include "tests/import/WordMLImportSupport.h"

namespace wordmltest {
namespace {

std::string shading(const char* fill) {
    return std::string("<w:tcPr><w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"") + fill + "\"/></w:tcPr>";
}
std::string part(const char* type, const std::string& content) {
    return std::string("<w:tblStylePr w:type=\"") + type + "\">" + content + "</w:tblStylePr>";
}

const std::string kStyles =
    "<w:styles>"
    "<w:style w:type=\"table\" w:styleId=\"Base\"><w:name w:val=\"Base\"/>"
    "<w:tblPr><w:tblInd w:w=\"108\" w:type=\"dxa\"/></w:tblPr>" + shading("EEEEEE") +
    part("lastRow", shading("999999")) + "</w:style>"
    "<w:style w:type=\"table\" w:styleId=\"Grid\"><w:name w:val=\"Grid\"/><w:basedOn w:val=\"Base\"/>"
    "<w:tblPr><w:tblStyleRowBandSize w:val=\"2\"/></w:tblPr>" +
    part("firstRow", "<w:rPr><w:b/></w:rPr>" + shading("FF0000")) + part("band1Horz", shading("00FF00")) +
    part("band2Horz", shading("0000FF")) + part("nwCell", shading("FFFF00")) + part("wholeTable", "") +
    "</w:style></w:styles>";

std::string row(const char* mask, const std::string& firstCell, const std::string& secondCell) {
    return std::string("<w:tr><w:trPr><w:cnfStyle w:val=\"") + mask + "\"/></w:trPr>" + firstCell + secondCell + "</w:tr>";
}
std::string cell(const std::string& properties = "") {
    return "<w:tc>" + properties + "<w:p><w:r><w:t>x</w:t></w:r></w:p></w:tc>";
}

class TableStylesTest : public WordMLImportTest {
protected:
    std::vector<XRows> rowEnds() {
        std::vector<XRows> rows;
        const auto table = story(storykind::kTable);
        if (table == nullptr) return rows;
        for (std::int32_t i = 0; i < table->ruleCount; ++i)
            if (table->rules[i].lastCellOfRow == 1) rows.push_back(table->rules[i].rows);
        return rows;
    }
};

// A cell's fill as 0xRRGGBB.
std::uint32_t fillOf(const XRow& cell) {
    const RGBColor& fill = cell.shd.patternFill;
    return static_cast<std::uint32_t>((fill.red >> 8) << 16 | (fill.green >> 8) << 8 | (fill.blue >> 8));
}

TEST_F(TableStylesTest, CellsTakeTheDefaultCellAndTheSelectedParts) {
    const std::string table =
        "<w:tbl><w:tblPr><w:tblStyle w:val=\"Grid\"/></w:tblPr><w:tblGrid><w:gridCol w:w=\"1000\"/><w:gridCol w:w=\"1000\"/></w:tblGrid>" +
        row("100000000000", cell("<w:tcPr><w:cnfStyle w:val=\"000000000100\"/></w:tcPr>"), cell()) +
        row("000000100000", cell(), cell()) +
        row("000000010000", cell(), cell(shading("120056"))) +
        row("010000000000", cell(), cell()) + "</w:tbl>";
    ASSERT_EQ(import(wordDocument(table, kStyles)), 0);
    const auto ends = rowEnds();
    ASSERT_EQ(ends.size(), 4u);
    const struct {
        const char* title;
        std::uint32_t fills[2];
    } expected[] = {
        {"first row; its first cell also the north-west corner", {0xFFFF00, 0xFF0000}},
        {"odd band", {0x00FF00, 0x00FF00}},
        {"even band; the second cell's own shading wins", {0x0000FF, 0x120056}},
        // Only the named style's own parts apply: the ancestor's last-row part does not.
        {"a last row the style itself has no part for", {0xEEEEEE, 0xEEEEEE}},
    };
    for (std::size_t r = 0; r < ends.size(); ++r) {
        SCOPED_TRACE(expected[r].title);
        EXPECT_EQ(ends[r].styleTag, 2);
        EXPECT_EQ(ends[r].tblInd.w, 108) << "the chain's table properties";
        for (int c = 0; c < 2; ++c) EXPECT_EQ(fillOf(ends[r].cells[c]), expected[r].fills[c]) << c;
    }
    // With rows two to a band, rows 1 to 4 lie in bands 0, 1, 1, 2.
    const std::int32_t bands[] = {0x20, 0x10, 0x10, 0x20};
    for (std::size_t r = 0; r < ends.size(); ++r) EXPECT_EQ(ends[r].cells[0].attributes & 0x30, bands[r]) << r;
}

TEST_F(TableStylesTest, ConditionalPartsBecomeSubStyles) {
    ASSERT_EQ(import(wordDocument("<w:p/>", kStyles)), 0);
    CStyleArray table;
    XParamBlock block{};
    block.styles = &table;
    CStream documentElement(storage->rootStream(), "Zevozav", 0);
    readStyleTable(documentElement, block);
    ASSERT_EQ(table.getCount(), 2);
    const XStyle* grid = table.get(2);
    EXPECT_EQ(grid->styleType, 4);
    EXPECT_EQ(grid->styleBase, 1);
    ASSERT_EQ(grid->styleSubCount, 5);
    const std::int16_t kinds[] = {0x1, 0x40, 0x80, 0x200, 0x1000};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(grid->subStyles[i]->styleAttr, kinds[i]) << i;
    EXPECT_EQ(grid->subStyles[0]->styleForm.txtFace & kFaceBold, kFaceBold);
    EXPECT_EQ(grid->subStyles[0]->styleIndx, 0);
    EXPECT_EQ(grid->styleRule.rows.tblStyleRowBandSize, 2);
}

TEST_F(TableStylesTest, ATableStyleKeepsItsFirstEightParts) {
    std::string parts;
    for (const char* type : {"firstRow", "lastRow", "firstCol", "lastCol", "band1Vert", "band2Vert", "band1Horz",
                             "band2Horz", "neCell", "swCell"})
        parts += part(type, "");
    ASSERT_EQ(import(wordDocument("<w:p/>", "<w:styles><w:style w:type=\"table\" w:styleId=\"T\">" + parts +
                                                "</w:style></w:styles>")),
              0);
    CStyleArray table;
    XParamBlock block{};
    block.styles = &table;
    CStream documentElement(storage->rootStream(), "Zevozav", 0);
    readStyleTable(documentElement, block);
    ASSERT_EQ(table.getCount(), 1);
    ASSERT_EQ(table.get(1)->styleSubCount, 8);
    EXPECT_EQ(table.get(1)->subStyles[7]->styleAttr, 0x80);
}

}  // namespace
}  // namespace wordmltest
