#pragma once
// The table row of the run being delivered: its row definition (grid, table, row and cell properties)
// and its cells, rebuilt for every run. The definition travels to the export side on the row-end mark,
// the extra unit 16 after a row's last cell.
//
// Every cell of the row is listed, with or without its own properties, so that the last cell always
// closes its row; the definition describes the first kMaxRowCells of them (the rest keep their text).
#include <libxml/tree.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/CBase.h"
#include "import/wordml/tables/TTable.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"

// The property readers the row walk calls (CWordMLImporter's table, row and cell readers).
struct TableRowReaders {
    // A w:tblPr or w:tblPrEx into the definition; answers the table style's identifier, empty without.
    std::function<std::string(xmlNode* properties, XRule* rule, XForm* form, XRows* rows)> readTable;
    // A w:trPr into the definition; answers the row's conditional-format mask.
    std::function<std::int16_t(xmlNode* properties, XRows* rows)> readRow;
    // A cell (its w:tcPr may be null) into entry cellIndex of the definition's cells.
    std::function<void(const std::string& tableStyleId, std::int32_t rowMask, std::int32_t positionFlags,
                       xmlNode* properties, XRows* rows, std::int16_t cellIndex)>
        readCell;
    // Onto the record of a run in a cell of a styled table, the character formatting of the conditional
    // parts that format the cell (its mask as the cell reader takes it).
    std::function<void(const std::string& tableStyleId, std::int32_t rowMask, std::int32_t positionFlags,
                       xmlNode* properties, std::int16_t look, XForm* form)>
        formatCellText;
    // The band sizes of a table style, or null for an identifier that names none.
    std::function<const XRows*(const std::string& styleId)> styleRows;
};

class TTableRowsArray : public CBase {
public:
    explicit TTableRowsArray(TableRowReaders readers);

    // An empty definition: no cells, band sizes 1, default shadings, borders that are not given (-1).
    void reset();
    // Rebuilds the definition and the cell list for the w:tr; a null row (a run outside tables) leaves
    // them reset. rule and form receive what a table style gives paragraphs and runs, form also what
    // it gives the runs of textCell, the w:tc the run lies in.
    void readRow(XRule* rule, XForm* form, xmlNode* row, const xmlNode* textCell);
    // The definition into the paragraph record that closes the row.
    void storeRowDefinition(XRule* rule) const;
    // Whether the paragraph now ending closes its cell (the next paragraph lies outside it), and whether
    // that cell is the row's last.
    void checkCellEnd(const xmlNode* cell, xmlNode* nextParagraph, bool* endsCell, bool* lastOfRow) const;

    const XRows& definition() const { return rowDefinition; }
    std::size_t cellCount() const { return cells.size(); }

private:
    void readGrid(xmlNode* table);
    void readCell(xmlNode* child, const std::string& styleId, std::int32_t rowMask, const xmlNode* textCell,
                  XForm* form);

    TableRowReaders readers;
    TTable table;
    XRows rowDefinition{};
    std::vector<const xmlNode*> cells;
    // The definition is the empty one still: most runs lie outside tables, and the definition is 10 KB.
    bool definitionEmpty = false;
};
