#include "import/spreadsheet/sheets/SheetCellScanner.h"

#include <new>
#include <string>
#include <string_view>

#include "foundation/text/NameCompare.h"
#include "import/spreadsheet/sheets/PlainXmlScanner.h"
#include "import/spreadsheet/styles/ColumnStyles.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

using plainxml::same;

// The slow half of isNamed, kept out of line: it is reached only by names spelled unlike the writers do.
bool isNamedLoosely(std::string_view name, const char* wanted) {
    char copy[plainxml::kLongestName + 1];
    plainxml::copyName(name, copy);
    return compareNames(copy, wanted) == 0;
}

// The element names the cell pass tests follow the name rule (compareNames); the writers spell them
// exactly, so that is tried first, and a first letter (after a '-') that differs already rules out most.
inline bool isNamed(std::string_view name, const char* wanted) {
    if (same(name, wanted)) return true;
    const char first = name[0] == '-' && name.size() > 1 ? name[1] : name[0];
    if ((first | 0x20) != (wanted[0] | 0x20)) return false;
    return isNamedLoosely(name, wanted);
}

// A namespace declaration is no attribute to the parser's events.
bool isDeclaration(const PlainXmlAttribute& attribute) {
    return same(attribute.name.whole, "xmlns") || same(attribute.name.prefix, "xmlns");
}

// The attribute the parser's pass would take for that name: noNamespace, the unprefixed one; else the one
// of that local name whatever its namespace (the scanner refuses two of one local name). Its value must
// stand as written, or the scanner gives up rather than rewrite it.
const PlainXmlAttribute* findAttribute(const PlainXmlAttribute* attributes, int count, const char* name, bool noNamespace) {
    for (int index = 0; index < count; ++index) {
        const PlainXmlAttribute& attribute = attributes[index];
        if (!same(attribute.name.local, name) || isDeclaration(attribute)) continue;
        if (noNamespace && !attribute.name.prefix.empty()) continue;
        if (!attribute.simple) throw PlainXmlUnsure{};
        return &attribute;
    }
    return nullptr;
}

// A cell's "r" (unprefixed), "s" and "t" (whatever their namespace), each as findAttribute would find it,
// in one pass: every cell passes through here, and the three names are one letter each.
struct CellAttributes {
    const PlainXmlAttribute* reference = nullptr;
    const PlainXmlAttribute* style = nullptr;
    const PlainXmlAttribute* type = nullptr;
};

CellAttributes cellAttributesOf(const PlainXmlAttribute* attributes, int count) {
    CellAttributes found;
    for (int index = 0; index < count; ++index) {
        const PlainXmlAttribute& attribute = attributes[index];
        if (attribute.name.local.size() != 1 || same(attribute.name.prefix, "xmlns")) continue;
        const PlainXmlAttribute** slot = nullptr;
        switch (attribute.name.local[0]) {
            case 'r':
                if (attribute.name.prefix.empty()) slot = &found.reference;
                break;
            case 's':
                slot = &found.style;
                break;
            case 't':
                slot = &found.type;
                break;
            default:
                break;
        }
        // The scanner refuses two attributes of one local name, so each slot is filled once at most.
        if (slot == nullptr) continue;
        if (!attribute.simple) throw PlainXmlUnsure{};
        *slot = &attribute;
    }
    return found;
}

// Into a cell emptied by reuse, keeping the room its text had.
void setAttribute(const PlainXmlAttribute* attribute, CellAttribute* into) {
    if (attribute == nullptr) return;
    into->present = true;
    into->value.assign(attribute->value);
}

std::int32_t integerOf(const PlainXmlAttribute* attribute) {
    if (attribute == nullptr) return 0;
    return parseInteger(attribute->value.data(), static_cast<std::int32_t>(attribute->value.size()), 0);
}

// Empties a cell for the next one, keeping the room its texts had.
void reuse(SheetCell* cell) {
    cell->style.present = false;
    cell->style.value.clear();
    cell->type.present = false;
    cell->type.value.clear();
    cell->hasValue = false;
    cell->value.clear();
    cell->hasInlineText = false;
    cell->inlineText.clear();
    cell->runs.clear();
}

}  // namespace

