#include "import/wordml/tables/TTable.h"

#include "package/xml/XmlElementSearch.h"

namespace {

constexpr std::int32_t kFirstRow = 0x1;
constexpr std::int32_t kLastRow = 0x2;
constexpr std::int32_t kFirstCell = 0x4;
constexpr std::int32_t kLastCell = 0x8;
constexpr std::int32_t kOddRowBand = 0x10;
constexpr std::int32_t kEvenRowBand = 0x20;
constexpr std::int32_t kOddCellBand = 0x40;
constexpr std::int32_t kEvenCellBand = 0x80;
constexpr std::int32_t kFirstRowLastCell = 0x100;
constexpr std::int32_t kFirstRowFirstCell = 0x200;
constexpr std::int32_t kLastRowLastCell = 0x400;
constexpr std::int32_t kLastRowFirstCell = 0x800;

// A band size below 1 would divide by zero or flip the bands: it counts as 1.
std::int16_t usableBandSize(std::int16_t size) {
    return size < 1 ? 1 : size;
}

}  // namespace

TRow::TRow(xmlNode* row) {
    for (xmlNode* child = row != nullptr ? row->children : nullptr; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "tc")) cells.push_back(child);
    }
}

std::int16_t TRow::indexOfCell(const xmlNode* cell) const {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] == cell) return static_cast<std::int16_t>(i);
    }
    return -1;
}

void TTable::setTable(xmlNode* element, const std::int16_t* rowBand, const std::int16_t* colBand) {
    if (element == table) return;
    table = element;
    rows.clear();
    for (xmlNode* child = element != nullptr ? element->children : nullptr; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "tr")) rows.emplace_back(child);
    }
    if (rowBand != nullptr) rowBandSize = usableBandSize(*rowBand);
    if (colBand != nullptr) colBandSize = usableBandSize(*colBand);
}

// Bands are counted as the row (cell) number divided by the band size, so with a size of 2 rows 1, 2
// and 3 are even, odd and odd.
std::int32_t TTable::getCellPosition(const xmlNode* cell) const {
    const std::int32_t lastRow = static_cast<std::int32_t>(rows.size()) - 1;
    for (std::int32_t r = 0; r <= lastRow; ++r) {
        const std::int32_t c = rows[static_cast<std::size_t>(r)].indexOfCell(cell);
        if (c < 0) continue;
        const std::int32_t lastCell = rows[static_cast<std::size_t>(r)].getCellCount() - 1;
        std::int32_t flags = 0;
        if (r == 0) {
            flags |= kFirstRow;
            if (c == 0) flags |= kFirstRowFirstCell;
            if (c == lastCell) flags |= kFirstRowLastCell;
        }
        if (r == lastRow) {
            flags |= kLastRow;
            if (c == 0) flags |= kLastRowFirstCell;
            if (c == lastCell) flags |= kLastRowLastCell;
        }
        if (c == 0) flags |= kFirstCell;
        if (c == lastCell) flags |= kLastCell;
        flags |= ((r + 1) / usableBandSize(rowBandSize)) % 2 == 1 ? kOddRowBand : kEvenRowBand;
        flags |= ((c + 1) / usableBandSize(colBandSize)) % 2 == 1 ? kOddCellBand : kEvenCellBand;
        return flags;
    }
    return 0;
}
