#pragma once
// Reads a worksheet part as a stream, cell by cell, so that a sheet of any size is never held whole:
// the parser is fed a slice of the part at a time and its events fill one small record per cell, which
// waits only until the walk takes it.
//
//   worksheet
//     dimension ref="A1:H100"        not trusted: the extent comes from the cells present (SheetMeasure.h)
//     cols  col min= max= style=     a column's format, counted before the first cell only (ColumnStyles.h)
//     sheetData
//       row r= s= customFormat=      a row's format counts only with "customFormat"
//         c r="B2" s= t=  v | is | f a cell; without "r" it takes the next position (CellCursor.h)
//           is  t | r (rPr, t)...    an inline string: its text, or its rich-text runs
#include <libxml/parser.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "import/spreadsheet/sheets/CellCursor.h"
#include "import/spreadsheet/styles/ColumnStyles.h"

struct XmlNodeRelease {
    void operator()(xmlNode* node) const;
};
using OwnedXmlNode = std::unique_ptr<xmlNode, XmlNodeRelease>;

// An attribute of the cell, whatever its namespace (the first of its name), with its entities replaced.
struct CellAttribute {
    bool present = false;
    std::string value;
};

// A run of a rich-text inline string.
struct InlineRun {
    OwnedXmlNode properties;  // its first "rPr", as a tree of its own (elements and attributes); or null
    std::string text;         // the text of its first "t", UTF-8
};

// What the walk needs of a "c" element. The texts are an element's whole text content, as the parser
// gives it (entities replaced, CDATA sections included, comments left out).
struct SheetCell {
    CellPosition position;
    std::int32_t rowStyle = -1;  // the row's "s" when it has "customFormat", else -1
    CellAttribute style;         // "s"
    CellAttribute type;          // "t"
    bool hasValue = false;       // a "v" child; its text:
    std::string value;
    bool hasInlineText = false;  // an "is" child with a "t" child; that "t"'s text:
    std::string inlineText;
    std::vector<InlineRun> runs;  // the "r" children of the "is" child
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
    // The "style" of the "col" element covering the column; -1 when none (ColumnStyles.h).
    std::int32_t columnStyle(std::int32_t column) const { return columns.styleOf(column); }
    const std::string& error() const { return errorText; }

private:
    // An element's attributes as the parser passes them: local name, prefix, URI, value, value end.
    struct Attributes {
        const unsigned char** items;
        int count;
    };
    friend struct WorksheetEvents;

    bool feedSlice();
    void startElement(const char* name, const char* uri, Attributes attributes);
    void endElement();
    void beginCell(Attributes attributes);
    void startCellChild(const char* name, Attributes attributes);
    void gatherText(std::string* into);
    void addAttributes(xmlNode* element, Attributes attributes);
    void addCharacters(const char* text, int length);
    void enterRow(Attributes attributes);
    void readColumn(Attributes attributes);
    void fail(const char* reason);

    xmlParserCtxtPtr parser = nullptr;
    const char* bytes;
    std::int32_t size;
    std::int32_t fed = 0;
    bool finished = false;
    std::string errorText;
    ColumnStyles columns;
    bool cellSeen = false;
    CellCursor cursor;
    std::int32_t rowStyle = -1;
    std::deque<SheetCell> readCells;  // read from the slices parsed so far, not yet handed out

    // Where the events stand in the part: depths count the elements open, -1 for none.
    std::int32_t depth = 0;
    std::int32_t cellDepth = -1;
    SheetCell cell;                   // the cell being read
    bool inlineSeen = false;          // the cell's first "is" has begun
    std::int32_t inlineDepth = -1;
    bool valueSeen = false;
    std::int32_t runDepth = -1;       // the "r" of the "is" being read
    bool runTextSeen = false;
    bool runPropertiesSeen = false;
    std::string* text = nullptr;      // the text being gathered, of the element at textDepth
    std::int32_t textDepth = -1;
    xmlNode* propertiesNode = nullptr;  // the innermost open element of the "rPr" tree being built
    std::int32_t propertiesDepth = -1;
};
