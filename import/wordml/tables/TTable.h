#pragma once
// The table whose row is being delivered, for the position of each cell: first or last row, first or
// last cell, and the horizontal and vertical band a cell lies in. It is rebuilt only when a row of
// another table comes (also between an outer and a nested table).
//
// Cell position flags:
//   0x1 first row     0x2 last row      0x4 first cell     0x8 last cell
//   0x10 / 0x20 odd / even row band     0x40 / 0x80 odd / even cell band
//   0x100 first row, last cell   0x200 first row, first cell   0x400 last row, last cell   0x800 last row, first cell
#include <libxml/tree.h>

#include <cstdint>
#include <vector>

#include "foundation/CBase.h"

// One row of the table: its direct w:tc children.
class TRow : public CBase {
public:
    explicit TRow(xmlNode* row);

    std::int16_t getCellCount() const { return static_cast<std::int16_t>(cells.size()); }
    // The cell's place among the row's direct cells, from 0; -1 when it is not one of them.
    std::int16_t indexOfCell(const xmlNode* cell) const;

private:
    std::vector<const xmlNode*> cells;
};

class TTable : public CBase {
public:
    // Makes the element the current table. Band sizes come with a table style; without one the sizes of
    // the previous table stay. A size below 1 counts as 1.
    void setTable(xmlNode* table, const std::int16_t* rowBandSize, const std::int16_t* colBandSize);
    // The position flags of a direct cell of a direct row; 0 for any other cell.
    std::int32_t getCellPosition(const xmlNode* cell) const;

    const xmlNode* currentTable() const { return table; }

private:
    xmlNode* table = nullptr;
    std::vector<TRow> rows;
    std::int16_t rowBandSize = 1;
    std::int16_t colBandSize = 1;
};
