#pragma once
// Where the cells of a worksheet stand as its part is read: a row's "r" gives its number (a row without
// one follows the row before), a cell's "r" its position, and a cell without a usable "r" takes the
// next column of its row. Both passes over a sheet place cells with it, so they agree.
#include <cstdint>
#include <string_view>

#include "import/spreadsheet/sheets/CellReference.h"

class CellCursor {
public:
    // number: the row's "r", or 0 when it has none or an unusable one.
    void enterRow(std::int32_t number);
    // reference: the cell's "r", or null.
    CellPosition place(const char* reference);
    // reference: the cell's "r" as it stands in the part.
    CellPosition place(std::string_view reference);

private:
    CellPosition settle(CellPosition position);

    std::int32_t row = 0;
    std::int32_t nextColumn = 1;
};