// The scanner's events, read as the parser's pass reads its own (WorksheetReader.cpp): depths count the
// elements open, -1 for none.
class CellEvents {
public:
    void start(const PlainXmlName& name, const PlainXmlAttribute* attributes, int count) {
        ++depth;
        if (depth == 1 && !isSheetNamespace(attributes, count)) throw PlainXmlUnsure{};
        if (cellDepth >= 0) {
            startCellChild(name, attributes, count);
            return;
        }
        if (!name.prefix.empty()) {
            if (isNamed(name.local, "c") || isNamed(name.local, "row") || isNamed(name.local, "col")) throw PlainXmlUnsure{};
            return;
        }
        if (isNamed(name.local, "c")) beginCell(attributes, count);
        else if (isNamed(name.local, "row")) enterRow(attributes, count);
        else if (isNamed(name.local, "col")) readColumn(attributes, count);
    }

    void end() {
        if (propertiesNode != nullptr) {
            propertiesNode = depth == propertiesDepth ? nullptr : propertiesNode->parent;
            if (propertiesNode == nullptr) propertiesDepth = -1;
        }
        if (depth == textDepth) {
            gathered = nullptr;
            textDepth = -1;
        }
        if (depth == runDepth) runDepth = -1;
        if (depth == inlineDepth) inlineDepth = -1;
        if (depth == cellDepth) {
            cellDepth = -1;
            ready = true;
        }
        --depth;
    }

    void text(const char* start, const char* stop, bool plain) {
        if (gathered == nullptr) return;
        if (plain) gathered->append(start, static_cast<std::size_t>(stop - start));
        else appendXmlText(start, stop, gathered);
    }

    SheetCell* cell = nullptr;  // the caller's cell, filled in place as the part is read
    bool ready = false;
    ColumnStyles columns;

private:
    CellCursor cursor;
    std::int32_t rowStyle = -1;
    bool cellSeen = false;
    std::int32_t depth = 0;
    std::int32_t cellDepth = -1;
    bool inlineSeen = false;
    std::int32_t inlineDepth = -1;
    bool valueSeen = false;
    std::int32_t runDepth = -1;
    bool runTextSeen = false;
    bool runPropertiesSeen = false;
    std::string* gathered = nullptr;  // the text being gathered, of the element at textDepth
    std::int32_t textDepth = -1;
    xmlNode* propertiesNode = nullptr;
    std::int32_t propertiesDepth = -1;

    void beginCell(const PlainXmlAttribute* attributes, int count) {
        reuse(cell);
        cellSeen = true;
        const CellAttributes found = cellAttributesOf(attributes, count);
        cell->position = found.reference != nullptr ? cursor.place(found.reference->value) : cursor.place(nullptr);
        cell->rowStyle = rowStyle;
        setAttribute(found.style, &cell->style);
        setAttribute(found.type, &cell->type);
        cellDepth = depth;
        valueSeen = false;
        inlineSeen = false;
    }

    // The same children as the parser's pass takes; a prefixed one (whose namespace that pass would not
    // look at) or an element inside a text is left to the parser.
    void startCellChild(const PlainXmlName& name, const PlainXmlAttribute* attributes, int count) {
        if (!name.prefix.empty() || gathered != nullptr) throw PlainXmlUnsure{};
        if (propertiesNode != nullptr) {
            propertiesNode = xmlNewChild(propertiesNode, nullptr, nameOf(name).c_str(), nullptr);
            if (propertiesNode == nullptr) throw std::bad_alloc();
            addAttributes(propertiesNode, attributes, count);
            return;
        }
        if (depth == cellDepth + 1) {
            if (!valueSeen && isNamed(name.local, "v")) {
                valueSeen = true;
                cell->hasValue = true;
                gatherText(&cell->value);
            } else if (!inlineSeen && isNamed(name.local, "is")) {
                inlineSeen = true;
                inlineDepth = depth;
            }
        } else if (depth == inlineDepth + 1) {
            if (!cell->hasInlineText && isNamed(name.local, "t")) {
                cell->hasInlineText = true;
                gatherText(&cell->inlineText);
            } else if (isNamed(name.local, "r")) {
                cell->runs.emplace_back();
                runDepth = depth;
                runTextSeen = false;
                runPropertiesSeen = false;
            }
        } else if (runDepth >= 0 && depth == runDepth + 1) {
            if (!runTextSeen && isNamed(name.local, "t")) {
                runTextSeen = true;
                gatherText(&cell->runs.back().text);
            } else if (!runPropertiesSeen && isNamed(name.local, "rPr")) {
                runPropertiesSeen = true;
                OwnedXmlNode& properties = cell->runs.back().properties;
                properties.reset(xmlNewNode(nullptr, nameOf(name).c_str()));
                if (!properties) throw std::bad_alloc();
                addAttributes(properties.get(), attributes, count);
                propertiesNode = properties.get();
                propertiesDepth = depth;
            }
        }
    }

