// Tables as they reach the storage: cell ends, row ends carrying the row definition (grid, cells and
// their positions), and the cell positions and bands of TTable.
#include "foundation/encoding/Utf8Codec.h"
#include "import/wordml/tables/TTable.h"
#include "import/wordml/text/TNodesArray.h"
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class TablesTest : public WordMLImportTest {
protected:
    // The row definitions carried by the row-end marks of the first table story, in order.
    std::vector<XRows> rowEnds() {
        std::vector<XRows> rows;
        const auto table = story(storykind::kTable);
        if (table == nullptr) return rows;
        for (std::int32_t i = 0; i + 1 < table->ruleCount; ++i) {
            if (table->rules[i].lastCellOfRow == 1) rows.push_back(table->rules[i].rows);
        }
        return rows;
    }
    std::u16string tableText() {
        const auto table = story(storykind::kTable);
        return table != nullptr ? table->textString() : std::u16string();
    }
};

std::string cell(const std::string& text, const std::string& properties = "") {
    return "<w:tc>" + properties + "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p></w:tc>";
}
std::string grid(std::initializer_list<int> widths) {
    std::string columns;
    for (const int width : widths) columns += "<w:gridCol w:w=\"" + std::to_string(width) + "\"/>";
    return "<w:tblGrid>" + columns + "</w:tblGrid>";
}

TEST_F(TablesTest, TheRowEndCarriesTheGridAndTheCells) {
    const std::string table = "<w:tbl><w:tblPr/>" + grid({2000, 3000, 1500}) + "<w:tr>" + cell("a", "<w:tcPr/>") +
                              cell("b", "<w:tcPr/>") + cell("c", "<w:tcPr/>") + "</w:tr></w:tbl>";
    ASSERT_EQ(import(wordDocument(table)), 0);
    EXPECT_EQ(tableText(), u"a\x10" u"b\x10" u"c\x10\x10");
    const auto ends = rowEnds();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].grid.numOfColumns, 3);
    EXPECT_EQ((std::vector<std::int16_t>(ends[0].grid.columnRightPos, ends[0].grid.columnRightPos + 3)),
              (std::vector<std::int16_t>{2000, 5000, 6500}));
    EXPECT_EQ(ends[0].rows, 3);
    EXPECT_EQ(ends[0].cells[0].tcBorders.top.borderType, -1) << "a border that is not given";
}

// A bookmark that closes the last paragraph of a cell is a run of its own: the cell end and the row end
// still follow as runs of their own, with no bookmark record, so the cell is closed and nothing of the
// bookmark's name runs into the mark.
TEST_F(TablesTest, ABookmarkClosingACellKeepsTheCellEnd) {
    const std::string table = "<w:tbl><w:tr><w:tc><w:p><w:r><w:t>Cell.</w:t></w:r>"
                              "<w:bookmarkStart w:id=\"0\" w:name=\"_Back\"/><w:bookmarkEnd w:id=\"0\"/>"
                              "</w:p></w:tc></w:tr></w:tbl>";
    ASSERT_EQ(import(wordDocument(table)), 0);
    const auto story = this->story(storykind::kTable);
    ASSERT_NE(story, nullptr);
    const std::u16string text = story->textString();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), u"\x10\x10") << "the cell and its row end the story";
    EXPECT_NE(text.find(u"Cell._Back"), std::u16string::npos);
    EXPECT_EQ(rowEnds().size(), 1u);
    for (std::int32_t i = 0; i < story->formCount; ++i) {
        const std::int32_t start = story->forms[i].position;
        if (start < static_cast<std::int32_t>(text.size()) && text[static_cast<std::size_t>(start)] == u'\x10') {
            EXPECT_EQ(story->forms[i].txtData, 0) << "a cell end carries no bookmark";
        }
    }
}

TEST_F(TablesTest, AGridOfSeventyColumnsKeepsSixtyFour) {
    std::string columns;
    for (int i = 0; i < 70; ++i) columns += "<w:gridCol w:w=\"100\"/>";
    ASSERT_EQ(import(wordDocument("<w:tbl><w:tblGrid>" + columns + "<w:gridCol/></w:tblGrid><w:tr>" + cell("x") +
                                  "</w:tr></w:tbl>")),
              0);
    const auto ends = rowEnds();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].grid.numOfColumns, 64);
    EXPECT_EQ(ends[0].grid.columnRightPos[63], 6400);
    EXPECT_EQ(ends[0].grid.columnRightPos[64], 0);
}

