#include "import/spreadsheet/SheetExtentTracker.h"

#include <algorithm>
#include <cstring>

#include "foundation/NameCompare.h"
#include "package/XmlNodeHelpers.h"

void SheetExtentTracker::start(const char* localName, bool inSheetNamespace, const char* reference) {
    ++depth;
    if (!sawRoot) {
        sawRoot = true;
        worksheet = inSheetNamespace && compareNames(localName, "worksheet") == 0;
        return;
    }
    if (!worksheet) return;
    if (sheetDataDepth >= 0 && depth == sheetDataDepth + 1) extent->hasRows = true;
    if (cellDepth >= 0) {
        if (formulaDepth < 0 && inSheetNamespace && compareNames(localName, "f") == 0) formulaDepth = depth;
        return;
    }
    if (!inSheetNamespace) return;
    if (compareNames(localName, "sheetData") == 0) {
        sheetDataDepth = depth;
    } else if (compareNames(localName, "row") == 0) {
        cursor.enterRow(reference != nullptr ? parseInteger(reference, static_cast<std::int32_t>(std::strlen(reference)), 0) : 0);
    } else if (compareNames(localName, "c") == 0) {
        cell = cursor.place(reference);
        cellDepth = depth;
        cellHolds = false;
    }
}

void SheetExtentTracker::end() {
    if (depth == formulaDepth) formulaDepth = -1;
    if (depth == cellDepth) {
        cellDepth = -1;
        if (cellHolds) {
            extent->lastRow = std::max(extent->lastRow, cell.row);
            extent->lastColumn = std::max(extent->lastColumn, cell.column);
        }
    }
    if (depth == sheetDataDepth) sheetDataDepth = -1;
    --depth;
}

void SheetExtentTracker::text() {
    if (cellDepth >= 0 && formulaDepth < 0) cellHolds = true;
}
