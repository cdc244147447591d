#include "import/spreadsheet/sheets/CellReference.h"

#include <cstring>

bool parseCellRef(std::string_view text, CellPosition* position) {
    // Accumulated in 64 bits and held at one past the limit, so a long run of letters or digits can
    // neither wrap nor pass for a valid position.
    std::int64_t column = 0;
    std::int64_t row = 0;
    auto at = reinterpret_cast<const unsigned char*>(text.data());
    const auto end = at + text.size();
    for (; at != end; ++at) {
        // Folding the case maps exactly the ASCII letters onto 'a' to 'z'.
        const unsigned letter = static_cast<unsigned>(*at | 0x20) - 'a';
        if (letter >= 26) break;
        if (column <= kMaxSheetColumn) column = column * 26 + letter + 1;
    }
    for (; at != end; ++at) {
        const unsigned digit = static_cast<unsigned>(*at) - '0';
        if (digit >= 10) break;
        if (row <= kMaxSheetRow) row = row * 10 + digit;
    }
    position->column = column <= kMaxSheetColumn ? static_cast<std::int32_t>(column) : 0;
    position->row = row <= kMaxSheetRow ? static_cast<std::int32_t>(row) : 0;
    return at == end && !text.empty();
}

bool parseCellRef(const char* text, CellPosition* position) {
    if (text == nullptr) {
        *position = CellPosition{};
        return false;
    }
    return parseCellRef(std::string_view(text), position);
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
