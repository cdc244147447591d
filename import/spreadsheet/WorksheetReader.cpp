#include "import/spreadsheet/WorksheetReader.h"

#include <cstring>

#include "import/spreadsheet/SheetNames.h"
#include "package/XmlNodeHelpers.h"

namespace {

// The library reports through this handler instead of the program's: the message stays with the
// reader, which tells it with the part's failure.
void recordReaderError(void* context, xmlErrorPtr error) {
    auto* text = static_cast<std::string*>(context);
    if (error == nullptr || error->level < XML_ERR_ERROR || !text->empty()) return;
    try {
        *text = describeXmlError(error);
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
    return isSheetElement(reinterpret_cast<const char*>(xmlTextReaderConstLocalName(reader)),
                          reinterpret_cast<const char*>(xmlTextReaderConstNamespaceUri(reader)), name);
}

void WorksheetReader::enterRow() {
    bool present = false;
    cursor.enterRow(attributeInt(reader, "r", &present));
    xmlChar* customFormat = xmlTextReaderGetAttribute(reader, reinterpret_cast<const xmlChar*>("customFormat"));
    const bool custom = customFormat != nullptr;
    xmlFree(customFormat);
    const std::int32_t style = attributeInt(reader, "s", &present);
    rowStyle = custom && present ? style : -1;
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

bool WorksheetReader::next(SheetCell* cell) {
    while (advance()) {
        if (xmlTextReaderNodeType(reader) != XML_READER_TYPE_ELEMENT) continue;
        if (atElement("col")) {
            readColumn();
        } else if (atElement("row")) {
            enterRow();
        } else if (atElement("c")) {
            xmlChar* reference = xmlTextReaderGetAttribute(reader, reinterpret_cast<const xmlChar*>("r"));
            cell->position = cursor.place(reinterpret_cast<const char*>(reference));
            xmlFree(reference);
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
