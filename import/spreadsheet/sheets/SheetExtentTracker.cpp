#include "import/spreadsheet/sheets/SheetExtentTracker.h"

#include <algorithm>
#include <cstring>

#include "foundation/text/NameCompare.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// compareNames, with a quick look at the first letter first: every element of a sheet passes through
// here and nearly all of them are none of the names asked for.
bool isNamed(const char* name, const char* wanted) {
    const char first = name[0] == '-' ? name[1] : name[0];
    if ((first | 0x20) != (wanted[0] | 0x20)) return false;
    return compareNames(name, wanted) == 0;
}

}  // namespace

void SheetExtentTracker::start(const char* localName, bool inSheetNamespace, const char* reference) {
    ++depth;
    if (!sawRoot) {
        sawRoot = true;
        worksheet = inSheetNamespace && isNamed(localName, "worksheet");
        return;
    }
    if (!worksheet) return;
    if (sheetDataDepth >= 0 && depth == sheetDataDepth + 1) extent->hasRows = true;
    if (cellDepth >= 0) {
        if (formulaDepth < 0 && inSheetNamespace && isNamed(localName, "f")) formulaDepth = depth;
        return;
    }
    if (!inSheetNamespace) return;
    if (isNamed(localName, "sheetData")) {
        sheetDataDepth = depth;
    } else if (isNamed(localName, "row")) {
        cursor.enterRow(reference != nullptr ? parseInteger(reference, static_cast<std::int32_t>(std::strlen(reference)), 0) : 0);
    } else if (isNamed(localName, "c")) {
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
