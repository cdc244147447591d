#pragma once
// A fast way to the first pass's answers for the plain XML that spreadsheet writers produce: a scanner
// over the part's bytes that checks everything it steps over and reads only element names, the "r"
// attribute and whether text is present. Whatever it does not fully understand (comments, CDATA,
// processing instructions, a document type, an encoding other than UTF-8, a prefixed element that could
// be a row or cell, a namespace declared below the root, an unknown entity, malformed markup, ...) makes
// it give up, and the caller measures the part with the parser instead, which also tells why a part is
// malformed. So the scanner never decides anything the parser would decide otherwise.
#include <cstdint>

#include "import/spreadsheet/sheets/SheetByteWindow.h"
#include "import/spreadsheet/sheets/SheetMeasure.h"

enum class SheetScan { kMeasured, kUnsure };

// On kMeasured, extent and isWorksheet hold what the parser's pass would give for this well-formed part.
// The part comes through the window (SheetByteWindow.h), whose stream's failures are raised as CFail.
SheetScan scanSheetExtent(SheetByteWindow& window, SheetExtent* extent, bool* isWorksheet);
// The same over bytes in memory, seen through a window of the given size.
SheetScan scanSheetExtent(const char* bytes, std::int32_t size, SheetExtent* extent, bool* isWorksheet,
                          SheetWindowSize windowSize = {});
