// The fast cell scanner behind the importer's cell walk: on the plain XML it handles it gives exactly
// the parser's cells (a scanner that read a cell otherwise would change the converted text), on anything
// else it gives up, and the source the importer reads from then lets the parser finish the part without
// losing, repeating or changing a cell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/spreadsheet/sheets/SheetCellDescription.h"
#include "import/spreadsheet/sheets/SheetCellScanner.h"
#include "import/spreadsheet/sheets/SheetCellSource.h"
#include "import/spreadsheet/sheets/WorksheetReader.h"

namespace {

const std::string kNamespace = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";

std::string sheet(const std::string& inside) { return "<worksheet " + kNamespace + ">" + inside + "</worksheet>"; }

struct Read {
    std::vector<std::string> cells;
    std::vector<std::int32_t> columnStyles;  // of columns 1 to 6, once the cells are read
    std::string error;
    bool operator==(const Read&) const = default;
};

template <typename Reader>
Read readAll(Reader& reader) {
    Read read;
    SheetCell cell;
    while (reader.next(&cell)) read.cells.push_back(describeSheetCell(cell));
    for (std::int32_t column = 1; column <= 6; ++column) read.columnStyles.push_back(reader.columnStyle(column));
    read.error = reader.error();
    return read;
}

Read parse(const std::string& part) {
    WorksheetReader reader(part.data(), static_cast<std::int32_t>(part.size()));
    return readAll(reader);
}

// What the scanner alone makes of the part: its cells up to its end or to where it gives up.
CellScan scan(const std::string& part, Read* read) {
    SheetCellScanner scanner(part.data(), static_cast<std::int32_t>(part.size()));
    SheetCell cell;
    CellScan result;
    while ((result = scanner.next(&cell)) == CellScan::kCell) read->cells.push_back(describeSheetCell(cell));
    for (std::int32_t column = 1; column <= 6; ++column) read->columnStyles.push_back(scanner.columnStyle(column));
    return result;
}

TEST(SheetCellScanner, ReadsThePlainPartsExactlyAsTheParserDoes) {
    const std::string parts[] = {
        // Inline text with references, a CR LF and a CR to make LF, characters of several bytes.
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n" +
            sheet("<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">a &amp; &#x42;&#10;"
                  "&#13;x\r\ny\rz \xC3\xA9\xF0\x9F\x98\x80</t></is></c></row></sheetData>"),
        // Rich-text runs with their properties, and a second "v" or "t" that does not count.
        sheet("<sheetData><row><c t=\"inlineStr\"><is><r><rPr><b/><sz val=\"11\"/><rFont val=\"Calibri\"/></rPr>"
              "<t>bold</t><t>again</t></r><r><t> plain</t></r></is></c><c><v>1</v><v>2</v></c></row></sheetData>"),
        // Column formats, a row format with and without "customFormat", cells without "r", an empty cell.
        sheet("<cols><col min=\"1\" max=\"3\" style=\"2\"/><col min=\"5\" max=\"5\" style=\"4\" width=\"9\"/><col min=\"6\"/>"
              "</cols><sheetData><row r=\"3\" s=\"7\" customFormat=\"1\"><c s=\"1\" t=\"n\"><v>1.5</v></c><c/>"
              "<c r=\"D3\" t=\"str\"><f>A1</f><v>x</v></c></row><row s=\"8\"><c t=\"b\"><v>1</v></c></row></sheetData>"),
        // Declared prefixes on attributes and on elements that are no cells; names under the name rule.
        "<worksheet " + kNamespace + " xmlns:x14ac=\"urn:x\"><sheetData><row r=\"2\" x14ac:dyDescent=\"0.2\">"
            "<C r=\"B2\" x14ac:s=\"5\"><V>7</V></C></row></sheetData><extLst><x14ac:ext><x14ac:id/></x14ac:ext></extLst>"
            "</worksheet>",
        // A "col" after the first cell counts for neither pass.
        sheet("<sheetData><row><c><v>1</v></c></row></sheetData><cols><col min=\"1\" max=\"9\" style=\"3\"/></cols>"),
        sheet("<sheetData/>"),
        // The cell's "r", "s" and "t" beside declarations and prefixed attributes of those local names: a
        // prefixed "r" places nothing, a prefixed "s" or "t" counts, a declaration is no attribute.
        "<worksheet " + kNamespace + " xmlns:x=\"urn:x\"><sheetData><row r=\"4\"><c x:r=\"Z9\" x:s=\"3\" t=\"str\"><v>a</v>"
            "</c><c xmlns:s=\"urn:s\" r=\"C4\" x:t=\"b\"><v>1</v></c><c s=\"2\" r=\"E4\"><v>2</v></c>"
            "</row></sheetData></worksheet>",
        // End tags with blanks before their '>', and names that share their first letters.
        sheet("<sheetData ><row r=\"1\"><c r=\"A1\"><v>1</v ></c\n></row\t><rows/><cc><c>x</c></cc></sheetData>"),
    };
    for (const std::string& part : parts) {
        SCOPED_TRACE(part);
        Read scanned;
        ASSERT_EQ(scan(part, &scanned), CellScan::kEnd);
        const Read parsed = parse(part);
        EXPECT_TRUE(parsed.error.empty()) << parsed.error;
        EXPECT_EQ(scanned.cells, parsed.cells);
        EXPECT_EQ(scanned.columnStyles, parsed.columnStyles);
    }
}

TEST(SheetCellScanner, GivesUpWhereThePartLeavesThePlainXmlItHandles) {
    const struct {
        const char* title;
        std::string part;
    } cases[] = {
        {"a comment", sheet("<sheetData><row><c><v>1</v></c><!-- x --></row></sheetData>")},
        {"a CDATA section", sheet("<sheetData><row><c><v><![CDATA[1]]></v></c></row></sheetData>")},
        {"a document type", "<!DOCTYPE worksheet [<!ENTITY e \"1\">]>" + sheet("<sheetData/>")},
        {"an unknown entity", sheet("<sheetData><row><c><v>&e;</v></c></row></sheetData>")},
        {"a prefixed cell", "<worksheet " + kNamespace + " xmlns:x=\"urn:x\"><sheetData><row><x:c><v>1</v></x:c></row>"
                            "</sheetData></worksheet>"},
        {"a prefixed element in a cell", "<worksheet " + kNamespace + " xmlns:x=\"urn:x\"><sheetData><row><c><x:v>1</x:v>"
                                         "</c></row></sheetData></worksheet>"},
        {"an undeclared prefix", sheet("<sheetData><row><c y:s=\"1\"><v>1</v></c></row></sheetData>")},
        {"a namespace name the parser refuses", "<worksheet " + kNamespace + " xmlns:r=\"\x7frn:r\"><sheetData/></worksheet>"},
        {"an element inside a value", sheet("<sheetData><row><c><v>1<b>2</b></v></c></row></sheetData>")},
        {"a style it would have to rewrite", sheet("<sheetData><row><c s=\"&#49;\"><v>1</v></c></row></sheetData>")},
        {"a root in another namespace", "<worksheet xmlns=\"urn:other\"><sheetData/></worksheet>"},
        {"a broken end tag", sheet("<sheetData><row><c><v>1</v></c></rov></sheetData>")},
        {"a part cut short", sheet("<sheetData><row><c><v>1</v></c>").substr(0, 60)},
        // End tags are matched against the open element's name, so each must be exactly that name.
        {"an end tag longer than its element", sheet("<sheetData><row><c><v>1</vv></c></row></sheetData>")},
        {"an end tag shorter than its element", sheet("<sheetData><row><c><v>1</v></c></ro></sheetData>")},
        {"an end tag with a prefix", sheet("<sheetData><row><c><v>1</v:x></c></row></sheetData>")},
        {"an end tag cut at its name", "<worksheet " + kNamespace + "><sheetData><row><c><v>1</v></c></row"},
        {"a name ending in a colon", sheet("<sheetData><row><c x:=\"1\"><v>1</v></c></row></sheetData>")},
        {"a name with two colons", sheet("<sheetData><row><c r:s:t=\"1\"><v>1</v></c></row></sheetData>")},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.title);
        Read scanned;
        EXPECT_EQ(scan(entry.part, &scanned), CellScan::kUnsure);
    }
}

