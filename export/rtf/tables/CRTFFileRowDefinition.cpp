// The definition of a table row, written in full: the row's placement, size, spacing and margins, then
// each cell's merging, borders, shading, text flow, margins, width and right edge. A cell border left to
// the table (style -1) takes the table's outer border on the table's edge and its inside border
// elsewhere.
//
// The table's left edge ("\trleft") and its cells' right edges ("\cellx") are measured from one origin:
// the edge of the table, a left cell margin to the left of its indent, so the first cell's text stands
// at the indent. Every cell states its four margins: readers take a cell's padding from its own words
// only, and a table whose style sets no margins has the usual ones.
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "export/rtf/tables/RTFTableWords.h"
#include "model/records/ValueRecords.h"
#include "model/records/cell/XRow.h"

namespace {

constexpr std::int16_t kTwips = 3;
constexpr std::int16_t kInheritedBorder = -1;

const char* pick(std::int32_t value, std::initializer_list<std::pair<std::int32_t, const char*>> words) {
    for (const auto& [key, word] : words) {
        if (key == value) return word;
    }
    return "";
}

void writeRowSpacing(CRTFFile& emitter, const XRows& rows) {
    const WidthSpec& spacing = rows.tblCellSpacing;
    if (spacing.w != 0 && spacing.type == kTwips) {
        emitter.writeFormat("\\trspdl%d\\trspdt%d\\trspdb%d\\trspdr%d", spacing.w, spacing.w, spacing.w, spacing.w);
        emitter.writeFormat("\\trspdfl3\\trspdft3\\trspdfb3\\trspdfr3");
    }
    // The gap is half the cell's left and right margins.
    const long long gap = rtfRowGap(rows.tblCellMar);
    if (gap != 0) emitter.writeFormat("\\trgaph%lld", gap);
    emitter.writeFormat("\\trleft%lld", rtfTableEdge(rows));
    // The row's left and right margins are 0 and every cell states its own: readers that take the row's
    // left margin as the distance from the table's edge to its text would move the table by it.
    emitter.writeFormat("\\trpaddl0\\trpaddfl3\\trpaddr0\\trpaddfr3");
    const std::pair<const WidthSpec&, char> margins[] = {{rows.tblCellMar.top, 't'}, {rows.tblCellMar.bottom, 'b'}};
    for (const auto& [margin, side] : margins) {
        if (margin.w > 0 && margin.type == kTwips) {
            emitter.writeFormat("\\trpadd%c%d\\trpaddf%c%d", side, margin.w, side, margin.type);
        }
    }
}

void writeRowProperties(CRTFFile& emitter, const XRows& rows) {
    writeRTFTablePlacement(emitter, rows.tblpPr, rows.tblOverlap);
    if (rows.tblHeader == 1) emitter.writeFormat("\\trhdr");
    // Style numbers count from 1; -1 and 0 name no style.
    if (rows.styleTag > 0) emitter.writeFormat("\\ts%lld", static_cast<long long>(rows.styleTag) - 1);
    if (rows.tblLayout == 1) emitter.writeFormat("\\trautofit1");
    if (rows.cantSplit == 1) emitter.writeFormat("\\trkeep");
    emitter.writeFormat("\\trftsWidth%d\\trwWidth%d", rows.tblW.type, rows.tblW.w);
    emitter.writeFormat("%s", rows.bidiVisual == 1 ? "\\rtlrow" : "\\ltrrow");
    emitter.writeFormat("%s", rtfRowAlignmentWord(rows.jc));
    emitter.writeFormat("\\tblindtype%d\\tblind%d", rows.tblInd.type, rows.tblInd.w);
    emitter.writeFormat("\\trrh%lld", rtfRowHeight(rows.trHeight));
    writeRowSpacing(emitter, rows);
}

// Where a cell stands in its table, for the borders it takes from the table.
struct CellPlace {
    bool firstRow;
    bool lastRow;
    bool firstCell;
    bool lastCell;
};

void writeCellBorders(CRTFFile& emitter, const XTblBorders& own, const XTblBorders& table, const CellPlace& place) {
    const struct {
        const char* word;
        const BorderSpec& border;
        const BorderSpec& inherited;
    } sides[] = {
        {"\\clbrdrt", own.top, place.firstRow ? table.top : table.insideH},
        {"\\clbrdrl", own.left, place.firstCell ? table.left : table.insideV},
        {"\\clbrdrb", own.bottom, place.lastRow ? table.bottom : table.insideH},
        {"\\clbrdrr", own.right, place.lastCell ? table.right : table.insideV},
        // The diagonals sit in the inside places of a cell's borders and are never inherited.
        {"\\cldglu", own.insideH, own.insideH},
        {"\\cldgll", own.insideV, own.insideV},
    };
    for (const auto& side : sides) {
        const BorderSpec& chosen = side.border.borderType == kInheritedBorder ? side.inherited : side.border;
        if (chosen.borderType == 0) continue;
        emitter.writeFormat("%s", side.word);
        emitter.writeBorder(chosen);
    }
}

void writeCellMargins(CRTFFile& emitter, const XTblMargins& own, const XTblMargins& table) {
    // Readers take the "l" words for the top margin and the "t" words for the left one.
    const std::pair<std::int32_t, char> sides[] = {
        {rtfCellMargin(own.top, table.top, 0), 'l'},
        {rtfCellMargin(own.bottom, table.bottom, 0), 'b'},
        {rtfCellMargin(own.left, table.left, kUsualCellSideMargin), 't'},
        {rtfCellMargin(own.right, table.right, kUsualCellSideMargin), 'r'},
    };
    for (const auto& [margin, side] : sides) {
        if (margin != 0) emitter.writeFormat("\\clpad%c%d\\clpadf%c%d", side, margin, side, kTwips);
    }
}

// The cell's preferred width; a cell without one in twips takes the width of the grid columns it spans.
WidthSpec cellWidth(const XRow& cell, std::int32_t left, std::int32_t right) {
    if (cell.tcW.type == kTwips && cell.tcW.w > 0) return cell.tcW;
    return WidthSpec{kTwips, std::max(right - left, 0)};
}

void writeCellLayout(CRTFFile& emitter, const XRow& cell) {
    emitter.writeFormat("%s%s", rtfHorizontalMergeWord(cell.hmerge), rtfVerticalMergeWord(cell.vmerge));
}

void writeCellText(CRTFFile& emitter, const XRow& cell) {
    emitter.writeFormat("%s%s", rtfCellTextFlowWord(cell.textFlow), rtfCellVerticalAlignmentWord(cell.vAlign));
    if (cell.noWrap == 1) emitter.writeFormat("\\clNoWrap");
    if (cell.tcFitText == 1) emitter.writeFormat("\\clFitText");
}

// The right edge of the grid column at the index, read within the grid: a cell that spans past the
// grid's last column ends at that column's edge.
std::int32_t columnEdge(const XTblGrid& grid, std::int32_t column) {
    const std::int32_t columns =
        grid.numOfColumns > 0 && grid.numOfColumns <= kMaxGridColumns ? grid.numOfColumns : kMaxGridColumns;
    return grid.columnRightPos[std::clamp(column, 0, columns - 1)];
}

}  // namespace


