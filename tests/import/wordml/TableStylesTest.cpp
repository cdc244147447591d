// Table styles as they reach the row definitions and the style table: the style's table properties and
// default cell through its chain, the conditional parts a cell's mask selects (later parts override
// earlier ones, a cell's own properties override them all), the band size, and the parts kept as
// sub-styles.
#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "engine/export/parameters/StyleTableReader.h"
#include "model/tables/CStyleArray.h"
#include "tests/import/wordml/WordMLImportSupport.h"

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
        for (std::int32_t i = 0; i + 1 < table->ruleCount; ++i)
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

// Readers apply no table style's conditional parts themselves: the character formatting of the parts
// that select a cell goes onto the runs of its text, under the paragraph's and the run's own.
TEST_F(TableStylesTest, TheSelectedPartsFormatTheTextOfTheirCells) {
    const auto table = [](const char* look, const std::string& rows) {
        return "<w:tbl><w:tblPr><w:tblStyle w:val=\"Grid\"/><w:tblLook w:val=\"" + std::string(look) +
               "\"/></w:tblPr><w:tblGrid><w:gridCol w:w=\"1000\"/></w:tblGrid>" + rows + "</w:tbl><w:p/>";
    };
    const auto textCell = [](const char* text, const char* runProperties = "") {
        return "<w:tc><w:p><w:r><w:rPr>" + std::string(runProperties) + "</w:rPr><w:t>" + text +
               "</w:t></w:r></w:p></w:tc>";
    };
    const auto plainRow = [](const std::string& cells) { return "<w:tr>" + cells + "</w:tr>"; };
    const std::string body =
        // The rows name their parts: the first row is bold, a band row is not.
        table("0000", row("100000000000", textCell("Named"), "") + row("000000100000", textCell("Banded"), "")) +
        // No row or cell names its parts: the look turns the first row on.
        table("0020", plainRow(textCell("Looked")) + plainRow(textCell("Below"))) +
        // ... or leaves it off.
        table("0000", plainRow(textCell("Unlooked")) + plainRow(textCell("Under"))) +
        // The run's own formatting wins over the part's.
        table("0020", plainRow(textCell("Unbolded", "<w:b w:val=\"0\"/>")));
    ASSERT_EQ(import(wordDocument(body, kStyles)), 0);
    std::map<std::u16string, bool> bold;
    for (const std::int32_t mark : storyMarks("tableStory")) {
        const auto story = tableStory(mark);
        ASSERT_NE(story, nullptr);
        const std::u16string text = story->textString();
        for (std::int32_t i = 0; i < story->formCount; ++i) {
            // A run's text reaches to the next run's start, or to the story's end.
            const std::int32_t start = story->forms[i].position;
            const std::int32_t end =
                std::min(i + 1 < story->formCount ? story->forms[i + 1].position : story->textLength, story->textLength);
            if (start < 0 || start >= end) continue;
            const std::u16string run = text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
            if (run.find_first_of(u"\x10\r\n") == std::u16string::npos && !run.empty())
                bold[run] = (story->forms[i].txtFace & kFaceBold) != 0;
        }
    }
    const std::map<std::u16string, bool> expected = {
        {u"Named", true},     {u"Banded", false}, {u"Looked", true},    {u"Below", false},
        {u"Unlooked", false}, {u"Under", false},  {u"Unbolded", false},
    };
    EXPECT_EQ(bold, expected);
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
