#pragma once
// Reads a worksheet part as a stream, cell by cell, so that a sheet of any size is never held whole:
// only the cell being read is expanded into a tree, and it lives until the reader moves on.
//
//   worksheet
//     dimension ref="A1:H100"        not trusted: the extent comes from the cells present (SheetMeasure.h)
//     cols  col min= max= style=     a column's format
//     sheetData
//       row r= s= customFormat=      a row's format counts only with "customFormat"
//         c r="B2" s= t=  v | is | f a cell; without "r" it takes the next position (CellCursor.h)
#include <libxml/xmlreader.h>

#include <cstdint>
#include <string>
#include <vector>

#include "import/spreadsheet/CellCursor.h"

struct SheetCell {
    CellPosition position;
    const xmlNode* element = nullptr;  // the "c" element, valid until the next call of next()
    std::int32_t rowStyle = -1;        // the row's "s" when it has "customFormat", else -1
};

class WorksheetReader {
public:
    // The bytes stay the caller's and must outlive the reader.
    WorksheetReader(const char* bytes, std::int32_t size);
    ~WorksheetReader();
    WorksheetReader(const WorksheetReader&) = delete;
    WorksheetReader& operator=(const WorksheetReader&) = delete;

    // The next "c" element in document order; false at the end of the part or on an error (error() is
    // not empty then).
    bool next(SheetCell* cell);
    // The "style" of the "col" element covering the column; -1 when none.
    std::int32_t columnStyle(std::int32_t column) const;
    const std::string& error() const { return errorText; }

private:
    struct ColumnRange {
        std::int32_t min;
        std::int32_t max;
        std::int32_t style;
    };
    bool advance();
    bool atElement(const char* name) const;
    void enterRow();
    void readColumn();

    xmlTextReaderPtr reader = nullptr;
    std::string errorText;
    std::vector<ColumnRange> columns;
    CellCursor cursor;
    std::int32_t rowStyle = -1;
    bool pendingSkip = false;  // the last cell was expanded: step over its subtree next
};
