#include "import/spreadsheet/WorksheetReader.h"

#include <cstring>

#include "foundation/NameCompare.h"
#include "package/XmlNodeHelpers.h"

namespace {

constexpr const char* kSpreadsheetUris[] = {"http://schemas.openxmlformats.org/spreadsheetml/2006/main",
                                            "http://purl.oclc.org/ooxml/spreadsheetml/main"};

// The library reports through this handler instead of the program's: the message stays with the
// reader, which tells it with the part's failure.
void recordReaderError(void* context, xmlErrorPtr error) {
    auto* text = static_cast<std::string*>(context);
    if (error == nullptr || error->level < XML_ERR_ERROR || !text->empty()) return;
    try {
        *text = error->message != nullptr ? error->message : "not well-formed";
        while (!text->empty() && (text->back() == '\n' || text->back() == ' ')) text->pop_back();
        *text += " (line " + std::to_string(error->line) + ")";
    } catch (...) {
        text->clear();
    }
}

std::int32_t attributeInt(xmlTextReaderPtr reader, const char* name, bool* present) {
    xmlChar* value = xmlTextReaderGetAttribute(reader, reinterpret_cast<const xmlChar*>(name));
    *present = value != nullptr;
    const char* text = reinterpret_cast<const char*>(value);
    const std::int32_t number = text != nullptr ? parseInteger(text, static_cast<std::int32_t>(std::strlen(text)), 0) : 0;
    xmlFree(value);
    return number;
}

}  // namespace

WorksheetReader::WorksheetReader(const char* bytes, std::int32_t size) {
    reader = xmlReaderForMemory(bytes, size, nullptr, nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (reader == nullptr) {
        errorText = "no memory for the reader";
        return;
    }
    xmlTextReaderSetStructuredErrorHandler(reader, recordReaderError, &errorText);
}

WorksheetReader::~WorksheetReader() {
    if (reader != nullptr) xmlFreeTextReader(reader);
}

bool WorksheetReader::advance() {
    if (reader == nullptr) return false;
    int step;
    if (pendingSkip) {
        pendingSkip = false;
        step = xmlTextReaderNext(reader);
    } else {
        step = xmlTextReaderRead(reader);
    }
    if (step < 0 && errorText.empty()) errorText = "the part is not well-formed XML";
    return step == 1;
}

bool WorksheetReader::atElement(const char* name) const {
    if (xmlTextReaderNodeType(reader) != XML_READER_TYPE_ELEMENT) return false;
    const char* local = reinterpret_cast<const char*>(xmlTextReaderConstLocalName(reader));
    if (local == nullptr || compareNames(local, name) != 0) return false;
    const char* uri = reinterpret_cast<const char*>(xmlTextReaderConstNamespaceUri(reader));
    if (uri == nullptr) return true;
    for (const char* known : kSpreadsheetUris)
        if (std::strcmp(uri, known) == 0) return true;
    return false;
}

bool WorksheetReader::checkRoot() {
    if (rootChecked) return true;
    rootChecked = true;
    if (atElement("worksheet")) return true;
    errorText = "its root element is not a worksheet";
    return false;
}

void WorksheetReader::enterRow() {
    bool present = false;
    const std::int32_t number = attributeInt(reader, "r", &present);
    // A row without a usable number follows the one before it.
    row = present && number > 0 && number <= kMaxSheetRow ? number : row + 1;
    nextColumn = 1;
    bool custom = false;
    xmlChar* customFormat = xmlTextReaderGetAttribute(reader, reinterpret_cast<const xmlChar*>("customFormat"));
    custom = customFormat != nullptr;
    xmlFree(customFormat);
    const std::int32_t style = attributeInt(reader, "s", &present);
    rowStyle = custom && present ? style : -1;
}

CellPosition WorksheetReader::cellPosition() {
    CellPosition position;
    xmlChar* reference = xmlTextReaderGetAttribute(reader, reinterpret_cast<const xmlChar*>("r"));
    if (reference != nullptr) parseCellRef(reinterpret_cast<const char*>(reference), &position);
    xmlFree(reference);
    // A cell without a usable reference takes the next position of its row.
    if (position.column <= 0 || position.row <= 0) {
        position.row = row > 0 ? row : 1;
        position.column = nextColumn <= kMaxSheetColumn ? nextColumn : kMaxSheetColumn;
    }
    row = position.row;
    nextColumn = position.column + 1;
    return position;
}

void WorksheetReader::readColumn() {
    bool hasMin = false;
    bool hasMax = false;
    bool hasStyle = false;
    const std::int32_t min = attributeInt(reader, "min", &hasMin);
    const std::int32_t max = attributeInt(reader, "max", &hasMax);
    const std::int32_t style = attributeInt(reader, "style", &hasStyle);
    // A column range without its bounds names no column.
    if (hasMin && hasMax && hasStyle && min <= max) columns.push_back({min, max, style});
}

std::int32_t WorksheetReader::columnStyle(std::int32_t column) const {
    for (const ColumnRange& range : columns)
        if (range.min <= column && column <= range.max) return range.style;
    return -1;
}

// Reads to the end of the cell; true when it holds text outside a formula.
bool WorksheetReader::cellHoldsValue() {
    if (xmlTextReaderIsEmptyElement(reader) == 1) return false;
    const int depth = xmlTextReaderDepth(reader);
    int formulaDepth = -1;
    bool holds = false;
    while (advance()) {
        const int type = xmlTextReaderNodeType(reader);
        const int at = xmlTextReaderDepth(reader);
        if (type == XML_READER_TYPE_END_ELEMENT && at == depth) break;
        if (type == XML_READER_TYPE_ELEMENT && formulaDepth < 0 && atElement("f") &&
            xmlTextReaderIsEmptyElement(reader) == 0)
            formulaDepth = at;
        else if (type == XML_READER_TYPE_END_ELEMENT && at == formulaDepth)
            formulaDepth = -1;
        else if ((type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA ||
                  type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE) && formulaDepth < 0)
            holds = true;
    }
    return holds;
}

bool WorksheetReader::measure(SheetExtent* extent) {
    *extent = SheetExtent{};
    int sheetDataDepth = -1;
    while (advance()) {
        if (!checkRoot()) return false;
        if (xmlTextReaderNodeType(reader) != XML_READER_TYPE_ELEMENT) continue;
        if (sheetDataDepth >= 0 && xmlTextReaderDepth(reader) == sheetDataDepth + 1) extent->hasRows = true;
        if (atElement("sheetData")) {
            sheetDataDepth = xmlTextReaderDepth(reader);
        } else if (atElement("row")) {
            enterRow();
        } else if (atElement("c")) {
            const CellPosition position = cellPosition();
            if (cellHoldsValue()) {
                if (position.row > extent->lastRow) extent->lastRow = position.row;
                if (position.column > extent->lastColumn) extent->lastColumn = position.column;
            }
        }
    }
    return errorText.empty() && rootChecked;
}

bool WorksheetReader::next(SheetCell* cell) {
    while (advance()) {
        if (!checkRoot()) return false;
        if (xmlTextReaderNodeType(reader) != XML_READER_TYPE_ELEMENT) continue;
        if (atElement("col")) {
            readColumn();
        } else if (atElement("row")) {
            enterRow();
        } else if (atElement("c")) {
            cell->position = cellPosition();
            cell->rowStyle = rowStyle;
            cell->element = xmlTextReaderExpand(reader);
            if (cell->element == nullptr) {
                if (errorText.empty()) errorText = "the part is not well-formed XML";
                return false;
            }
            pendingSkip = true;
            return true;
        }
    }
    return false;
}
