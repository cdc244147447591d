#include "import/spreadsheet/sheets/CellCursor.h"

void CellCursor::enterRow(std::int32_t number) {
    if (number > 0 && number <= kMaxSheetRow) row = number;
    else if (row < kMaxSheetRow) ++row;
    nextColumn = 1;
}

CellPosition CellCursor::place(const char* reference) {
    CellPosition position;
    if (reference != nullptr) parseCellRef(reference, &position);
    return settle(position);
}

CellPosition CellCursor::place(std::string_view reference) {
    CellPosition position;
    parseCellRef(reference, &position);
    return settle(position);
}

// A position without a usable column or row takes the next column of the current row.
CellPosition CellCursor::settle(CellPosition position) {
    if (position.column <= 0 || position.row <= 0) {
        position.row = row > 0 ? row : 1;
        position.column = nextColumn <= kMaxSheetColumn ? nextColumn : kMaxSheetColumn;
    }
    row = position.row;
    nextColumn = position.column + 1;
    return position;
}
