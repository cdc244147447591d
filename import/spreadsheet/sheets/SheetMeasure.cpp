#include "import/spreadsheet/sheets/SheetMeasure.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <climits>
#include <cstring>

#include "foundation/text/NameCompare.h"
#include "import/spreadsheet/sheets/SheetExtentTracker.h"
#include "import/spreadsheet/sheets/SheetScanner.h"
#include "import/spreadsheet/sheets/SheetNames.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

struct MeasureState {
    SheetExtentTracker tracker;
    std::string* error;
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
    const char* name = reinterpret_cast<const char*>(localName);
    const bool inSheetNamespace = isSheetElement(name, reinterpret_cast<const char*>(uri), nullptr);
    char buffer[32];
    const bool placesCells = compareNames(name, "row") == 0 || compareNames(name, "c") == 0;
    state->tracker.start(name, inSheetNamespace, placesCells ? attributeValue(attributes, attributeCount, "r", buffer) : nullptr);
}

void endElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    static_cast<MeasureState*>(context)->tracker.end();
}

void characters(void* context, const xmlChar*, int length) {
    if (length > 0) static_cast<MeasureState*>(context)->tracker.text();
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

SheetMeasureResult measureSheet(const PartStreamOpener& open, SheetExtent* extent, std::string* error) {
    error->clear();
    bool isWorksheet = false;
    {
        SheetByteWindow window(open());
        if (scanSheetExtent(window, extent, &isWorksheet) == SheetScan::kMeasured)
            return isWorksheet ? SheetMeasureResult::kWorksheet : SheetMeasureResult::kNotAWorksheet;
    }
    const std::string whole = readWholeStream(*open());
    if (whole.size() > INT32_MAX) {
        *error = "the part is too large";
        return SheetMeasureResult::kMalformed;
    }
    return measureSheetWithParser(whole.data(), static_cast<std::int32_t>(whole.size()), extent, error);
}

SheetMeasureResult measureSheet(const char* bytes, std::int32_t size, SheetExtent* extent, std::string* error) {
    return measureSheet([&] { return std::make_unique<MemoryByteStream>(bytes, size); }, extent, error);
}

SheetMeasureResult measureSheetWithParser(const char* bytes, std::int32_t size, SheetExtent* extent, std::string* error) {
    *extent = SheetExtent{};
    error->clear();
    MeasureState state{SheetExtentTracker(extent), error};
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
    if (!wellFormed || !state.tracker.rootSeen()) {
        if (error->empty()) *error = "the part is not well-formed XML";
        return SheetMeasureResult::kMalformed;
    }
    return state.tracker.isWorksheet() ? SheetMeasureResult::kWorksheet : SheetMeasureResult::kNotAWorksheet;
}
