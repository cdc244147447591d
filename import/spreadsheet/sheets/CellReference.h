#pragma once
// Cell references in the "A1" form: column letters in bijective base 26 (A = 1, Z = 26, AA = 27,
// XFD = 16384) followed by the row number. Columns and rows count from 1; 0 means "none".
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::int32_t kMaxSheetColumn = 16384;    // XFD
constexpr std::int32_t kMaxSheetRow = 1048576;

struct CellPosition {
    std::int32_t column = 0;
    std::int32_t row = 0;
};

// Reads letters, then digits, stopping at the first other character. True when the text ended right
// after the digits. A column or row beyond the sheet's limits (or a form such as "$A$1") gives 0 for
// that part, never a wrapped number.
bool parseCellRef(const char* text, CellPosition* position);
// The same for a text that need not end in a NUL: it must end right after the digits.
bool parseCellRef(std::string_view text, CellPosition* position);
// "B2:C3", or a single reference standing for both corners.
void parseCellRange(const char* text, CellPosition* first, CellPosition* last);
// Letters then the row; a column of 0 or less gives no letters.
std::string formatCellRef(std::int32_t column, std::int32_t row);
