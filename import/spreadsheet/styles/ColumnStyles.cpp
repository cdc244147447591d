#include "import/spreadsheet/styles/ColumnStyles.h"

void ColumnStyles::add(bool hasMin, std::int32_t min, bool hasMax, std::int32_t max, bool hasStyle, std::int32_t style) {
    if (hasMin && hasMax && hasStyle && min <= max) ranges.push_back({min, max, style});
}

std::int32_t ColumnStyles::styleOf(std::int32_t column) const {
    for (const Range& range : ranges)
        if (range.min <= column && column <= range.max) return range.style;
    return -1;
}
