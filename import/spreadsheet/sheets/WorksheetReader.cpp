#include "import/spreadsheet/sheets/WorksheetReader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

#include "foundation/text/NameCompare.h"
#include "import/spreadsheet/sheets/SheetNames.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// The parser is fed this much of the part at a time: the cells of one slice wait until they are
// handed out, a few hundred of them.
constexpr std::int32_t kSliceBytes = 16 * 1024;

const char* textOf(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

// "prefix:local", for a prefix no namespace is declared for.
std::string prefixedName(const xmlChar* prefix, const xmlChar* localName) {
    std::string name = textOf(prefix);
    name += ':';
    name += textOf(localName);
    return name;
}

// An attribute the parser passes as local name, prefix, URI, value and value end.
struct AttributeItem {
    const xmlChar** item;
    const char* localName() const { return textOf(item[0]); }
    // A prefix no namespace is declared for stays part of the name, as in the parsed tree.
    bool prefixUndeclared() const { return item[1] != nullptr && item[2] == nullptr; }
    bool inNoNamespace() const { return item[1] == nullptr; }
    // With entities left unreplaced the parser writes an "&" of the value as "&#38;", for the tree
    // builder to replace; every other reference it has replaced already.
    std::string value() const {
        const std::string_view raw(textOf(item[3]), static_cast<std::size_t>(item[4] - item[3]));
        std::string text;
        std::size_t from = 0;
        for (std::size_t at = raw.find("&#38;"); at != std::string_view::npos; at = raw.find("&#38;", from)) {
            text.append(raw, from, at - from);
            text += '&';
            from = at + 5;
        }
        text.append(raw, from);
        return text;
    }
    std::string name() const { return prefixUndeclared() ? prefixedName(item[1], item[0]) : std::string(localName()); }
};

// The attribute of that name outside any namespace, as the tree's no-namespace lookup finds it.
const xmlChar** noNamespaceAttribute(const xmlChar** items, int count, const char* name) {
    for (int index = 0; index < count; ++index) {
        const AttributeItem attribute{items + index * 5};
        if (attribute.inNoNamespace() && std::strcmp(attribute.localName(), name) == 0) return attribute.item;
    }
    return nullptr;
}

// The first attribute of that local name in any namespace.
CellAttribute anyNamespaceAttribute(const xmlChar** items, int count, const char* name) {
    for (int index = 0; index < count; ++index) {
        const AttributeItem attribute{items + index * 5};
        if (!attribute.prefixUndeclared() && std::strcmp(attribute.localName(), name) == 0)
            return {true, attribute.value()};
    }
    return {};
}

std::int32_t attributeInt(const xmlChar** items, int count, const char* name, bool* present) {
    const xmlChar** found = noNamespaceAttribute(items, count, name);
    *present = found != nullptr;
    if (found == nullptr) return 0;
    const std::string text = AttributeItem{found}.value();
    return parseInteger(text.c_str(), static_cast<std::int32_t>(text.size()), 0);
}

}  // namespace

void XmlNodeRelease::operator()(xmlNode* node) const { xmlFreeNode(node); }

// The parser's events, passed on to the reader. The library calls them from C: nothing may be thrown
// through it, so running out of memory stops the parser with a reason instead.
struct WorksheetEvents {
    static WorksheetReader& readerOf(void* context) { return *static_cast<WorksheetReader*>(context); }

    template <typename Step>
    static void guarded(void* context, Step step) {
        try {
            step(readerOf(context));
        } catch (...) {
            readerOf(context).fail("no memory for the cells read");
        }
    }

