// The first pass over a worksheet: the grid reaches the last row and column that hold a value, whatever
// the dimension says, and a part that is no worksheet or not well-formed is told apart.
#include <gtest/gtest.h>

#include <string>

#include "import/spreadsheet/sheets/SheetMeasure.h"

namespace {

std::string sheet(const std::string& inside) {
    return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + inside + "</worksheet>";
}

TEST(SheetMeasure, TheExtentComesFromTheCellsThatHoldAValue) {
    const struct {
        const char* title;
        std::string part;
        std::int32_t lastColumn;
        std::int32_t lastRow;
        bool hasRows;
    } cases[] = {
        {"a stale dimension is passed over",
         sheet("<dimension ref=\"A1:B2\"/><sheetData><row r=\"7\"><c r=\"E7\"><v>1</v></c></row></sheetData>"), 5, 7, true},
        {"a dimension larger than the cells invents nothing",
         sheet("<dimension ref=\"A1:Z99\"/><sheetData><row r=\"1\"><c r=\"B1\"><v>1</v></c></row></sheetData>"), 2, 1, true},
        {"cells without references follow each other; a row without r follows the last",
         sheet("<sheetData><row><c><v>1</v></c><c><v>2</v></c></row><row><c/><c/><c><v>3</v></c></row></sheetData>"), 3,
         2, true},
        {"styled empty cells, an empty value and a formula without a value hold nothing",
         sheet("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"C1\" s=\"2\"/><c r=\"D1\"><v/></c>"
               "<c r=\"E1\"><f>A1</f></c></row><row r=\"5\"><c r=\"A5\" s=\"1\"/></row></sheetData>"),
         1, 1, true},
        {"an inline string and a formula's cached value hold one",
         sheet("<sheetData><row r=\"2\"><c r=\"B2\" t=\"inlineStr\"><is><t>x</t></is></c>"
               "<c r=\"C2\"><f>1</f><v>1</v></c></row></sheetData>"),
         3, 2, true},
        {"rows without cells", sheet("<sheetData><row r=\"3\"/></sheetData>"), 0, 0, true},
        {"an empty sheetData", sheet("<sheetData/>"), 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        SheetExtent extent;
        std::string error;
        ASSERT_EQ(measureSheet(c.part.data(), static_cast<std::int32_t>(c.part.size()), &extent, &error),
                  SheetMeasureResult::kWorksheet)
            << error;
        EXPECT_EQ(extent.lastColumn, c.lastColumn);
        EXPECT_EQ(extent.lastRow, c.lastRow);
        EXPECT_EQ(extent.hasRows, c.hasRows);
    }
}

TEST(SheetMeasure, AChartSheetIsNoWorksheetAndABrokenPartSaysWhereItBroke) {
    SheetExtent extent;
    std::string error;
    const std::string chart = "<chartsheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>";
    EXPECT_EQ(measureSheet(chart.data(), static_cast<std::int32_t>(chart.size()), &extent, &error),
              SheetMeasureResult::kNotAWorksheet);
    const std::string broken = sheet("<sheetData>\n<row r=\"1\"><c r=\"A1\"><v>1</c></row>");
    EXPECT_EQ(measureSheet(broken.data(), static_cast<std::int32_t>(broken.size()), &extent, &error),
              SheetMeasureResult::kMalformed);
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
}

}  // namespace
