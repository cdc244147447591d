#include "import/spreadsheet/sheets/SheetCellSource.h"

SheetCellSource::SheetCellSource(const char* bytes, std::int32_t size)
    : bytes(bytes), size(size), scanner(std::make_unique<SheetCellScanner>(bytes, size)) {}

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

void SheetCellSource::switchToParser() {
    scanner.reset();
    parser = std::make_unique<WorksheetReader>(bytes, size);
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