void CRTFFile::writeRowDefinition(const XRows& rows, std::int16_t advance) {
    const std::int16_t depth = placer->tableDepth();
    const std::int32_t rowIndex = placer->tableRowIndex();
    // The table's own row count decides its last row, whatever story the table sits in.
    const std::int32_t rowCount = placer->tableRowCount();
    if (depth > 1) writeFormat("{\\*\\nesttableprops");
    writeFormat("\\trowd\\itap%d\\irow%d", depth, rowIndex);
    if (rowCount == rowIndex + 1) writeFormat("\\lastrow");
    writeRowProperties(*this, rows);

    const long long origin = rtfTableEdge(rows);
    const int cellCount = std::clamp<int>(rows.rows, 0, kMaxRowCells);
    std::int32_t spanned = 0;
    std::int32_t cellLeft = 0;
    for (int i = 0; i < cellCount; ++i) {
        const XRow& cell = rows.cells[i];
        const CellPlace place{rowIndex == 0, rowIndex == rowCount - 1, i == 0, i == cellCount - 1};
        writeCellLayout(*this, cell);
        writeCellBorders(*this, cell.tcBorders, rows.tblBorders, place);
        writeCellShading(cell.shd);
        writeCellText(*this, cell);
        writeCellMargins(*this, cell.tcMar, rows.tblCellMar);
        if (cell.gridSpan > 1) spanned += cell.gridSpan - 1;
        const std::int32_t cellRight = columnEdge(rows.grid, i + spanned);
        const WidthSpec width = cellWidth(cell, cellLeft, cellRight);
        writeFormat("\\clftsWidth%d\\clwWidth%d", width.type, width.w);
        writeFormat("\\cellx%lld", origin + cellRight);
        cellLeft = cellRight;
    }
    writeFormat(" ");
    if (advance == 1) placer->nextTableRow();
}

void CRTFFile::writeCellShading(const ShadingSpec& shading) {
    const std::int16_t fill = colorIndex(shading.patternFill);
    if (fill != -1 && fill != colorIndex(kWhite)) writeFormat("\\clcbpat%s", numberText(fill));
    if (shading.patternType == 0) return;
    const std::int16_t tint = colorIndex(shading.patternTint);
    if (tint != -1) writeFormat("\\clcfpat%s", numberText(tint));
    const char* word = pick(shading.patternType,
                            {{2, "clbgdkhor"}, {3, "clbgdkvert"}, {4, "clbgdkfdiag"}, {5, "clbgdkbdiag"},
                             {6, "clbgdkcross"}, {7, "clbgdkdcross"}, {8, "clbghoriz"}, {9, "clbgvert"},
                             {10, "clbgfdiag"}, {11, "clbgbdiag"}, {12, "clbgcross"}, {13, "clbgdcross"}});
    if (word[0] != 0) {
        writeFormat("\\%s", word);
    } else {
        writeFormat("\\clshdng%d", shading.patternType > 20 ? (shading.patternType - 20) * 10 : 0);
    }
}
