#pragma once
// The style part of a workbook ("xl/styles.xml") and the cell formats it gives. A cell's format is the
// "xf" its "s" names; without one, a row's "s" marked "customFormat", then its column's "style", then
// format 0. Each format is resolved once, on first use, and kept: every cell of a sheet shares it.
//
//   styleSheet
//     numFmts fonts fills borders       the records (CNumFmt, CFont, CFill, CBorder)
//     cellStyleXfs  xf ...               the named cell styles
//     cellXfs       xf xfId= ...         the cell formats, each over a named style
//     dxfs, tableStyles                  differential formats and table styles (CTableStyle)
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "import/spreadsheet/styles/CStyle.h"
#include "import/spreadsheet/styles/CTableStyle.h"
#include "import/docx/PartDocument.h"

class CStyleSheet {
public:
    // Takes the parsed part; a part whose root is not "styleSheet" raises CFail 22. builtInTableStyles is
    // the path of the program's table-style file; one that is missing or unreadable is passed over.
    CStyleSheet(xmlDoc* document, const std::string& builtInTableStyles);

    // The format of a cell by its cell's "s", its row's "s" (when the row has "customFormat") and its
    // column's "style"; -1 for each that is absent. An index that names no format gives the default.
    const CStyle& selectCellStyle(std::int32_t columnStyle, std::int32_t rowStyle, std::int32_t cellStyle);
    // The format of the index-th "xf" of "cellXfs".
    const CStyle& resolveStyle(std::int32_t index);

    std::size_t fontCount() const { return fonts.size(); }
    const CFont& fontAt(std::size_t index) const { return fonts[index]; }
    const CTableStylesArray& tableStyles() const { return tableStyleList; }

private:
    void readNumFmts();
    void readFonts();
    void readFills();
    void readBorders();
    void readTableStyles(const std::string& builtInTableStyles);
    void collectXfs(const char* listName, std::vector<const xmlNode*>& xfs);

    PartDocument document;
    PartDocument builtInDocument;
    const xmlNode* root = nullptr;
    CNumFmtsArray numFmts;
    std::vector<CFont> fonts;
    std::vector<CFill> fills;
    std::vector<CBorder> borders;
    CTableStylesArray tableStyleList;
    std::vector<const xmlNode*> cellXfs;
    std::vector<const xmlNode*> cellStyleXfs;
    std::vector<std::unique_ptr<CStyle>> resolved;  // by cellXfs index, made on first use
    CStyle defaultStyle;
};
