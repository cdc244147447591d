#include "import/spreadsheet/sheets/SheetCellSource.h"

#include <algorithm>
#include <climits>

SheetCellSource::SheetCellSource(const char* bytes, std::int32_t size, SheetWindowSize windowSize)
    : SheetCellSource([bytes, size] { return std::make_unique<MemoryByteStream>(bytes, size); }, windowSize) {}

SheetCellSource::SheetCellSource(PartStreamOpener open, SheetWindowSize windowSize)
    : open(std::move(open)), scanner(std::make_unique<SheetCellScanner>(this->open(), windowSize)) {}

SheetCellSource::~SheetCellSource() = default;

bool SheetCellSource::next(SheetCell* cell) {
    if (scanner) {
        switch (scanner->next(cell)) {
            case CellScan::kCell:
                ++cellsHandedOut;
                return true;
            case CellScan::kEnd:
                return false;
            case CellScan::kUnsure:
                switchToParser();
                break;
        }
    }
    return parser->next(cell);
}

// The parser reads the part whole, from its start: it is opened again (the scanner's window holds only
// its latest piece).
void SheetCellSource::switchToParser() {
    scanner.reset();
    wholePart = readWholeStream(*open());
    const auto size = static_cast<std::int32_t>(std::min<std::size_t>(wholePart.size(), INT32_MAX));
    parser = std::make_unique<WorksheetReader>(wholePart.data(), size);
    SheetCell passed;
    for (std::int64_t count = 0; count < cellsHandedOut; ++count)
        if (!parser->next(&passed)) break;
}

std::int32_t SheetCellSource::columnStyle(std::int32_t column) const {
    return scanner ? scanner->columnStyle(column) : parser->columnStyle(column);
}

const std::string& SheetCellSource::error() const {
    static const std::string none;
    return parser ? parser->error() : none;
}