    static std::basic_string<xmlChar> nameOf(const PlainXmlName& name) {
        return {reinterpret_cast<const xmlChar*>(name.whole.data()), name.whole.size()};
    }

    // The run properties' attributes, as the parser's pass copies them into their tree.
    static void addAttributes(xmlNode* element, const PlainXmlAttribute* attributes, int count) {
        for (int index = 0; index < count; ++index) {
            const PlainXmlAttribute& attribute = attributes[index];
            if (isDeclaration(attribute)) continue;
            if (!attribute.name.prefix.empty() || !attribute.simple) throw PlainXmlUnsure{};
            const std::string name(attribute.name.whole);
            const std::string value(attribute.value);
            if (xmlNewProp(element, reinterpret_cast<const xmlChar*>(name.c_str()),
                           reinterpret_cast<const xmlChar*>(value.c_str())) == nullptr)
                throw std::bad_alloc();
        }
    }

    void gatherText(std::string* into) {
        gathered = into;
        textDepth = depth;
    }

    void enterRow(const PlainXmlAttribute* attributes, int count) {
        cursor.enterRow(integerOf(findAttribute(attributes, count, "r", true)));
        const bool custom = findAttributeAnyValue(attributes, count, "customFormat");
        const PlainXmlAttribute* style = findAttribute(attributes, count, "s", true);
        rowStyle = custom && style != nullptr ? integerOf(style) : -1;
    }

    // Only whether the attribute is there counts, whatever its value.
    static bool findAttributeAnyValue(const PlainXmlAttribute* attributes, int count, const char* name) {
        for (int index = 0; index < count; ++index)
            if (attributes[index].name.prefix.empty() && same(attributes[index].name.local, name)) return true;
        return false;
    }

    void readColumn(const PlainXmlAttribute* attributes, int count) {
        if (cellSeen) return;
        const PlainXmlAttribute* min = findAttribute(attributes, count, "min", true);
        const PlainXmlAttribute* max = findAttribute(attributes, count, "max", true);
        const PlainXmlAttribute* style = findAttribute(attributes, count, "style", true);
        columns.add(min != nullptr, integerOf(min), max != nullptr, integerOf(max), style != nullptr, integerOf(style));
    }
};

struct SheetCellScanner::State {
    explicit State(std::unique_ptr<PartByteStream> stream, SheetWindowSize windowSize)
        : window(std::move(stream), windowSize), scanner(window.bytes(), window.size(), events) {}
    SheetByteWindow window;
    CellEvents events;
    PlainXmlScanner<CellEvents> scanner;
    bool begun = false;
    bool unsure = false;
    bool ended = false;
};

SheetCellScanner::SheetCellScanner(const char* bytes, std::int32_t size, SheetWindowSize windowSize)
    : SheetCellScanner(std::make_unique<MemoryByteStream>(bytes, size), windowSize) {}

SheetCellScanner::SheetCellScanner(std::unique_ptr<PartByteStream> stream, SheetWindowSize windowSize)
    : state(std::make_unique<State>(std::move(stream), windowSize)) {
    if (state->window.size() <= 0) state->unsure = true;
}

SheetCellScanner::~SheetCellScanner() = default;

CellScan SheetCellScanner::next(SheetCell* cell) {
    State& s = *state;
    if (s.unsure) return CellScan::kUnsure;
    if (s.ended) return CellScan::kEnd;
    // A cell opens and closes within one call, so it is read straight into the caller's, whose texts keep
    // their room from one cell to the next.
    s.events.cell = cell;
    try {
        if (!s.begun) {
            s.begun = true;
            s.scanner.begin();
        }
        while (!s.events.ready) {
            s.window.keepAhead(s.scanner);
            if (!s.scanner.step()) {
                // The root closed, but more than blanks may follow beyond the window.
                if (!s.window.holdsEnd()) throw PlainXmlUnsure{};
                s.ended = true;
                return CellScan::kEnd;
            }
        }
    } catch (const PlainXmlUnsure&) {
        s.unsure = true;
        return CellScan::kUnsure;
    }
    s.events.ready = false;
    return CellScan::kCell;
}

std::int32_t SheetCellScanner::columnStyle(std::int32_t column) const { return state->events.columns.styleOf(column); }
