#pragma once
// The formats the "col" elements of a worksheet give whole columns, as both passes over its cells read
// them. Only the ranges read before the part's first cell count: a stream cannot give a later one to
// the cells it has already handed out, and how far the reader had looked ahead must not decide a cell's
// format (the schema puts "cols" before "sheetData" anyway).
#include <cstdint>
#include <vector>

class ColumnStyles {
public:
    // A range without both bounds and its style, or with its bounds reversed, names no column.
    void add(bool hasMin, std::int32_t min, bool hasMax, std::int32_t max, bool hasStyle, std::int32_t style);
    // The style of the first range covering the column; -1 when none does.
    std::int32_t styleOf(std::int32_t column) const;

private:
    struct Range {
        std::int32_t min;
        std::int32_t max;
        std::int32_t style;
    };
    std::vector<Range> ranges;
};
