// Cell references: letters in bijective base 26 and the row, read and written back, held within the
// sheet's limits instead of wrapping.
#include <gtest/gtest.h>

#include "import/spreadsheet/sheets/CellReference.h"

namespace {

TEST(CellReference, ReadsAndWritesEveryColumnWidthUpToTheLastCell) {
    const struct {
        const char* text;
        std::int32_t column;
        std::int32_t row;
    } cases[] = {
        {"A1", 1, 1},   {"Z1", 26, 1},    {"AA1", 27, 1},   {"AZ1", 52, 1},
        {"BA1", 53, 1}, {"ZZ9", 702, 9},  {"AAA10", 703, 10}, {"XFD1048576", kMaxSheetColumn, kMaxSheetRow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CellPosition position;
        EXPECT_TRUE(parseCellRef(c.text, &position));
        EXPECT_EQ(position.column, c.column);
        EXPECT_EQ(position.row, c.row);
        EXPECT_EQ(formatCellRef(c.column, c.row), c.text);
    }
}

TEST(CellReference, OutOfRangeOrOddTextGivesNoPlaceRatherThanAWrappedOne) {
    // A whole text is read both as a C string and in place; a cut one only in place, where a reference
    // ends with its view whatever bytes follow it in the part.
    constexpr std::size_t kWhole = std::string_view::npos;
    const struct {
        const char* text;
        std::size_t length;
        std::int32_t column;
        std::int32_t row;
        bool complete;
    } cases[] = {
        {"b2", kWhole, 2, 2, true},
        {"XFE1", kWhole, 0, 1, true},
        {"A1048577", kWhole, 1, 0, true},
        {"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA1", kWhole, 0, 1, true},
        {"A99999999999999999999999", kWhole, 1, 0, true},
        {"$A$1", kWhole, 0, 0, false},
        {"A1:B2", kWhole, 1, 1, false},
        {"", kWhole, 0, 0, false},
        {"B2\" t=", 2, 2, 2, true},
        {"C34", 2, 3, 3, true},
        {"A1B2", 2, 1, 1, true},
        {"A1", 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        const std::string_view text = c.length == kWhole ? std::string_view(c.text) : std::string_view(c.text, c.length);
        SCOPED_TRACE(text);
        CellPosition inPlace;
        EXPECT_EQ(parseCellRef(text, &inPlace), c.complete);
        EXPECT_EQ(inPlace.column, c.column);
        EXPECT_EQ(inPlace.row, c.row);
        if (c.length != kWhole) continue;
        CellPosition position;
        EXPECT_EQ(parseCellRef(c.text, &position), c.complete);
        EXPECT_EQ(position.column, c.column);
        EXPECT_EQ(position.row, c.row);
    }
    CellPosition first;
    CellPosition last;
    parseCellRange("B2:C3", &first, &last);
    EXPECT_EQ(first.column, 2);
    EXPECT_EQ(last.row, 3);
    parseCellRange("D4", &first, &last);
    EXPECT_EQ(last.column, 4);
}

}  // namespace