    static void startElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri, int,
                             const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
        guarded(context, [&](WorksheetReader& reader) {
            const WorksheetReader::Attributes items{attributes, attributeCount};
            if (prefix != nullptr && uri == nullptr) {
                const std::string name = prefixedName(prefix, localName);
                reader.startElement(name.c_str(), nullptr, items);
            } else {
                reader.startElement(textOf(localName), textOf(uri), items);
            }
        });
    }

    static void endElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
        guarded(context, [](WorksheetReader& reader) { reader.endElement(); });
    }

    static void characters(void* context, const xmlChar* text, int length) {
        guarded(context, [&](WorksheetReader& reader) { reader.addCharacters(textOf(text), length); });
    }

    // The library reports through this handler instead of the program's: the message stays with the
    // reader, which tells it with the part's failure.
    static void recordError(void* context, xmlErrorPtr error) {
        std::string& text = readerOf(context).errorText;
        if (error == nullptr || error->level < XML_ERR_ERROR || !text.empty()) return;
        try {
            text = describeXmlError(error);
        } catch (...) {
            text.clear();
        }
    }
};

WorksheetReader::WorksheetReader(const char* bytes, std::int32_t size) : bytes(bytes), size(std::max(size, 0)) {
    xmlSAXHandler events{};
    events.initialized = XML_SAX2_MAGIC;
    events.startElementNs = WorksheetEvents::startElement;
    events.endElementNs = WorksheetEvents::endElement;
    events.characters = WorksheetEvents::characters;
    events.cdataBlock = WorksheetEvents::characters;
    events.serror = WorksheetEvents::recordError;
    parser = xmlCreatePushParserCtxt(&events, this, nullptr, 0, nullptr);
    if (parser == nullptr) {
        fail("no memory for the reader");
        return;
    }
    xmlCtxtUseOptions(parser, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
}

WorksheetReader::~WorksheetReader() {
    if (parser != nullptr) xmlFreeParserCtxt(parser);
}

void WorksheetReader::fail(const char* reason) {
    if (errorText.empty()) errorText = reason;
    finished = true;
    if (parser != nullptr) xmlStopParser(parser);
}

// Parses the next slice of the part; false when there is nothing left to parse.
bool WorksheetReader::feedSlice() {
    if (finished) return false;
    const std::int32_t slice = std::min(kSliceBytes, size - fed);
    const bool last = fed + slice >= size;
    const int code = xmlParseChunk(parser, bytes + fed, slice, last ? 1 : 0);
    fed += slice;
    finished = finished || last;
    if (code != 0 || parser->wellFormed == 0 || !errorText.empty()) {
        if (errorText.empty()) errorText = "the part is not well-formed XML";
        finished = true;
    }
    return true;
}

void WorksheetReader::startElement(const char* name, const char* uri, Attributes attributes) {
    ++depth;
    if (cellDepth >= 0) {
        startCellChild(name, attributes);
        return;
    }
    // Cells first: they are nearly every element of a part.
    if (!isSheetElement(name, uri, nullptr)) return;
    if (compareNames(name, "c") == 0) beginCell(attributes);
    else if (compareNames(name, "row") == 0) enterRow(attributes);
    else if (compareNames(name, "col") == 0) readColumn(attributes);
}

void WorksheetReader::beginCell(Attributes attributes) {
    const xmlChar** reference = noNamespaceAttribute(attributes.items, attributes.count, "r");
    cell = SheetCell{};
    cellSeen = true;
    cell.position = cursor.place(reference != nullptr ? AttributeItem{reference}.value().c_str() : nullptr);
    cell.rowStyle = rowStyle;
    cell.style = anyNamespaceAttribute(attributes.items, attributes.count, "s");
    cell.type = anyNamespaceAttribute(attributes.items, attributes.count, "t");
    cellDepth = depth;
    valueSeen = false;
    inlineSeen = false;
}

// An element inside the cell: the first "v" and the first "is" among its children, in that "is" the
// first "t" and every "r", and in each "r" its first "rPr" and first "t". Names match as the walk's
// element lookups match them (compareNames, any namespace).
void WorksheetReader::startCellChild(const char* name, Attributes attributes) {
    if (propertiesNode != nullptr) {
        propertiesNode = xmlNewChild(propertiesNode, nullptr, reinterpret_cast<const xmlChar*>(name), nullptr);
        if (propertiesNode == nullptr) throw std::bad_alloc();
        addAttributes(propertiesNode, attributes);
        return;
    }
    if (text != nullptr) return;
    if (depth == cellDepth + 1) {
        if (!valueSeen && compareNames(name, "v") == 0) {
            valueSeen = true;
            cell.hasValue = true;
            gatherText(&cell.value);
        } else if (!inlineSeen && compareNames(name, "is") == 0) {
            inlineSeen = true;
            inlineDepth = depth;
        }
    } else if (depth == inlineDepth + 1) {
        if (!cell.hasInlineText && compareNames(name, "t") == 0) {
            cell.hasInlineText = true;
            gatherText(&cell.inlineText);
        } else if (compareNames(name, "r") == 0) {
            cell.runs.emplace_back();
            runDepth = depth;
            runTextSeen = false;
            runPropertiesSeen = false;
        }
    } else if (runDepth >= 0 && depth == runDepth + 1) {
        if (!runTextSeen && compareNames(name, "t") == 0) {
            runTextSeen = true;
            gatherText(&cell.runs.back().text);
        } else if (!runPropertiesSeen && compareNames(name, "rPr") == 0) {
            runPropertiesSeen = true;
            // A tree of the run's own for the font reader, which reads elements and attributes only.
            OwnedXmlNode& properties = cell.runs.back().properties;
            properties.reset(xmlNewNode(nullptr, reinterpret_cast<const xmlChar*>(name)));
            if (!properties) throw std::bad_alloc();
            addAttributes(properties.get(), attributes);
            propertiesNode = properties.get();
            propertiesDepth = depth;
        }
    }
}

void WorksheetReader::gatherText(std::string* into) {
    text = into;
    textDepth = depth;
}

void WorksheetReader::addAttributes(xmlNode* element, Attributes attributes) {
    for (int index = 0; index < attributes.count; ++index) {
        const AttributeItem attribute{attributes.items + index * 5};
        if (xmlNewProp(element, reinterpret_cast<const xmlChar*>(attribute.name().c_str()),
                       reinterpret_cast<const xmlChar*>(attribute.value().c_str())) == nullptr)
            throw std::bad_alloc();
    }
}

void WorksheetReader::endElement() {
    if (propertiesNode != nullptr) {
        propertiesNode = depth == propertiesDepth ? nullptr : propertiesNode->parent;
        if (propertiesNode == nullptr) propertiesDepth = -1;
    }
    if (depth == textDepth) {
        text = nullptr;
        textDepth = -1;
    }
    if (depth == runDepth) runDepth = -1;
    if (depth == inlineDepth) inlineDepth = -1;
    if (depth == cellDepth) {
        cellDepth = -1;
        readCells.push_back(std::move(cell));
    }
    --depth;
}

void WorksheetReader::addCharacters(const char* characters, int length) {
    if (text != nullptr && length > 0) text->append(characters, static_cast<std::size_t>(length));
}

void WorksheetReader::enterRow(Attributes attributes) {
    bool present = false;
    cursor.enterRow(attributeInt(attributes.items, attributes.count, "r", &present));
    const bool custom = noNamespaceAttribute(attributes.items, attributes.count, "customFormat") != nullptr;
    const std::int32_t style = attributeInt(attributes.items, attributes.count, "s", &present);
    rowStyle = custom && present ? style : -1;
}

void WorksheetReader::readColumn(Attributes attributes) {
    if (cellSeen) return;
    bool hasMin = false;
    bool hasMax = false;
    bool hasStyle = false;
    const std::int32_t min = attributeInt(attributes.items, attributes.count, "min", &hasMin);
    const std::int32_t max = attributeInt(attributes.items, attributes.count, "max", &hasMax);
    const std::int32_t style = attributeInt(attributes.items, attributes.count, "style", &hasStyle);
    columns.add(hasMin, min, hasMax, max, hasStyle, style);
}

bool WorksheetReader::next(SheetCell* next) {
    // The cells read before an error are handed out before the error is told.
    while (readCells.empty())
        if (!feedSlice()) return false;
    *next = std::move(readCells.front());
    readCells.pop_front();
    return true;
}
