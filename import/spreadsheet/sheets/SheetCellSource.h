#pragma once
// Where the importer takes a worksheet's cells from: the fast scanner (SheetCellScanner.h) while the part
// keeps to the plain XML it handles, and the parser's pass (WorksheetReader.h) from the moment it does
// not. The parser then starts the part over and the cells the scanner has handed out already are passed
// by; the two passes give the same cells, so the importer sees one sequence either way.
#include <cstdint>
#include <memory>
#include <string>

#include "import/spreadsheet/sheets/SheetCellScanner.h"
#include "package/PartByteStream.h"
#include "import/spreadsheet/sheets/WorksheetReader.h"

class SheetCellSource {
public:
    // The bytes stay the caller's and must outlive the source.
    SheetCellSource(const char* bytes, std::int32_t size, SheetWindowSize windowSize = {});
    // The part as open gives it, piece by piece; opened again, and read whole, only if the parser must
    // take over. Failures to read it are raised as the stream's CFail.
    explicit SheetCellSource(PartStreamOpener open, SheetWindowSize windowSize = {});
    ~SheetCellSource();

    // The next "c" element in document order; false at the end of the part or on an error (error() is
    // not empty then).
    bool next(SheetCell* cell);
    std::int32_t columnStyle(std::int32_t column) const;
    const std::string& error() const;
    // Whether the parser has taken over (for tests and measurements).
    bool usesParser() const { return parser != nullptr; }

private:
    void switchToParser();

    PartStreamOpener open;
    std::string wholePart;  // the parser's bytes
    std::unique_ptr<SheetCellScanner> scanner;
    std::unique_ptr<WorksheetReader> parser;
    std::int64_t cellsHandedOut = 0;
};
