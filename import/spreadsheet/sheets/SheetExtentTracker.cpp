#include "import/spreadsheet/sheets/SheetExtentTracker.h"

#include <algorithm>
#include <cstring>

#include "foundation/text/NameCompare.h"
#include "package/xml/XmlNodeHelpers.h"

void SheetExtentTracker::start(const char* localName, bool inSheetNamespace, const char* reference) {
    ++depth;
    if (!sawRoot) {
        sawRoot = true;
        worksheet = inSheetNamespace && sameName(localName, "worksheet");
        return;
    }
    if (!worksheet) return;
    if (sheetDataDepth >= 0 && depth == sheetDataDepth + 1) extent->hasRows = true;
    if (cellDepth >= 0) {
        if (formulaDepth < 0 && inSheetNamespace && sameName(localName, "f")) formulaDepth = depth;
        return;
    }
    if (!inSheetNamespace) return;
    if (sameName(localName, "sheetData")) {
        sheetDataDepth = depth;
    } else if (sameName(localName, "row")) {
        cursor.enterRow(reference != nullptr ? parseInteger(reference, static_cast<std::int32_t>(std::strlen(reference)), 0) : 0);
    } else if (sameName(localName, "c")) {
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
