// Workbooks through the import engine with the spreadsheet importer: the runs of a sheet's story and
// their character formats, and workbooks whose parts are missing, damaged or unusual.
#include <map>
#include <string>

#include "engine/translators/TranslatorRequest.h"
#include "model/records/character/XForm.h"
#include "tests/import/wordml/WordMLImportSupport.h"

namespace {

const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string workbookPart(const std::string& properties = "<workbookPr/>") {
    return "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\">" + properties +
           "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
}

std::string sheetPart(const std::string& rows) {
    return "<worksheet xmlns=\"" + kMain + "\"><sheetData>" + rows + "</sheetData></worksheet>";
}

// Font 1 is bold, red and 14 points; format 1 uses it.
const std::string kStyles =
    "<styleSheet xmlns=\"" + kMain + "\"><fonts><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
    "<font><b/><sz val=\"14\"/><color rgb=\"FFFF0000\"/><name val=\"Arial\"/></font></fonts>"
    "<cellXfs><xf numFmtId=\"0\" fontId=\"0\"/><xf numFmtId=\"0\" fontId=\"1\"/></cellXfs></styleSheet>";

std::map<std::string, std::string> workbook(const std::string& rows) {
    return {
        {"xl/workbook.xml", workbookPart()},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + kRel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
         "</Relationships>"},
        {"xl/styles.xml", kStyles},
        {"xl/worksheets/sheet1.xml", sheetPart(rows)},
    };
}

class WorkbookImportTest : public wordmltest::WordMLImportTest {
protected:
    // The character format in force at a position of the main story.
    const XForm& formAt(const storytest::LoadedStory& story, std::int32_t position) {
        std::int32_t found = 0;
        for (std::int32_t i = 0; i < story.formCount; ++i)
            if (story.forms[i].position <= position) found = i;
        return story.forms[found];
    }
};

// One run per cell, one per run of a rich-text cell: the runs of one cell follow each other without a
// separator, and each carries its own font.
TEST_F(WorkbookImportTest, RunsCarryTheirCellsFontsAndRichTextKeepsItsRunsTogether) {
    ASSERT_EQ(importPackage(workbook("<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"inlineStr\"><is><t>big</t></is></c>"
                                     "<c r=\"B1\" t=\"inlineStr\"><is><r><rPr><i/></rPr><t>ab</t></r>"
                                     "<r><t>cd</t></r><rPh><t>x</t></rPh></is></c></row>"),
                            "Book.xlsx"),
              0);
    const auto story = this->story();
    ASSERT_NE(story, nullptr);
    EXPECT_EQ(story->textString(), u"big\tabcd\r\r");
    const XForm& big = formAt(*story, 0);
    EXPECT_NE(big.txtFace & kFaceBold, 0u);
    EXPECT_EQ(big.txtSize, 140);
    EXPECT_EQ(big.txtFore.red, 65535);
    EXPECT_EQ(big.txtFore.green, 0);
    EXPECT_NE(formAt(*story, 4).txtFace & kFaceItalic, 0u) << "the run's own properties";
    EXPECT_EQ(formAt(*story, 6).txtFace & (kFaceItalic | kFaceBold), 0u) << "the plain run after it";
}

// What a damaged or unusual workbook gives: the code it fails with, or the text it converts to.
TEST_F(WorkbookImportTest, DamagedAndUnusualPartsFailWithACodeOrConvert) {
    const std::string cell = "<row r=\"1\"><c r=\"A1\"><v>7</v></c><c r=\"B1\" t=\"s\"><v>0</v></c></row>";
    struct Case {
        const char* title;
        std::map<std::string, std::string> changes;  // parts replaced; an empty text removes the part
        std::int16_t code;
        std::u16string text;
    };
    const Case cases[] = {
        {"the plain workbook", {}, 0, u"7\t\r\r"},
        {"a workbook part whose root is not a workbook: no importer takes it", {{"xl/workbook.xml", "<other/>"}},
         result::kErrUnknownFormat, u""},
        {"a workbook part that is not well-formed", {{"xl/workbook.xml", "<workbook"}}, result::kErrUnknownFormat, u""},
        {"no style part", {{"xl/styles.xml", ""}}, result::kNullObject, u""},
        {"a style part that is not well-formed", {{"xl/styles.xml", "<styleSheet><fonts>"}}, result::kNullObject, u""},
        {"a style part without cellXfs: the default format", {{"xl/styles.xml", "<styleSheet xmlns=\"" + kMain + "\"/>"}},
         0, u"7\t\r\r"},
        {"a sheet part cut short", {{"xl/worksheets/sheet1.xml", sheetPart(cell).substr(0, 80)}}, result::kNullObject, u""},
        {"a shared-string part that is not well-formed", {{"xl/sharedStrings.xml", "<sst><si>"}}, result::kNullObject, u""},
        {"shared strings", {{"xl/sharedStrings.xml", "<sst xmlns=\"" + kMain + "\"><si><t>s0</t></si></sst>"}}, 0,
         u"7\ts0\r\r"},
        {"a shared-string cell with an empty value is empty, not the first string",
         {{"xl/sharedStrings.xml", "<sst xmlns=\"" + kMain + "\"><si><t>s0</t></si></sst>"},
          {"xl/worksheets/sheet1.xml", sheetPart("<row r=\"1\"><c r=\"A1\"><v>7</v></c><c r=\"B1\" t=\"s\"><v/></c>"
                                                 "<c r=\"C1\"><v>8</v></c></row>")}},
         0, u"7\t\t8\r\r"},
        {"a cell type the reader does not know keeps the rest of the sheet",
         {{"xl/worksheets/sheet1.xml", sheetPart("<row r=\"1\"><c r=\"A1\" t=\"x\"><v>?</v></c><c r=\"B1\"><v>2</v></c>"
                                                 "</row><row r=\"2\"><c r=\"A2\"><v>3</v></c></row>")}},
         0, u"?\t2\r3\t\r\r"},
        {"a cell reference past the last column of the sheet takes no place beyond it",
         {{"xl/worksheets/sheet1.xml", sheetPart("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c><c><v>2</v></c></row>")}},
         0, u"1\t2\r\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        std::map<std::string, std::string> parts = workbook(cell);
        for (const auto& [path, bytes] : c.changes) {
            if (bytes.empty()) {
                parts.erase(path);
            } else {
                parts[path] = bytes;
            }
        }
        ASSERT_EQ(importPackage(parts, "Book.xlsx"), c.code);
        if (c.code == 0) {
            EXPECT_EQ(story()->textString(), c.text);
        }
    }
}

}  // namespace
