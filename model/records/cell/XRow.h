#pragma once
// Table rows: the cell record XRow and the row set XRows that a paragraph record carries when it ends a
// table row. A cell has no change bits and is always stored whole; the row set is stored whole under one
// change bit of its paragraph record. Their field tables are in XRowFields.cpp.
#include <cstdint>
#include <type_traits>

#include "model/records/ValueRecords.h"

constexpr int kMaxGridColumns = 65;
constexpr int kMaxRowCells = 65;

// Six borders, kept in this order (their keys list left and right first).
struct XTblBorders {
    BorderSpec top;
    BorderSpec left;
    BorderSpec bottom;
    BorderSpec right;
    BorderSpec insideH;
    BorderSpec insideV;
};

// Four cell margins, kept in this order (their keys list left and right first).
struct XTblMargins {
    WidthSpec top;
    WidthSpec left;
    WidthSpec bottom;
    WidthSpec right;
};

// One table cell.
struct XRow {
    std::int16_t attributes;
    WidthSpec tcW;  // preferred width
    std::int16_t gridSpan;
    std::int16_t hmerge;
    std::int16_t vmerge;
    XTblBorders tcBorders;
    ShadingSpec shd;
    std::int16_t noWrap;
    XTblMargins tcMar;
    std::int16_t textFlow;
    std::int16_t tcFitText;
    std::int16_t vAlign;
};

// The column grid: right edges of the columns in twips.
struct XTblGrid {
    std::int16_t numOfColumns;  // 0 to 65
    std::int16_t columnRightPos[kMaxGridColumns];
};

// Placement of a floating table.
struct XTblPlacement {
    std::int16_t floatingTable;
    std::int32_t leftFromText;
    std::int32_t rightFromText;
    std::int32_t topFromText;
    std::int32_t bottomFromText;
    std::int16_t vertAnchor;
    std::int16_t horzAnchor;
    std::int16_t tblpXSpec;
    std::int32_t tblpX;
    std::int16_t tblpYSpec;
    std::int32_t tblpY;
};

// The row set: the table properties and the cells of the row that a paragraph ends.
struct XRows {
    std::uint8_t changeBits[8];  // stored and read whole
    std::int32_t uniqueBits;
    std::int32_t styleTag;  // table style
    XTblGrid grid;
    XTblPlacement tblpPr;
    std::int16_t tblOverlap;
    std::int16_t tblRtl;
    std::int16_t bidiVisual;
    std::int16_t tblStyleRowBandSize;
    std::int16_t tblStyleColBandSize;
    WidthSpec tblW;
    std::int16_t jc;
    WidthSpec tblCellSpacing;
    WidthSpec tblInd;
    XTblBorders tblBorders;
    ShadingSpec shd;
    std::int16_t tblLayout;
    XTblMargins tblCellMar;
    std::int16_t tblLook;
    std::int16_t divId;
    std::int16_t gridBefore;
    std::int16_t gridAfter;
    WidthSpec wBefore;
    WidthSpec wAfter;
    std::int16_t cantSplit;
    HeightSpec trHeight;
    std::int16_t tblHeader;
    XRow defRow;        // the default cell
    std::int16_t rows;  // cells in use, 0 to 65
    XRow cells[kMaxRowCells];
};

static_assert(std::is_trivially_copyable_v<XTblBorders> && std::is_trivially_copyable_v<XTblMargins> &&
              std::is_trivially_copyable_v<XRow> && std::is_trivially_copyable_v<XTblGrid> &&
              std::is_trivially_copyable_v<XTblPlacement>);
static_assert(std::is_trivially_copyable_v<XRows>, "records travel between the engines as plain bytes");

// The default cell of a fresh row set: zero, with the default shading.
inline constexpr XRow kDefaultCell{0, {}, 0, 0, 0, {}, kDefaultShading, 0, {}, 0, 0, 0};

// The left and right margin of a cell whose table and table style set none, in twips.
constexpr std::int32_t kUsualCellSideMargin = 108;
// The left margin of the row's first cell in twips: its own, else its table's, else the usual one.
std::int32_t firstCellLeftMargin(const XRows& rows);

// Field by field, padding aside.
bool equalXRow(const XRow& a, const XRow& b);
bool equalXRows(const XRows& a, const XRows& b);
