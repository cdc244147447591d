#include "import/spreadsheet/SheetMeasure.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <cstring>

#include "foundation/NameCompare.h"
#include "import/spreadsheet/CellCursor.h"
#include "import/spreadsheet/SheetNames.h"
#include "package/XmlNodeHelpers.h"

namespace {

struct MeasureState {
    SheetExtent* extent;
    std::string* error;
    CellCursor cursor;
    int depth = 0;
    int sheetDataDepth = -1;
    int cellDepth = -1;
    int formulaDepth = -1;
    bool rootSeen = false;
    bool isWorksheet = false;
    bool cellHolds = false;
    CellPosition cell;
};

// The attribute's value, NUL-terminated in the buffer; null when absent or too long to be a number or
// a reference.
const char* attributeValue(const xmlChar** attributes, int count, const char* name, char (&buffer)[32]) {
    for (int index = 0; index < count; ++index) {
        const xmlChar** attribute = attributes + index * 5;
        if (attribute[2] != nullptr || std::strcmp(reinterpret_cast<const char*>(attribute[0]), name) != 0) continue;
        const std::ptrdiff_t length = attribute[4] - attribute[3];
        if (length < 0 || length >= static_cast<std::ptrdiff_t>(sizeof buffer)) return nullptr;
        std::memcpy(buffer, attribute[3], static_cast<std::size_t>(length));
        buffer[length] = '\0';
        return buffer;
    }
    return nullptr;
}

void startElement(void* context, const xmlChar* localName, const xmlChar*, const xmlChar* uri, int, const xmlChar**,
                  int attributeCount, int, const xmlChar** attributes) {
    auto* state = static_cast<MeasureState*>(context);
    ++state->depth;
    const char* name = reinterpret_cast<const char*>(localName);
    if (!state->rootSeen) {
        state->rootSeen = true;
        state->isWorksheet = isSheetElement(name, reinterpret_cast<const char*>(uri), "worksheet");
        return;
    }
    if (!state->isWorksheet) return;
    if (state->sheetDataDepth >= 0 && state->depth == state->sheetDataDepth + 1) state->extent->hasRows = true;
    if (state->cellDepth >= 0) {
        if (state->formulaDepth < 0 && isSheetElement(name, reinterpret_cast<const char*>(uri), "f"))
            state->formulaDepth = state->depth;
        return;
    }
    if (!isSheetElement(name, reinterpret_cast<const char*>(uri), nullptr)) return;
    char buffer[32];
    if (compareNames(name, "sheetData") == 0) {
        state->sheetDataDepth = state->depth;
    } else if (compareNames(name, "row") == 0) {
        const char* number = attributeValue(attributes, attributeCount, "r", buffer);
        state->cursor.enterRow(number != nullptr ? parseInteger(number, static_cast<std::int32_t>(std::strlen(number)), 0) : 0);
    } else if (compareNames(name, "c") == 0) {
        state->cell = state->cursor.place(attributeValue(attributes, attributeCount, "r", buffer));
        state->cellDepth = state->depth;
        state->cellHolds = false;
    }
}

void endElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto* state = static_cast<MeasureState*>(context);
    if (state->depth == state->formulaDepth) state->formulaDepth = -1;
    if (state->depth == state->cellDepth) {
        state->cellDepth = -1;
        if (state->cellHolds) {
            state->extent->lastRow = std::max(state->extent->lastRow, state->cell.row);
            state->extent->lastColumn = std::max(state->extent->lastColumn, state->cell.column);
        }
    }
    if (state->depth == state->sheetDataDepth) state->sheetDataDepth = -1;
    --state->depth;
}

void characters(void* context, const xmlChar*, int length) {
    auto* state = static_cast<MeasureState*>(context);
    if (state->cellDepth >= 0 && state->formulaDepth < 0 && length > 0) state->cellHolds = true;
}

void recordError(void* context, xmlErrorPtr error) {
    auto* state = static_cast<MeasureState*>(context);
    if (error == nullptr || error->level < XML_ERR_ERROR || !state->error->empty()) return;
    try {
        *state->error = describeXmlError(error);
    } catch (...) {
        state->error->clear();
    }
}

}  // namespace

SheetMeasureResult measureSheet(const char* bytes, std::int32_t size, SheetExtent* extent, std::string* error) {
    *extent = SheetExtent{};
    error->clear();
    MeasureState state{extent, error};
    xmlSAXHandler handler{};
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = startElement;
    handler.endElementNs = endElement;
    handler.characters = characters;
    handler.cdataBlock = characters;
    handler.serror = recordError;
    xmlParserCtxtPtr context = xmlCreateMemoryParserCtxt(bytes, size);
    if (context == nullptr) {
        *error = "no memory for the parser";
        return SheetMeasureResult::kMalformed;
    }
    std::memcpy(context->sax, &handler, sizeof handler);
    context->userData = &state;
    xmlCtxtUseOptions(context, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlParseDocument(context);
    const bool wellFormed = context->wellFormed != 0;
    xmlFreeParserCtxt(context);
    if (!wellFormed || !state.rootSeen) {
        if (error->empty()) *error = "the part is not well-formed XML";
        return SheetMeasureResult::kMalformed;
    }
    return state.isWorksheet ? SheetMeasureResult::kWorksheet : SheetMeasureResult::kNotAWorksheet;
}
