#include "import/spreadsheet/sheets/CellReference.h"

#include <cstring>

namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool parseCellRef(const char* text, CellPosition* position) {
    *position = CellPosition{};
    if (text == nullptr) return false;
    // Accumulated in 64 bits and held at one past the limit, so a long run of letters or digits can
    // neither wrap nor pass for a valid position.
    std::int64_t column = 0;
    std::int64_t row = 0;
    const char* at = text;
    for (; isAsciiLetter(*at); ++at) {
        if (column <= kMaxSheetColumn) column = column * 26 + ((*at & 0x1F));
    }
    for (; isDigit(*at); ++at) {
        if (row <= kMaxSheetRow) row = row * 10 + (*at - '0');
    }
    position->column = column <= kMaxSheetColumn ? static_cast<std::int32_t>(column) : 0;
    position->row = row <= kMaxSheetRow ? static_cast<std::int32_t>(row) : 0;
    return *at == '\0' && at != text;
}

void parseCellRange(const char* text, CellPosition* first, CellPosition* last) {
    parseCellRef(text, first);
    *last = *first;
    if (text == nullptr) return;
    if (const char* colon = std::strchr(text, ':')) parseCellRef(colon + 1, last);
}

std::string formatCellRef(std::int32_t column, std::int32_t row) {
    std::string letters;
    for (std::int64_t rest = column; rest > 0; rest = (rest - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
    return letters + std::to_string(row);
}
