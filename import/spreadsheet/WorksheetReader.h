#pragma once
// Reads a worksheet part as a stream, cell by cell, so that a sheet of any size is never held whole:
// only the cell being read is expanded into a tree, and it lives until the reader moves on.
//
//   worksheet
//     dimension ref="A1:H100"        not trusted: the extent comes from the cells present
//     cols  col min= max= style=     a column's format
//     sheetData
//       row r= s= customFormat=      a row's format counts only with "customFormat"
//         c r="B2" s= t=  v | is | f a cell; without "r" it takes the next position
//
// A sheet is read twice: measure() finds the extent (the last row and column of a cell that holds a
// value) and whether sheetData has any child; then next() hands the cells over in document order.
#include <libxml/xmlreader.h>

#include <cstdint>
#include <string>
#include <vector>

#include "import/spreadsheet/CellReference.h"

struct SheetExtent {
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    bool hasRows = false;  // sheetData has at least one child element
};

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

    // Reads the whole part; false when it is not well-formed or its root is not "worksheet" (error()
    // then says why).
    bool measure(SheetExtent* extent);
    // The next "c" element; false at the end of the part or on an error (error() not empty then).
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
    CellPosition cellPosition();
    void readColumn();
    bool cellHoldsValue();
    bool checkRoot();

    xmlTextReaderPtr reader = nullptr;
    std::string errorText;
    std::vector<ColumnRange> columns;
    std::int32_t row = 0;
    std::int32_t nextColumn = 1;
    std::int32_t rowStyle = -1;
    bool rootChecked = false;
    bool pendingSkip = false;  // the last cell was expanded: step over its subtree next
};