TEST(SheetCellScanner, TheSourceLetsTheParserFinishWhereTheScannerGivesUp) {
    // The scanner hands out cells before what it gives up on; the parser takes over after them, and a
    // part broken further on still ends with the parser's reason.
    const struct {
        const char* title;
        std::string part;
    } cases[] = {
        {"a comment after two cells",
         sheet("<cols><col min=\"2\" max=\"2\" style=\"1\"/></cols><sheetData><row><c><v>1</v></c><c><v>2</v></c>"
               "<!-- note --><c t=\"inlineStr\"><is><t>3</t></is></c></row><row><c><v><![CDATA[4]]></v></c></row>"
               "</sheetData>")},
        {"a break after a cell", sheet("<sheetData><row><c><v>1</v></c><c><v>2</v></c></rov></sheetData>")},
        {"nothing unusual", sheet("<sheetData><row><c><v>1</v></c></row></sheetData>")},
        // The scanner fills the caller's cell as it reads; the parser's cell must replace what it began.
        {"a comment inside a cell with runs",
         sheet("<sheetData><row><c><v>1</v></c><c r=\"B1\" s=\"3\" t=\"inlineStr\"><is><r><rPr><b/></rPr><t>x</t></r>"
               "<!-- mid --><r><t>y</t></r></is></c><c><v>2</v></c></row></sheetData>")},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.title);
        SheetCellSource source(entry.part.data(), static_cast<std::int32_t>(entry.part.size()));
        const Read sourced = readAll(source);
        EXPECT_EQ(sourced, parse(entry.part));
    }
    const std::string broken = cases[1].part;
    SheetCellSource source(broken.data(), static_cast<std::int32_t>(broken.size()));
    const Read sourced = readAll(source);
    EXPECT_EQ(sourced.cells.size(), 2u);
    EXPECT_FALSE(sourced.error.empty());
    EXPECT_TRUE(source.usesParser());
}

