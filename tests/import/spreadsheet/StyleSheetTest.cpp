// The style sheet: which cell format a cell gets (its own "s", a row's "s" with "customFormat", its
// column's "style", format 0), formats resolved over their named styles, number formats by id, and the
// fonts of the formats.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <string>

#include "foundation/CFail.h"
#include "import/spreadsheet/styles/CStyleSheet.h"
#include "model/records/character/XForm.h"

namespace {

CStyleSheet styleSheetOf(const std::string& xml) {
    xmlDoc* document = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "styles.xml", nullptr, 0);
    return CStyleSheet(document, "");
}

const std::string kStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<numFmts><numFmt numFmtId=\"14\" formatCode=\"yyyy-mm-dd\"/><numFmt numFmtId=\"200\" formatCode=\"0.0\"/></numFmts>"
    "<fonts><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
    "<font><b val=\"1\"/><i val=\"0\"/><u/><sz val=\"10.5\"/><vertAlign val=\"superscript\"/><name val=\"Arial\"/></font></fonts>"
    "<cellStyleXfs><xf numFmtId=\"200\" fontId=\"1\"/></cellStyleXfs>"
    "<cellXfs>\n  <xf numFmtId=\"0\" fontId=\"0\"/>\n  <xf numFmtId=\"14\"/>\n  <xf xfId=\"0\"/>\n"
    "  <xf numFmtId=\"14\" applyNumberFormat=\"0\"/>\n  <xf numFmtId=\"999\" fontId=\"7\"/>\n</cellXfs></styleSheet>";

TEST(StyleSheet, ACellTakesItsOwnFormatThenItsRowsThenItsColumnsThenFormatZero) {
    CStyleSheet sheet = styleSheetOf(kStyles);
    const struct {
        const char* title;
        std::int32_t column, row, cell;
        const char16_t* code;
    } cases[] = {
        {"the cell's own", 2, 3, 1, u"yyyy-mm-dd"},
        {"the row's", 2, 1, -1, u"yyyy-mm-dd"},
        {"the column's", 1, -1, -1, u"yyyy-mm-dd"},
        {"format 0", -1, -1, -1, u""},
        {"a workbook code under a built-in id replaces it", -1, -1, 1, u"yyyy-mm-dd"},
        {"the named style's format under a cell format without its own", -1, -1, 2, u"0.0"},
        {"applyNumberFormat 0 keeps General", -1, -1, 3, u""},
        {"an id neither built in nor defined is General", -1, -1, 4, u""},
        {"an index past the list gives the default format", -1, -1, 40, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(sheet.selectCellStyle(c.column, c.row, c.cell).numFmt.formatCode, c.code);
    }
}

TEST(StyleSheet, FontsGiveTheirFaceSizeAndName) {
    CStyleSheet sheet = styleSheetOf(kStyles);
    const CFont& named = sheet.resolveStyle(2).font;
    EXPECT_EQ(named.name, "Arial");
    EXPECT_EQ(named.faceFlags(), kFaceBold | kFaceSuperscript) << "i val=0 clears; u without val leaves none";
    EXPECT_EQ(named.size, 100) << "whole points";
    EXPECT_EQ(sheet.resolveStyle(4).font.name, "") << "a font id past the list keeps the default font";
    ASSERT_EQ(sheet.fontCount(), 2u);
    EXPECT_EQ(sheet.fontAt(0).size, 110);
}

TEST(StyleSheet, APartThatIsNoStyleSheetFailsWith22) {
    for (const char* xml : {"<other/>", ""}) {
        SCOPED_TRACE(xml);
        try {
            styleSheetOf(xml);
            ADD_FAILURE() << "no failure";
        } catch (const CFail& failure) {
            EXPECT_EQ(failure.error, 22);
        }
    }
}

}  // namespace
