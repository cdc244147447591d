// The quick scanner behind the first pass over a worksheet: on the plain XML it understands it gives
// exactly the parser's answers, and on anything else it gives up so that the parser decides (a scanner
// that answered for a broken or unusual part could drop or invent cells, or let a malformed sheet pass).
#include <gtest/gtest.h>

#include <string>

#include "import/spreadsheet/sheets/SheetMeasure.h"
#include "import/spreadsheet/sheets/SheetScanner.h"

namespace {

const std::string kNamespace = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";

std::string sheet(const std::string& inside) { return "<worksheet " + kNamespace + ">" + inside + "</worksheet>"; }

SheetScan scan(const std::string& part, SheetExtent* extent, bool* isWorksheet) {
    return scanSheetExtent(part.data(), static_cast<std::int32_t>(part.size()), extent, isWorksheet);
}

TEST(SheetScanner, AnswersThePlainPartsExactlyAsTheParserDoes) {
    const std::string cells = "<sheetData><row r=\"4\"><c r=\"C4\"><v>1</v></c><c><f>1</f></c></row></sheetData>";
    const std::string parts[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n" + sheet(cells),
        "\xEF\xBB\xBF<?xml version='1.0'?>" + sheet(cells),
        "<worksheet " + kNamespace + " xmlns:r=\"urn:r\" xmlns:x14ac=\"urn:x\"><sheetData><row r=\"2\" x14ac:dyDescent=\"0.2\">"
            "<c r=\"B2\" t=\"inlineStr\"><is><t>a &amp; &#x42;&#10;\xC3\xA9 \xF0\x9F\x98\x80</t></is></c></row></sheetData>"
            "<extLst><x14ac:ext/></extLst></worksheet>",
        sheet("<sheetData><row><c r=\"B1\">\n  <v/>\n</c><c r=\"D1\"><f>A1</f><v></v></c></row></sheetData>"),
        sheet("<sheetData ><row r = '7' ><c r='XFD7' s=\"1\"/><c r=\"E7\"><v>&lt;</v ></c></row></sheetData>"),
        "<worksheet><sheetData><row r=\"9\"><c r=\"Z9\"><v>2</v></c></row></sheetData></worksheet>\n",
        "<worksheet xmlns=\"urn:other\">" + cells + "</worksheet>",
        "<chartsheet " + kNamespace + "><sheetData><row><c><v>1</v></c></row></sheetData></chartsheet>",
        sheet("<sheetData/>"),
    };
    for (const std::string& part : parts) {
        SCOPED_TRACE(part);
        SheetExtent scanned;
        bool isWorksheet = false;
        ASSERT_EQ(scan(part, &scanned, &isWorksheet), SheetScan::kMeasured);
        SheetExtent parsed;
        std::string error;
        const SheetMeasureResult result =
            measureSheetWithParser(part.data(), static_cast<std::int32_t>(part.size()), &parsed, &error);
        EXPECT_EQ(result, isWorksheet ? SheetMeasureResult::kWorksheet : SheetMeasureResult::kNotAWorksheet) << error;
        EXPECT_EQ(scanned.lastRow, parsed.lastRow);
        EXPECT_EQ(scanned.lastColumn, parsed.lastColumn);
        EXPECT_EQ(scanned.hasRows, parsed.hasRows);
    }
}

// Through a window a few steps long the answers are the same: the scanner keeps the names of the open
// elements and the prefixes in scope across refills.
TEST(SheetScanner, AnswersTheSameThroughASmallWindow) {
    std::string rows;
    for (int row = 1; row <= 30; ++row) {
        const std::string r = std::to_string(row);
        rows += "<row r=\"" + r + "\" x14ac:dyDescent=\"0.25\"><c r=\"B" + r + "\"><v>" + r + "</v></c><c r=\"" +
                (row == 17 ? "K" : "C") + r + "\"><f>B" + r + "</f><v>&lt;" + r + "</v></c><c r=\"Z" + r + "\"><f>1</f></c></row>";
    }
    const std::string part = "<worksheet " + kNamespace + " xmlns:x14ac=\"urn:x\"><sheetData>" + rows +
                             "</sheetData><extLst xmlns:y=\"urn:y\"><y:ext/></extLst></worksheet>";
    SheetExtent whole;
    bool isWorksheet = false;
    ASSERT_EQ(scan(part, &whole, &isWorksheet), SheetScan::kMeasured);
    EXPECT_EQ(whole.lastRow, 30);
    EXPECT_EQ(whole.lastColumn, 11);
    for (const SheetWindowSize window : {SheetWindowSize{64, 160}, SheetWindowSize{90, 180}}) {
        SCOPED_TRACE(window.lookahead);
        SheetExtent windowed;
        ASSERT_EQ(scanSheetExtent(part.data(), static_cast<std::int32_t>(part.size()), &windowed, &isWorksheet, window),
                  SheetScan::kMeasured);
        EXPECT_TRUE(isWorksheet);
        EXPECT_EQ(windowed.lastRow, whole.lastRow);
        EXPECT_EQ(windowed.lastColumn, whole.lastColumn);
        EXPECT_EQ(windowed.hasRows, whole.hasRows);
    }
}

TEST(SheetScanner, GivesUpOnWhatItDoesNotFullyUnderstand) {
    const struct {
        const char* title;
        std::string part;
    } cases[] = {
        {"a comment", sheet("<sheetData><!-- x --><row><c><v>1</v></c></row></sheetData>")},
        {"a CDATA section", sheet("<sheetData><row><c><v><![CDATA[1]]></v></c></row></sheetData>")},
        {"a processing instruction", sheet("<?pi x?><sheetData/>")},
        {"a document type", "<!DOCTYPE worksheet [<!ENTITY e \"1\">]>" + sheet("<sheetData/>")},
        {"an entity of its own", sheet("<sheetData><row><c><v>&e;</v></c></row></sheetData>")},
        {"another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + sheet("<sheetData/>")},
        {"a prefixed cell", "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                            "<x:sheetData><x:row><x:c><x:v>1</x:v></x:c></x:row></x:sheetData></x:worksheet>"},
        {"a namespace declared below the root", sheet("<sheetData xmlns=\"urn:other\"><row><c><v>1</v></c></row></sheetData>")},
        {"a reference the parser would rewrite", sheet("<sheetData><row r=\"1\"><c r=\"A&#49;\"><v>1</v></c></row></sheetData>")},
        {"a prefixed r", sheet("<sheetData><row><c x:r=\"B1\" xmlns:x=\"urn:x\"><v>1</v></c></row></sheetData>")},
        {"a repeated attribute", sheet("<sheetData><row><c r=\"A1\" r=\"B1\"><v>1</v></c></row></sheetData>")},
        {"mismatched tags", sheet("<sheetData><row><c r=\"A1\"><v>1</c></row></sheetData>")},
        {"an unclosed element", "<worksheet " + kNamespace + "><sheetData>"},
        {"text after the root", sheet("<sheetData/>") + "x"},
        {"a bare ampersand", sheet("<sheetData><row><c><v>1 & 2</v></c></row></sheetData>")},
        {"a control character", sheet("<sheetData><row><c><v>\x01</v></c></row></sheetData>")},
        {"a disallowed character reference", sheet("<sheetData><row><c><v>&#0;</v></c></row></sheetData>")},
        {"bytes that are not UTF-8", sheet("<sheetData><row><c><v>\xE9</v></c></row></sheetData>")},
        {"an overlong UTF-8 form", sheet("<sheetData><row><c><v>\xC0\xBC</v></c></row></sheetData>")},
        {"a '<' in an attribute", sheet("<sheetData><row><c r=\"<\"><v>1</v></c></row></sheetData>")},
        {"attributes without a blank between", sheet("<sheetData><row><c r=\"A1\"s=\"1\"><v>1</v></c></row></sheetData>")},
        {"']]>' in text", sheet("<sheetData><row><c><v>]]></v></c></row></sheetData>")},
        {"nothing at all", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        SheetExtent extent;
        bool isWorksheet = false;
        EXPECT_EQ(scan(c.part, &extent, &isWorksheet), SheetScan::kUnsure);
    }
}

TEST(SheetScanner, APartItGivesUpOnIsStillMeasuredByTheParser) {
    const std::string prefixed = "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                                 "<x:sheetData><x:row r=\"3\"><x:c r=\"C3\"><!-- kept --><x:v>1</x:v></x:c></x:row>"
                                 "</x:sheetData></x:worksheet>";
    SheetExtent extent;
    std::string error;
    ASSERT_EQ(measureSheet(prefixed.data(), static_cast<std::int32_t>(prefixed.size()), &extent, &error),
              SheetMeasureResult::kWorksheet);
    EXPECT_EQ(extent.lastRow, 3);
    EXPECT_EQ(extent.lastColumn, 3);
}

}  // namespace