// A row ends after its last cell whatever the cells and the table carry: cells without properties, a
// table without properties, and more cells than a row definition holds.
TEST_F(TablesTest, EveryRowEndsAfterItsLastCell) {
    std::string seventy;
    std::u16string seventyText;
    for (int i = 0; i < 70; ++i) {
        seventy += cell(std::to_string(i), i % 2 == 0 ? "<w:tcPr/>" : "");
        seventyText += utf8ToUtf16String(std::to_string(i)) + u"\x10";
    }
    const struct {
        const char* title;
        std::string table;
        std::u16string text;
        std::vector<std::int16_t> describedCells;  // per row end
    } cases[] = {
        {"cells without properties", "<w:tbl><w:tblPr/><w:tr>" + cell("a") + cell("b") + "</w:tr><w:tr>" + cell("c") +
                                         "</w:tr></w:tbl>",
         u"a\x10" u"b\x10\x10" u"c\x10\x10", {2, 1}},
        {"a table without properties", "<w:tbl><w:tr>" + cell("a", "<w:tcPr/>") + cell("b") + "</w:tr></w:tbl>",
         u"a\x10" u"b\x10\x10", {2}},
        {"seventy cells in a row", "<w:tbl><w:tr>" + seventy + "</w:tr></w:tbl>", seventyText + u"\x10", {65}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        ASSERT_EQ(import(wordDocument(test.table)), 0);
        EXPECT_EQ(tableText(), test.text);
        std::vector<std::int16_t> described;
        for (const XRows& rows : rowEnds()) described.push_back(rows.rows);
        EXPECT_EQ(described, test.describedCells);
    }
}

TEST_F(TablesTest, CellsKnowTheirPlaceInTheTable) {
    std::string rows;
    for (const char* row : {"1", "2", "3"})
        rows += "<w:tr>" + cell(std::string(row) + "a") + cell(std::string(row) + "b") + cell(std::string(row) + "c") + "</w:tr>";
    ASSERT_EQ(import(wordDocument("<w:tbl>" + rows + "</w:tbl>")), 0);
    const auto ends = rowEnds();
    ASSERT_EQ(ends.size(), 3u);
    const std::int16_t expected[3][3] = {
        {0x1 | 0x200 | 0x4 | 0x10 | 0x40, 0x1 | 0x10 | 0x80, 0x1 | 0x100 | 0x8 | 0x10 | 0x40},
        {0x4 | 0x20 | 0x40, 0x20 | 0x80, 0x8 | 0x20 | 0x40},
        {0x2 | 0x800 | 0x4 | 0x10 | 0x40, 0x2 | 0x10 | 0x80, 0x2 | 0x400 | 0x8 | 0x10 | 0x40},
    };
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(ends[r].cells[c].attributes, expected[r][c]) << r << "," << c;
    }
}

TEST_F(TablesTest, AWrappedCellIsListedWithoutAPosition) {
    const std::string table = "<w:tbl><w:tr>" + cell("a") + "<w:sdt><w:sdtContent>" + cell("b") +
                              "</w:sdtContent></w:sdt></w:tr></w:tbl>";
    ASSERT_EQ(import(wordDocument(table)), 0);
    EXPECT_EQ(tableText(), u"a\x10" u"b\x10\x10");
    const auto ends = rowEnds();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].rows, 2);
    EXPECT_EQ(ends[0].cells[1].attributes, 0);
}

TEST_F(TablesTest, NestedTablesFollowTheDepthLimit) {
    const int levels = TNodesArray::kMaxTableNesting + 3;
    std::string table = "<w:tbl><w:tr>" + cell("deepest") + "</w:tr></w:tbl>";
    for (int level = 1; level < levels; ++level) table = "<w:tbl><w:tr><w:tc>" + table + "<w:p/></w:tc></w:tr></w:tbl>";
    ASSERT_EQ(import(wordDocument(table)), 0);
    EXPECT_EQ(storyMarks("tableStory").size(), static_cast<std::size_t>(TNodesArray::kMaxTableNesting));
}

// Parses a table of the given rows of cells (w: names in the Word 2003 namespace).
struct TableFixture {
    explicit TableFixture(int rowCount, int cellsPerRow) {
        std::string xml = "<w:tbl xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\">";
        for (int r = 0; r < rowCount; ++r) {
            xml += "<w:tr>";
            for (int c = 0; c < cellsPerRow; ++c) xml += "<w:tc/>";
            xml += "</w:tr>";
        }
        xml += "</w:tbl>";
        document = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET);
    }
    ~TableFixture() { xmlFreeDoc(document); }
    xmlNode* table() const { return xmlDocGetRootElement(document); }
    xmlNode* cellAt(int row, int column) const {
        xmlNode* tr = table()->children;
        for (int r = 0; r < row; ++r) tr = tr->next;
        xmlNode* tc = tr->children;
        for (int c = 0; c < column; ++c) tc = tc->next;
        return tc;
    }
    xmlDoc* document;
};

std::int32_t rowBand(std::int32_t flags) {
    return flags & 0x30;
}

TEST(TTableTest, RowBandsFollowTheStyleBandSize) {
    const TableFixture fixture(5, 1);
    const struct {
        std::int16_t bandSize;
        std::int32_t bands[5];
    } cases[] = {
        {1, {0x10, 0x20, 0x10, 0x20, 0x10}},
        {2, {0x20, 0x10, 0x10, 0x20, 0x20}},
        {0, {0x10, 0x20, 0x10, 0x20, 0x10}},   // a size of 0 counts as 1
        {-3, {0x10, 0x20, 0x10, 0x20, 0x10}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.bandSize);
        TTable table;
        table.setTable(fixture.table(), &test.bandSize, &test.bandSize);
        for (int r = 0; r < 5; ++r) EXPECT_EQ(rowBand(table.getCellPosition(fixture.cellAt(r, 0))), test.bands[r]) << r;
    }
}

TEST(TTableTest, ATableWithoutStyleKeepsTheEarlierBandSizes) {
    const TableFixture first(3, 1);
    const TableFixture second(3, 1);
    TTable table;
    const std::int16_t two = 2;
    table.setTable(first.table(), &two, &two);
    table.setTable(second.table(), nullptr, nullptr);
    EXPECT_EQ(rowBand(table.getCellPosition(second.cellAt(0, 0))), 0x20);
    EXPECT_EQ(table.getCellPosition(first.cellAt(0, 0)), 0) << "a cell of another table";
}

}  // namespace
}  // namespace wordmltest
