#pragma once
// The first pass over a worksheet part: whether its root is a worksheet, whether "sheetData" holds any
// child, and the last row and column of a cell that holds a value (text outside its formula). Read with
// a small scanner over the part's bytes when the part keeps to the plain XML it understands, and with the
// parser's event interface otherwise (which also tells why a part is malformed).
#include <cstdint>
#include <string>

#include "package/PartByteStream.h"

struct SheetExtent {
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    bool hasRows = false;  // sheetData has at least one child element
};

enum class SheetMeasureResult { kWorksheet, kNotAWorksheet, kMalformed };

// error: why the part is malformed (the parser's message and line). The part is read through open,
// piece by piece, and whole for the parser only when the scanner leaves it to the parser; a failure to
// read it raises the stream's CFail.
SheetMeasureResult measureSheet(const PartStreamOpener& open, SheetExtent* extent, std::string* error);
SheetMeasureResult measureSheet(const char* bytes, std::int32_t size, SheetExtent* extent, std::string* error);
// The same pass always through the parser: what the scanner's answers are held against.
SheetMeasureResult measureSheetWithParser(const char* bytes, std::int32_t size, SheetExtent* extent, std::string* error);
