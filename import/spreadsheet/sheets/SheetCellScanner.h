#pragma once
// The fast way to a worksheet's cells for the plain XML spreadsheet writers produce: the byte scanner
// (PlainXmlScanner.h) reads "row", "col" and "c" with its "v", "is", "t", "r" and "rPr" straight from the
// part and fills each cell exactly as the parser's pass (WorksheetReader.h) would. It gives up on what it
// does not handle (a prefixed element that could be a row, column or part of a cell, a value it would
// have to rewrite, an element inside a text, a part whose root is not in the SpreadsheetML namespace, and
// whatever the byte scanner gives up on); the caller then reads the part with the parser
// (SheetCellSource.h). The differential fuzz target holds the two passes to the same cells.
#include <cstdint>
#include <memory>

#include "import/spreadsheet/sheets/SheetByteWindow.h"
#include "import/spreadsheet/sheets/WorksheetReader.h"

enum class CellScan { kCell, kEnd, kUnsure };

class SheetCellScanner {
public:
    // The bytes stay the caller's and must outlive the scanner; they are seen through a window of the
    // given size all the same.
    SheetCellScanner(const char* bytes, std::int32_t size, SheetWindowSize windowSize = {});
    // The part piece by piece (SheetByteWindow.h); the stream's failures are raised as CFail by the
    // constructor and next.
    SheetCellScanner(std::unique_ptr<PartByteStream> stream, SheetWindowSize windowSize = {});
    ~SheetCellScanner();
    SheetCellScanner(const SheetCellScanner&) = delete;
    SheetCellScanner& operator=(const SheetCellScanner&) = delete;

    // kCell: the next "c" element in document order is in cell. kEnd: the part is read to its end, all
    // well-formed. kUnsure: the scanner gave up here (and every later call says so too); cell may hold
    // part of a cell then, as it is filled in place.
    CellScan next(SheetCell* cell);
    // The "style" of the "col" element covering the column; -1 when none (ColumnStyles.h).
    std::int32_t columnStyle(std::int32_t column) const;

private:
    struct State;
    std::unique_ptr<State> state;
};
