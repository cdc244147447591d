#pragma once
// What the first pass over a worksheet learns from each element start, end and run of text, whichever
// reader hands them over: the root's kind, whether "sheetData" holds a child, and the last row and column
// of a cell that holds a value (text outside its formula).
#include <cstdint>

#include "import/spreadsheet/sheets/CellCursor.h"
#include "import/spreadsheet/sheets/SheetMeasure.h"

class SheetExtentTracker {
public:
    explicit SheetExtentTracker(SheetExtent* extent) : extent(extent) {}

    // inSheetNamespace: the element is in the SpreadsheetML namespace or in none. rowOrCellReference: its
    // unprefixed "r" attribute, or null.
    void start(const char* localName, bool inSheetNamespace, const char* reference);
    void end();
    void text();

    bool rootSeen() const { return sawRoot; }
    bool isWorksheet() const { return worksheet; }
    // Whether an element named "f" would now open a formula: the name test is wanted only then.
    bool insideCell() const { return cellDepth >= 0; }

private:
    SheetExtent* extent;
    CellCursor cursor;
    int depth = 0;
    int sheetDataDepth = -1;
    int cellDepth = -1;
    int formulaDepth = -1;
    bool sawRoot = false;
    bool worksheet = false;
    bool cellHolds = false;
    CellPosition cell;
};
