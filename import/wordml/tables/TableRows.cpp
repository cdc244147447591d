// The importer's side of table rows: the readers the row walk calls, and where cells and rows end.
#include "import/wordml/CWordMLImporter.h"

TableRowReaders CWordMLImporter::tableRowReaders() {
    TableRowReaders readers;
    readers.readTable = [this](xmlNode* properties, XRule* rule, XForm* form, XRows* rows) {
        return readTableProperties(properties, rule, form, rows);
    };
    readers.readRow = [this](xmlNode* properties, XRows* rows) { return readRowProperties(properties, rows); };
    readers.readCell = [this](const std::string& styleId, std::int32_t rowMask, std::int32_t positionFlags,
                              xmlNode* properties, XRows* rows, std::int16_t cellIndex) {
        readCellProperties(styleId, rowMask, positionFlags, properties, rows, cellIndex);
    };
    readers.formatCellText = [this](const std::string& styleId, std::int32_t rowMask, std::int32_t positionFlags,
                                    xmlNode* properties, std::int16_t look, XForm* form) {
        applyTableStyleTextParts(styleId.c_str(), cellPartMask(properties, rowMask, positionFlags, look), form);
    };
    // The band sizes come from the named style's own row set.
    readers.styleRows = [this](const std::string& styleId) -> const XRows* {
        const TStyle* style = styles != nullptr ? styles->findStyle(styleId.c_str()) : nullptr;
        return style != nullptr ? &style->rule.rows : nullptr;
    };
    return readers;
}

bool CWordMLImporter::checkCellEnd(xmlNode* cell, xmlNode* nextParagraph, bool* lastOfRow) {
    bool endsCell = false;
    *lastOfRow = false;
    if (tableRows != nullptr) tableRows->checkCellEnd(cell, nextParagraph, &endsCell, lastOfRow);
    return endsCell;
}
