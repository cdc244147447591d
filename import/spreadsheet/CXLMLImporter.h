#pragma once
// The Excel 2007 importer ("Excel2007"): a workbook package (.xlsx, .xlsm), zipped or unpacked in a
// folder. Every worksheet that holds cells becomes one sheet of the storage, named after the sheet,
// whose main story is a grid: one run per cell (one per run of a rich-text cell) showing the cell as
// its number format shows it, a tab after each cell, a paragraph end after the last cell of a row.
//
// The document request reads, in this order:
//   xl/workbook.xml                 root "workbook"; its relationships name the other parts
//   docProps/app.xml, docProps/core.xml    the length estimate, title, subject and author
//   workbookPr date1904             the date system of every date in the workbook
//   the theme, the shared strings, the style sheet (its fonts join the font table), the sheet list
// A text request answers one cell, and the cells after it that share its character format.
// Each sheet request reads its worksheet part as a stream (WorksheetReader.h): the grid runs from A1 to
// the last row and column that hold a value, so a missing or stale "dimension" neither drops nor
// invents cells.
//
// Failures are CFails in unit "BL_XLML(imp)": the package reader's code for a missing workbook part,
// 32003 for one whose root is not "workbook", 22 for a workbook, style, shared-string or sheet part
// that is not well-formed (the block's reason text says which part and why).
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/translators/CImporter.h"
#include "import/docx/PartDocument.h"
#include "import/spreadsheet/sheets/CQueue.h"
#include "package/RelationshipTypes.h"

class CRelationshipsTable;
class CSheetsArray;
class CStringsArray;
class FormatText;
class CStyle;
class CStyleSheet;
class SheetCellSource;
struct SheetCell;

class CXLMLImporter : public CImporter {
public:
    explicit CXLMLImporter(const TranslatorDescriptor* descriptor);
    ~CXLMLImporter() override;

protected:
    void identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick) override;
    void readDocument() override;
    void beginSheet() override;
    void readText() override;
    void endSheet() override;
    void endDocument() override;

private:
    // The document request's steps.
    void openWorkbook();
    void readDocumentProperties();
    void readWorkbookProperties();
    void readTheme();
    void readSharedStrings();
    void readStyleSheet();
    void addFonts();
    void readSheets();
    xmlDoc* parseWorkbookPart(PartKind kind, const char* conventionalPath, bool mustParse, bool* present);
    [[noreturn]] void failWithReason(std::int16_t code, const std::string& part, const std::string& why);

    // The cell walk (SheetCells.cpp).
    bool nextCellPosition();
    bool fetchCell();
    void readCellType(const SheetCell* cell);
    void queueEmptyCell();
    void queueValueCell(const SheetCell& cell, CellType type);
    void queueStringCell(const SheetCell& cell, CellType type);
    void queueSharedString(const xmlNode* string);
    // The text is taken: what it holds afterwards is unspecified.
    void queueTextRun(CellType type, bool isLast, const xmlNode* properties, std::u16string& text);
    void queueText(CellType type, std::u16string& text, char16_t separator, std::unique_ptr<CFont> runFont);
    char16_t cellSeparator(bool isLast) const;

    // The text request (SheetText.cpp).
    // The text the entry's cell shows: its own, or its value as formatted into shown.
    std::u16string_view cellText(const CQueue& entry, FormatText& shown) const;
    void answerRun(const CQueue& entry, std::u16string_view text);
    void appendAlikeCells(const CFont& font, FormatText& shown);

    std::unique_ptr<CRelationshipsTable> package;
    PartDocument workbookDocument;
    xmlNode* workbookRoot = nullptr;
    PartDocument workbookRelationships;
    std::unique_ptr<CStringsArray> sharedStrings;
    std::unique_ptr<CSheetsArray> sheets;
    std::unique_ptr<CStyleSheet> styleSheet;
    CQueuesArray queue;
    std::u16string cellUnits;  // the text of the cell being queued, kept to spare an allocation a cell

    // The sheet being read.
    std::string sheetPart;
    void* sheetBytes = nullptr;
    void* firstSheetBytes = nullptr;  // the first sheet's part, read when the sheets were listed
    std::int32_t firstSheetSize = 0;
    std::unique_ptr<SheetCellSource> sheetReader;
    std::unique_ptr<SheetCell> pendingCell;  // the next cell of the part, not yet reached by the walk
    bool partEnded = false;
    const CStyle* cellStyle = nullptr;  // the format of the position just reached
    std::int64_t cellTotal = 0;
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    std::int32_t column = 0;  // the next position to read
    std::int32_t row = 0;
};

// The registry's factory: a new importer, or null without memory.
CBaseTranslator* makeXLMLImporter(const TranslatorDescriptor* descriptor);
