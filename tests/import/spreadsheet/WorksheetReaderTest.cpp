// The streaming cell reader: every cell of a part that spans many of the parser's slices arrives whole
// and in order, each cell's value, inline text and rich-text runs are read as the parsed tree holds
// them, and a part that breaks hands out the cells before the break and then says why.
#include <gtest/gtest.h>

#include <libxml/tree.h>

#include <string>
#include <vector>

#include "import/spreadsheet/sheets/WorksheetReader.h"

namespace {

std::string sheet(const std::string& inside) {
    return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + inside + "</worksheet>";
}

std::vector<SheetCell> readAll(const std::string& part, std::string* error = nullptr) {
    WorksheetReader reader(part.data(), static_cast<std::int32_t>(part.size()));
    std::vector<SheetCell> cells;
    SheetCell cell;
    while (reader.next(&cell)) cells.push_back(std::move(cell));
    if (error != nullptr) *error = reader.error();
    return cells;
}

std::string attributeOf(const xmlNode* element, const char* name) {
    xmlChar* value = xmlGetProp(element, reinterpret_cast<const xmlChar*>(name));
    std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "(none)";
    xmlFree(value);
    return text;
}

TEST(WorksheetReader, ACellCutByASliceBoundaryArrivesWhole) {
    // Some thousands of cells of varying length put the parser's slice boundaries inside tags, inside
    // values, inside a character of several bytes and between a cell's parts.
    const auto textOfRow = [](int row) {
        return std::string(static_cast<std::size_t>(row % 37), 'x') + "\xC3\xA9\xE2\x82\xAC";  // "é€"
    };
    std::string rows;
    for (int row = 1; row <= 2000; ++row) {
        const std::string text = textOfRow(row);
        rows += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) + "\" t=\"inlineStr\"><is><t>" +
                text + "</t></is></c><c r=\"C" + std::to_string(row) + "\" s=\"" + std::to_string(row % 5) +
                "\"><v>" + std::to_string(row * 7) + "</v></c></row>\n";
    }
    const std::vector<SheetCell> cells = readAll(sheet("<sheetData>" + rows + "</sheetData>"));
    ASSERT_EQ(cells.size(), 4000u);
    for (int row = 1; row <= 2000; ++row) {
        SCOPED_TRACE(row);
        const SheetCell& text = cells[static_cast<std::size_t>(row - 1) * 2];
        const SheetCell& number = cells[static_cast<std::size_t>(row - 1) * 2 + 1];
        EXPECT_EQ(text.position.row, row);
        EXPECT_EQ(text.position.column, 1);
        EXPECT_EQ(text.inlineText, textOfRow(row));
        EXPECT_EQ(number.position.column, 3);
        EXPECT_EQ(number.style.value, std::to_string(row % 5));
        EXPECT_EQ(number.value, std::to_string(row * 7));
    }
}

TEST(WorksheetReader, ACellIsReadAsItsParsedTreeHoldsIt) {
    const struct {
        const char* title;
        std::string cell;
        bool hasValue;
        std::string value;
        bool hasInlineText;
        std::string inlineText;
        std::string type;
    } cases[] = {
        {"entities, character references and CDATA are text; comments are not",
         "<c t=\"str\"><v>a&amp;b&#x41;<![CDATA[<x>]]><!-- no --></v></c>", true, "a&bA<x>", false, "", "str"},
        {"only the first value counts, and nested text is the value's",
         "<c><v>1<i>2</i></v><v>9</v></c>", true, "12", false, "", "(absent)"},
        {"an empty value is a value", "<c t=\"s\"><v/></c>", true, "", false, "", "s"},
        {"an attribute's entity is replaced", "<c t=\"a&amp;b\"/>", false, "", false, "", "a&b"},
        {"an inline string's text, not the text of a formula beside it",
         "<c t=\"inlineStr\"><f>X</f><is><t xml:space=\"preserve\"> a </t></is></c>", false, "", true, " a ",
         "inlineStr"},
        {"a prefixed attribute counts as its local name", "<c xmlns:o=\"urn:other\" o:t=\"b\"><v>1</v></c>", true,
         "1", false, "", "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        std::string error;
        const std::vector<SheetCell> cells = readAll(sheet("<sheetData><row r=\"1\">" + c.cell + "</row></sheetData>"),
                                                     &error);
        ASSERT_EQ(cells.size(), 1u) << error;
        EXPECT_EQ(cells[0].hasValue, c.hasValue);
        EXPECT_EQ(cells[0].value, c.value);
        EXPECT_EQ(cells[0].hasInlineText, c.hasInlineText);
        EXPECT_EQ(cells[0].inlineText, c.inlineText);
        EXPECT_EQ(cells[0].type.present ? cells[0].type.value : "(absent)", c.type);
    }
}

TEST(WorksheetReader, RichTextRunsKeepTheirPropertiesAsATree) {
    const std::vector<SheetCell> cells = readAll(sheet(
        "<sheetData><row r=\"2\"><c r=\"B2\" t=\"inlineStr\"><is>"
        "<r><rPr><b/><sz val=\"14\"/><color rgb=\"FFFF0000\"><x>skipped text</x></color></rPr><t>bold</t></r>"
        "<r><t>plain</t><t>second t</t></r></is></c></row></sheetData>"));
    ASSERT_EQ(cells.size(), 1u);
    ASSERT_EQ(cells[0].runs.size(), 2u);
    const xmlNode* properties = cells[0].runs[0].properties.get();
    ASSERT_NE(properties, nullptr);
    std::vector<std::string> children;
    for (const xmlNode* child = properties->children; child != nullptr; child = child->next)
        children.push_back(reinterpret_cast<const char*>(child->name));
    EXPECT_EQ(children, (std::vector<std::string>{"b", "sz", "color"}));
    EXPECT_EQ(attributeOf(properties->children->next, "val"), "14");
    EXPECT_EQ(attributeOf(properties->last, "rgb"), "FFFF0000");
    EXPECT_EQ(cells[0].runs[0].text, "bold");
    EXPECT_EQ(cells[0].runs[1].properties, nullptr);
    EXPECT_EQ(cells[0].runs[1].text, "plain");
}

TEST(WorksheetReader, ABrokenPartHandsOutTheCellsBeforeTheBreakThenSaysWhy) {
    std::string rows;
    for (int row = 1; row <= 1000; ++row)
        rows += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) + "\"><v>1</v></c></row>";
    std::string error;
    const std::vector<SheetCell> cells = readAll(sheet("<sheetData>" + rows + "<row><c><v>2</c></row></sheetData>"),
                                                 &error);
    EXPECT_EQ(cells.size(), 1000u);
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
}

}  // namespace
