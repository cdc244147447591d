#include "import/wordml/tables/TTableRowsArray.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "import/wordml/text/TParagraph.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr int kMaxGridWidths = 64;
constexpr BorderSpec kBorderNotGiven{0, -1, kBlack, 0};

void resetCell(XRow& cell) {
    cell = kDefaultCell;
    cell.tcBorders = {kBorderNotGiven, kBorderNotGiven, kBorderNotGiven,
                      kBorderNotGiven, kBorderNotGiven, kBorderNotGiven};
    cell.shd = kDefaultShading;
}

// The cell element of a row child: the w:tc itself, or the first w:tc inside a w:customXml or w:sdt.
xmlNode* cellOf(xmlNode* child) {
    if (xmlIsElement(child, "w", "tc")) return child;
    return xmlFindElement(child->children, "w", "tc", 1);
}

}  // namespace

TTableRowsArray::TTableRowsArray(TableRowReaders rowReaders) : readers(std::move(rowReaders)) {
    reset();
}

void TTableRowsArray::reset() {
    // Every row of every table starts from this; made once, copied whole.
    static const XRows start = [] {
        XRows rows;
        std::memset(&rows, 0, sizeof rows);
        rows.tblStyleRowBandSize = 1;
        rows.tblStyleColBandSize = 1;
        rows.shd = kDefaultShading;
        resetCell(rows.defRow);
        for (XRow& cell : rows.cells) resetCell(cell);
        return rows;
    }();
    if (definitionEmpty) return;
    rowDefinition = start;
    cells.clear();
    definitionEmpty = true;
}

void TTableRowsArray::readRow(XRule* rule, XForm* form, xmlNode* row, const xmlNode* textCell) {
    reset();
    if (row == nullptr) return;
    xmlNode* tableElement = xmlNextElement(row, "w", "tbl");
    if (tableElement == nullptr) return;
    definitionEmpty = false;
    readGrid(tableElement);
    // A table without properties still lists its cells, so its rows end.
    std::string styleId;
    if (xmlNode* properties = xmlFindElement(tableElement->children, "w", "tblPr", 0))
        styleId = readers.readTable(properties, rule, form, &rowDefinition);
    const XRows* style = styleId.empty() ? nullptr : readers.styleRows(styleId);
    table.setTable(tableElement, style != nullptr ? &style->tblStyleRowBandSize : nullptr,
                   style != nullptr ? &style->tblStyleColBandSize : nullptr);
    std::int32_t rowMask = 0;
    for (xmlNode* child = row->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "tblPrEx")) {
            readers.readTable(child, rule, form, &rowDefinition);
        } else if (xmlIsElement(child, "w", "trPr")) {
            rowMask = readers.readRow(child, &rowDefinition);
        } else if (xmlIsElement(child, "w", "tc") || xmlIsElement(child, "w", "customXml") ||
                   xmlIsElement(child, "w", "sdt")) {
            readCell(child, styleId, rowMask, textCell, form);
        }
    }
}

// Right edges of the first 64 grid columns; a column without a width takes no slot.
void TTableRowsArray::readGrid(xmlNode* tableElement) {
    xmlNode* grid = xmlFindElement(tableElement->children, "w", "tblGrid", 0);
    if (grid == nullptr) return;
    std::int32_t edge = 0;
    std::int16_t count = 0;
    for (xmlNode* column = grid->children; column != nullptr && count < kMaxGridWidths; column = column->next) {
        if (!xmlIsElement(column, "w", "gridCol")) continue;
        std::int16_t present = 0;
        const std::int32_t width = xmlGetAttrInt(column, nullptr, "w", &present);
        if (present == 0) continue;
        edge = std::clamp<std::int64_t>(static_cast<std::int64_t>(edge) + width, std::numeric_limits<std::int16_t>::min(),
                                        std::numeric_limits<std::int16_t>::max());
        rowDefinition.grid.columnRightPos[count++] = static_cast<std::int16_t>(edge);
    }
    rowDefinition.grid.numOfColumns = count;
}

// Every cell is listed; the first kMaxRowCells are described. A cell's properties are its own w:tcPr,
// never those of a table nested in it.
void TTableRowsArray::readCell(xmlNode* child, const std::string& styleId, std::int32_t rowMask,
                               const xmlNode* textCell, XForm* form) {
    xmlNode* cell = cellOf(child);
    if (cell == nullptr) return;
    const std::int32_t position = table.getCellPosition(child);
    cells.push_back(cell);
    if (cell == textCell && !styleId.empty() && readers.formatCellText) {
        readers.formatCellText(styleId, rowMask, position, xmlFindElement(cell->children, "w", "tcPr", 0),
                               rowDefinition.tblLook, form);
    }
    if (rowDefinition.rows >= kMaxRowCells) return;
    const std::int16_t index = rowDefinition.rows++;
    xmlNode* properties = xmlFindElement(cell->children, "w", "tcPr", 0);
    readers.readCell(styleId, rowMask, position, properties, &rowDefinition, index);
}

void TTableRowsArray::storeRowDefinition(XRule* rule) const {
    std::memcpy(&rule->rows, &rowDefinition, sizeof rowDefinition);
}

void TTableRowsArray::checkCellEnd(const xmlNode* cell, xmlNode* nextParagraph, bool* endsCell, bool* lastOfRow) const {
    *endsCell = false;
    *lastOfRow = false;
    if (cell == nullptr) return;
    *endsCell = nextParagraph == nullptr || enclosingCell(nextParagraph) != cell;
    if (*endsCell) *lastOfRow = !cells.empty() && cells.back() == cell;
}
