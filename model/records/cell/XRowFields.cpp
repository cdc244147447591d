// The field tables of the table cell, the row set and their sub-records. The borders and margins tables
// serve the table ("TBLBORDERS", "TBLCELLMAR") and every cell ("TCBORDERS", "TCMAR") alike.
#include <cstddef>

#include "model/records/RecordTableBuilder.h"
#include "model/records/RecordTables.h"
#include "model/records/cell/XRow.h"

namespace {

// In the order of the keys, which list left and right first.
constexpr FieldSpec kXTblBordersFields[] = {
    VDK_ATTRIBUTE(XTblBorders, left, 'B', kAlways, &kDefaultBorder),
    VDK_ATTRIBUTE(XTblBorders, right, 'B', kAlways, &kDefaultBorder),
    VDK_ATTRIBUTE(XTblBorders, top, 'B', kAlways, &kDefaultBorder),
    VDK_ATTRIBUTE(XTblBorders, bottom, 'B', kAlways, &kDefaultBorder),
    VDK_ATTRIBUTE(XTblBorders, insideH, 'B', kAlways, &kDefaultBorder),
    VDK_ATTRIBUTE(XTblBorders, insideV, 'B', kAlways, &kDefaultBorder),
};

constexpr FieldSpec kXTblMarginsFields[] = {
    VDK_ATTRIBUTE(XTblMargins, left, 'W', kAlways, 0),
    VDK_ATTRIBUTE(XTblMargins, right, 'W', kAlways, 0),
    VDK_ATTRIBUTE(XTblMargins, top, 'W', kAlways, 0),
    VDK_ATTRIBUTE(XTblMargins, bottom, 'W', kAlways, 0),
};

constexpr FieldSpec kXRowFields[] = {
    VDK_ATTRIBUTE(XRow, attributes, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRow, tcW, 'W', kAlways, 0),
    VDK_ATTRIBUTE(XRow, gridSpan, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRow, hmerge, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRow, vmerge, 'd', kAlways, 0),
    VDK_CHILD(XRow, tcBorders, "TCBORDERS", kAlways, kXTblBordersTable, 0),
    VDK_ATTRIBUTE(XRow, shd, 'S', kAlways, 0),
    VDK_ATTRIBUTE(XRow, noWrap, 'd', kAlways, 0),
    VDK_CHILD(XRow, tcMar, "TCMAR", kAlways, kXTblMarginsTable, 0),
    VDK_ATTRIBUTE(XRow, textFlow, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRow, tcFitText, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRow, vAlign, 'd', kAlways, 0),
};

constexpr FieldSpec kXTblGridFields[] = {
    VDK_ATTRIBUTE(XTblGrid, numOfColumns, 'd', kAlways, 0),
    // Hand-written: one key per column in use, "XTblGrid_columnRightPos07" for column 7.
    VDK_HAND_WRITTEN(XTblGrid, columnRightPos, kAlways, nullptr, "XTblGrid_columnRightPos%02d", 'd', nullptr, 0),
};

constexpr FieldSpec kXTblPlacementFields[] = {
    VDK_ATTRIBUTE(XTblPlacement, floatingTable, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, leftFromText, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, rightFromText, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, topFromText, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, bottomFromText, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, vertAnchor, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, horzAnchor, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, tblpXSpec, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, tblpX, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, tblpYSpec, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XTblPlacement, tblpY, 'l', kAlways, 0),
};

constexpr FieldSpec kXRowsFields[] = {
    VDK_ATTRIBUTE(XRows, changeBits, 'v', kAlways, 0),
    VDK_ATTRIBUTE(XRows, uniqueBits, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XRows, styleTag, 'l', kAlways, 0),
    VDK_CHILD(XRows, grid, "TBLGRID", kAlways, kXTblGridTable, 0),
    VDK_CHILD(XRows, tblpPr, "TBLPPR", kAlways, kXTblPlacementTable, 0),
    VDK_ATTRIBUTE(XRows, tblOverlap, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, tblRtl, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, bidiVisual, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, tblStyleRowBandSize, 'd', kAlways, 1),
    VDK_ATTRIBUTE(XRows, tblStyleColBandSize, 'd', kAlways, 1),
    VDK_ATTRIBUTE(XRows, tblW, 'W', kAlways, 0),
    VDK_ATTRIBUTE(XRows, jc, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, tblCellSpacing, 'W', kAlways, 0),
    VDK_ATTRIBUTE(XRows, tblInd, 'W', kAlways, 0),
    VDK_CHILD(XRows, tblBorders, "TBLBORDERS", kAlways, kXTblBordersTable, 0),
    VDK_ATTRIBUTE(XRows, shd, 'S', kAlways, &kDefaultShading),
    VDK_ATTRIBUTE(XRows, tblLayout, 'd', kAlways, 0),
    VDK_CHILD(XRows, tblCellMar, "TBLCELLMAR", kAlways, kXTblMarginsTable, 0),
    VDK_ATTRIBUTE(XRows, tblLook, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, divId, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, gridBefore, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, gridAfter, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, wBefore, 'W', kAlways, 0),
    VDK_ATTRIBUTE(XRows, wAfter, 'W', kAlways, 0),
    VDK_ATTRIBUTE(XRows, cantSplit, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XRows, trHeight, 'H', kAlways, 0),
    VDK_ATTRIBUTE(XRows, tblHeader, 'd', kAlways, 0),
    VDK_CHILD(XRows, defRow, "DEFROW", kAlways, kXRowTable, &kDefaultCell),
    VDK_ATTRIBUTE(XRows, rows, 'd', kAlways, 0),
    // Hand-written: one element per cell in use, "row000" onward, each written like "DEFROW".
    VDK_HAND_WRITTEN(XRows, cells, kAlways, "row%03d", nullptr, 0, &kXRowTable, 0),
};

}  // namespace

VDK_RECORD_TABLE(XTblBorders);
VDK_RECORD_TABLE(XTblMargins);
VDK_RECORD_TABLE(XRow);
VDK_RECORD_TABLE(XTblGrid);
VDK_RECORD_TABLE(XTblPlacement);
VDK_RECORD_TABLE(XRows);