// A large part comes through a window a few steps long: names, prefixes and texts that straddle its
// refills must come out as the parser reads them, and a text longer than the window leaves the part to
// the parser rather than being cut.
TEST(SheetCellScanner, ThroughASmallWindowTheCellsStayTheParsers) {
    std::string rows;
    for (int row = 1; row <= 40; ++row) {
        const std::string r = std::to_string(row);
        rows += "<row r=\"" + r + "\" x14ac:dyDescent=\"0.25\"><c r=\"A" + r + "\" s=\"1\"><v>" + r + ".5</v></c>"
                "<c r=\"B" + r + "\" t=\"inlineStr\"><is><r><rPr><b/><sz val=\"11\"/></rPr><t>a &amp; b " + r +
                "</t></r><r><t xml:space=\"preserve\"> \xC3\xA9</t></r></is></c><c t=\"s\"><v>" + r + "</v></c></row>";
    }
    const std::string part = "<worksheet " + kNamespace + " xmlns:x14ac=\"urn:x\"><cols><col min=\"2\" max=\"3\" style=\"4\"/>"
                             "</cols><sheetData>" + rows + "</sheetData><extLst xmlns:y=\"urn:y\"><y:ext><y:a/></y:ext>"
                             "</extLst></worksheet>";
    const std::string longText = sheet("<sheetData><row><c><v>1</v></c><c t=\"inlineStr\"><is><t>" +
                                       std::string(1000, 'x') + "</t></is></c><c><v>3</v></c></row></sheetData>");
    const struct {
        std::string part;
        SheetWindowSize window;
        bool parserTakesOver;
    } cases[] = {
        {part, {64, 160}, false},
        {part, {100, 200}, false},
        {part, {}, false},
        {longText, {64, 160}, true},
        {longText, {}, false},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(std::to_string(entry.window.lookahead) + " " + entry.part.substr(0, 60));
        SheetCellSource source(entry.part.data(), static_cast<std::int32_t>(entry.part.size()), entry.window);
        EXPECT_EQ(readAll(source), parse(entry.part));
        EXPECT_EQ(source.usesParser(), entry.parserTakesOver);
    }
}

}  // namespace
