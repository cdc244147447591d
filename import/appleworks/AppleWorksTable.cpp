#include "import/appleworks/AppleWorksTable.h"

#include <algorithm>

namespace appleworks {

namespace {

std::int32_t entryCount(const BlockView& list, std::int32_t entrySize) {
    if (list.empty()) return 0;
    return list.entriesThatFit(list.u16(0), tablezone::kEntriesStart, entrySize);
}

std::int32_t cellOffset(std::int32_t index) {
    return tablezone::kEntriesStart + index * tablezone::kCellEntrySize;
}

}  // namespace

std::int16_t wholeTableUnits(std::int32_t fixed) {
    return static_cast<std::int16_t>(fixed / 256);
}

AppleWorksTable::AppleWorksTable(const BlockView& cells, const BlockView& lines) {
    collectRows(cells);
    placeCells(cells);
    applyLines(lines);
}

void AppleWorksTable::collectRows(const BlockView& cells) {
    const std::int32_t count = entryCount(cells, tablezone::kCellEntrySize);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int16_t bottom = wholeTableUnits(cells.i32(cellOffset(i) + 8));
        const bool known = std::any_of(rows_.begin(), rows_.end(),
                                       [bottom](const AppleWorksTableRow& row) { return row.bottom == bottom; });
        if (!known) {
            AppleWorksTableRow row;
            row.bottom = bottom;
            rows_.insert(std::upper_bound(rows_.begin(), rows_.end(), bottom,
                                          [](std::int16_t b, const AppleWorksTableRow& r) { return b < r.bottom; }),
                         row);
        }
    }
    // A row starts where the row above ends, whatever its cells' own tops say.
    std::int16_t top = 0;
    for (AppleWorksTableRow& row : rows_) {
        row.top = top;
        top = row.bottom;
    }
}

void AppleWorksTable::placeCells(const BlockView& cells) {
    const std::int32_t count = entryCount(cells, tablezone::kCellEntrySize);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t at = cellOffset(i);
        AppleWorksTableCell piece;
        piece.left = wholeTableUnits(cells.i32(at + 4));
        piece.right = wholeTableUnits(cells.i32(at + 12));
        piece.content = cells.i32(at + 24);
        piece.value = cells.i16(at + 30);
        const std::int16_t flagged = cells.u8(at + 28) != 0 ? kCellFlagged : 0;
        const std::int16_t top = wholeTableUnits(cells.i32(at));
        const std::int16_t bottom = wholeTableUnits(cells.i32(at + 8));
        bool spanning = false;
        bool first = true;
        for (AppleWorksTableRow& row : rows_) {
            if (top >= row.bottom) continue;
            AppleWorksTableCell rowPiece = piece;
            const bool goesOn = bottom > row.bottom;
            if (goesOn) spanning = true;
            rowPiece.flags = static_cast<std::int16_t>(flagged | (spanning ? kCellSpansRows : 0) |
                                                       (goesOn && first ? kCellFirstPiece : 0));
            row.cells.insert(std::upper_bound(row.cells.begin(), row.cells.end(), rowPiece.right,
                                              [](std::int16_t r, const AppleWorksTableCell& c) { return r < c.right; }),
                             rowPiece);
            if (!goesOn) break;
            first = false;
            piece.content = 0;
        }
    }
}

void AppleWorksTable::applyLines(const BlockView& lines) {
    const std::int32_t count = entryCount(lines, tablezone::kLineEntrySize);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t at = tablezone::kEntriesStart + i * tablezone::kLineEntrySize;
        const std::int32_t y1 = lines.i32(at);
        const std::int32_t x1 = lines.i32(at + 4);
        const std::int32_t y2 = lines.i32(at + 8);
        const std::int32_t x2 = lines.i32(at + 12);
        const std::int16_t style = lines.i16(at + 16);
        if (y1 == y2) {
            const std::int16_t a = wholeTableUnits(x1);
            const std::int16_t b = wholeTableUnits(x2);
            applyHorizontalLine(std::min(a, b), std::max(a, b), wholeTableUnits(y1), style);
        } else if (x1 == x2) {
            const std::int16_t a = wholeTableUnits(y1);
            const std::int16_t b = wholeTableUnits(y2);
            applyVerticalLine(wholeTableUnits(x1), std::min(a, b), std::max(a, b), style);
        }
        // A slanted rule runs along no cell edge.
    }
}

// A rule on a row boundary borders the cells above it that it spans; only when there are none does it go
// on to the row below, whose cells then get a top border.
void AppleWorksTable::applyHorizontalLine(std::int16_t x1, std::int16_t x2, std::int16_t y, std::int16_t style) {
    bool matched = false;
    bool onTop = false;
    for (AppleWorksTableRow& row : rows_) {
        if (y == row.top) {
            matched = true;
            onTop = true;
        } else if (y == row.bottom) {
            matched = true;
            onTop = false;
        } else if (y < row.top) {
            return;
        }
        if (!matched) continue;
        bool found = false;
        for (AppleWorksTableCell& cell : row.cells) {
            if (cell.left >= x1 && cell.right <= x2) {
                (onTop ? cell.topBorder : cell.bottomBorder) = style;
                found = true;
            }
            if (cell.left >= x2) break;
        }
        if (found) return;
    }
}

// Between two neighbouring cells only the left one gets the border (its right edge).
void AppleWorksTable::applyVerticalLine(std::int16_t x, std::int16_t y1, std::int16_t y2, std::int16_t style) {
    for (AppleWorksTableRow& row : rows_) {
        if (row.top >= y1 && row.bottom <= y2) {
            for (AppleWorksTableCell& cell : row.cells) {
                if (x == cell.left) {
                    cell.leftBorder = style;
                    break;
                }
                if (x == cell.right) {
                    cell.rightBorder = style;
                    break;
                }
                if (x < cell.left) break;
            }
        }
        if (row.top >= y2) return;
    }
}

}  // namespace appleworks
