#pragma once
// The rows and cells of an AppleWorks 6 table zone. The zone keeps its cells as free rectangles and its
// rules as free line segments; a table story needs rows of cells, left to right, with borders. Rows are
// keyed by the cells' bottom edges (one row per distinct bottom), a row's top is the bottom of the row
// above, a cell that runs over several rows is cut into one piece per row, and each rule gives its style
// to the cell edges it runs along.
#include <cstdint>
#include <vector>

#include "import/appleworks/file/BlockTable.h"

namespace appleworks {

namespace tablezone {
constexpr std::int32_t kLines = 30;  // list block of 18-byte line entries
constexpr std::int32_t kCells = 38;  // list block of 32-byte cell entries
constexpr std::int32_t kLineEntrySize = 18;
constexpr std::int32_t kCellEntrySize = 32;
constexpr std::int32_t kEntriesStart = 12;
}  // namespace tablezone

// Piece flags.
constexpr std::int16_t kCellFlagged = 1;      // the cell entry's flag byte is set
constexpr std::int16_t kCellSpansRows = 2;    // the piece belongs to a cell over several rows
constexpr std::int16_t kCellFirstPiece = 4;   // ... and is its topmost piece

struct AppleWorksTableCell {
    std::int16_t left = 0;
    std::int16_t right = 0;
    std::int32_t content = 0;  // the zone of the cell's text; 0 on the pieces after the first
    std::int16_t value = 0;
    std::int16_t flags = 0;
    std::int16_t topBorder = 0;
    std::int16_t bottomBorder = 0;
    std::int16_t leftBorder = 0;
    std::int16_t rightBorder = 0;
};

struct AppleWorksTableRow {
    std::int16_t top = -1;
    std::int16_t bottom = 0;
    std::vector<AppleWorksTableCell> cells;  // ascending right edge
};

class AppleWorksTable {
public:
    // Builds the rows from the table zone's data; a zone without cell or line lists gives fewer rows or
    // none. Entries the lists claim but do not hold are not read.
    AppleWorksTable(const BlockView& cells, const BlockView& lines);

    const std::vector<AppleWorksTableRow>& rows() const { return rows_; }

private:
    void collectRows(const BlockView& cells);
    void placeCells(const BlockView& cells);
    void applyLines(const BlockView& lines);
    void applyHorizontalLine(std::int16_t x1, std::int16_t x2, std::int16_t y, std::int16_t style);
    void applyVerticalLine(std::int16_t x, std::int16_t y1, std::int16_t y2, std::int16_t style);

    std::vector<AppleWorksTableRow> rows_;  // ascending bottom
};

// A fixed-point table coordinate (8 fraction bits) as a whole number, rounded toward zero.
std::int16_t wholeTableUnits(std::int32_t fixed);

}  // namespace appleworks
