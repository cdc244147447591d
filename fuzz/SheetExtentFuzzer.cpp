// The quick extent scanner of worksheet parts against the parser's pass. Wherever the scanner answers
// rather than leaving the part to the parser, the parser must find the part well-formed and agree on
// the root's kind and on the whole extent, also when the part comes through a small window; a
// disagreement traps.
#include <cstdint>
#include <string>

#include "import/spreadsheet/sheets/SheetMeasure.h"
#include "import/spreadsheet/sheets/SheetScanner.h"

namespace {

void check(bool promise) {
    if (!promise) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 20) return 0;
    const char* bytes = reinterpret_cast<const char*>(data);
    const auto length = static_cast<std::int32_t>(size);
    SheetExtent scanned;
    bool isWorksheet = false;
    if (scanSheetExtent(bytes, length, &scanned, &isWorksheet) != SheetScan::kMeasured) return 0;
    SheetExtent parsed;
    std::string error;
    const SheetMeasureResult result = measureSheetWithParser(bytes, length, &parsed, &error);
    check(result == (isWorksheet ? SheetMeasureResult::kWorksheet : SheetMeasureResult::kNotAWorksheet));
    check(parsed.lastRow == scanned.lastRow && parsed.lastColumn == scanned.lastColumn &&
          parsed.hasRows == scanned.hasRows);
    // Through a window a few steps long the scanner may give up sooner, but never answers otherwise.
    SheetExtent windowed;
    bool windowedIsWorksheet = false;
    const SheetWindowSize window{16 + static_cast<std::int32_t>(size % 97), 0};
    if (scanSheetExtent(bytes, length, &windowed, &windowedIsWorksheet, window) == SheetScan::kMeasured)
        check(windowedIsWorksheet == isWorksheet && windowed.lastRow == scanned.lastRow &&
              windowed.lastColumn == scanned.lastColumn && windowed.hasRows == scanned.hasRows);
    return 0;
}
