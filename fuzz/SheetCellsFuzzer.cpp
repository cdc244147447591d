// The fast cell scanner of worksheet parts against the parser's pass. Every cell the scanner hands out
// must be the parser's cell at that place (and the column formats the same); when the scanner reads a
// part to its end, the parser must find it well-formed with no more cells. The source the importer reads
// from, which starts the parser over where the scanner gives up, must give the parser's cells and error
// exactly, also when the part comes through a small window. A disagreement traps.
#include <cstdint>
#include <string>
#include <vector>

#include "import/spreadsheet/sheets/SheetCellDescription.h"
#include "import/spreadsheet/sheets/SheetCellScanner.h"
#include "import/spreadsheet/sheets/SheetCellSource.h"
#include "import/spreadsheet/sheets/WorksheetReader.h"

namespace {

void check(bool promise) {
    if (!promise) __builtin_trap();
}

constexpr std::int32_t kColumnsCompared = 40;

struct Pass {
    std::vector<std::string> cells;
    std::vector<std::int32_t> columnStyles;
    std::string error;
};

template <typename Reader>
std::vector<std::int32_t> columnStylesOf(const Reader& reader) {
    std::vector<std::int32_t> styles;
    for (std::int32_t column = 1; column <= kColumnsCompared; ++column) styles.push_back(reader.columnStyle(column));
    return styles;
}

template <typename Reader>
Pass readAll(Reader& reader) {
    Pass pass;
    SheetCell cell;
    while (reader.next(&cell)) {
        pass.cells.push_back(describeSheetCell(cell));
        if (pass.cells.size() == 1) pass.columnStyles = columnStylesOf(reader);
    }
    if (pass.cells.empty()) pass.columnStyles = columnStylesOf(reader);
    pass.error = reader.error();
    return pass;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 20) return 0;
    const char* bytes = reinterpret_cast<const char*>(data);
    const auto length = static_cast<std::int32_t>(size);

    WorksheetReader parserReader(bytes, length);
    const Pass parsed = readAll(parserReader);

    SheetCellScanner scanner(bytes, length);
    SheetCell cell;
    std::size_t index = 0;
    CellScan scan = CellScan::kCell;
    while ((scan = scanner.next(&cell)) == CellScan::kCell) {
        check(index < parsed.cells.size() && describeSheetCell(cell) == parsed.cells[index]);
        if (index == 0) check(columnStylesOf(scanner) == parsed.columnStyles);
        ++index;
    }
    if (scan == CellScan::kEnd) {
        check(index == parsed.cells.size() && parsed.error.empty());
        if (index == 0) check(columnStylesOf(scanner) == parsed.columnStyles);
    }

    SheetCellSource source(bytes, length);
    const Pass sourced = readAll(source);
    check(sourced.cells == parsed.cells && sourced.columnStyles == parsed.columnStyles && sourced.error == parsed.error);

    // Through a window a few steps long, refilled at places the input decides, the source still gives the
    // parser's cells and error.
    const SheetWindowSize window{16 + static_cast<std::int32_t>(size % 97), 0};
    SheetCellSource windowed(bytes, length, window);
    const Pass throughWindow = readAll(windowed);
    check(throughWindow.cells == parsed.cells && throughWindow.columnStyles == parsed.columnStyles &&
          throughWindow.error == parsed.error);
    return 0;
}
