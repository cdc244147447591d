#pragma once
// The byte scanner under the fast passes over a worksheet part: it steps over the plain XML spreadsheet
// writers produce, checking everything it steps over as the parser would, and hands each start tag (with
// its attributes), end tag and run of character data to a handler. Whatever it does not fully understand
// (comments, CDATA, processing instructions, a document type, an encoding other than UTF-8, a default
// namespace below the root, a prefix it has not seen declared, an unknown entity, malformed markup, ...)
// throws PlainXmlUnsure, and the caller reads the part with the parser instead, which also tells why a
// part is malformed. So a pass built on it never decides anything the parser would decide otherwise.
//
// A handler has:
//   void start(const PlainXmlName& name, const PlainXmlAttribute* attributes, int count);
//   void end();
//   void text(const char* start, const char* stop, bool plain);  // plain: no reference, no CR
// and may throw PlainXmlUnsure itself.
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

// Thrown when the scanner (or its handler) meets something it does not fully understand.
struct PlainXmlUnsure {};

// One qualified name as it stands in the part.
struct PlainXmlName {
    std::string_view prefix;
    std::string_view local;
    std::string_view whole;
};

struct PlainXmlAttribute {
    PlainXmlName name;
    std::string_view value;  // as written, between the quotes
    bool simple;             // no reference and no blank other than a space: the value is as written
};

// Appends raw character data, checked by the scanner, with its references replaced and its line ends
// (CR LF, lone CR) made LF, as the parser hands it over.
void appendXmlText(const char* start, const char* stop, std::string* into);

// Whether the unprefixed names of an element with these attributes are SpreadsheetML's (or in no
// namespace): for the root, whose default namespace is the only one the scanner accepts.
bool isSheetNamespace(const PlainXmlAttribute* attributes, int count);

namespace plainxml {

// Well inside the parser's own limits (nesting 256, names 50000, texts 10 MB), so a part the scanner
// accepts is never one the parser would refuse for its size.
constexpr int kDeepestNesting = 128;
constexpr std::size_t kLongestName = 63;
constexpr std::size_t kLongestText = 1000000;
constexpr int kMostAttributes = 32;
constexpr int kMostPrefixes = 32;

constexpr bool isSpace(unsigned char byte) { return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r'; }
constexpr bool isNameStart(unsigned char byte) { return (byte | 0x20) >= 'a' && (byte | 0x20) <= 'z' ? true : byte == '_'; }
constexpr bool isNameByte(unsigned char byte) {
    return isNameStart(byte) || (byte >= '0' && byte <= '9') || byte == '.' || byte == '-';
}
constexpr bool isXmlChar(std::uint32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Bytes that text and attribute values pass over without a second look: printable ASCII other than the
// ones that start markup, a reference or "]]>", and the blanks but CR (which the parser rewrites).
struct PlainBytes {
    bool text[256] = {};
    bool value[256] = {};
    bool localName[256] = {};  // within a name or either side of its colon
    bool name[256] = {};       // within a qualified name, the ':' included
    bool space[256] = {};
    constexpr PlainBytes() {
        space[' '] = space['\t'] = space['\n'] = space['\r'] = true;
        for (int byte = 0; byte < 256; ++byte) {
            localName[byte] = isNameByte(static_cast<unsigned char>(byte));
            name[byte] = localName[byte] || byte == ':';
        }
        for (int byte = 0x20; byte < 0x80; ++byte) text[byte] = value[byte] = true;
        text['<'] = text['&'] = text[']'] = false;
        value['<'] = value['&'] = value['"'] = value['\''] = false;
        text['\t'] = text['\n'] = true;
    }
};
inline constexpr PlainBytes kPlain;

inline bool same(std::string_view text, const char* literal) {
    std::size_t index = 0;
    for (; index < text.size(); ++index)
        if (literal[index] != text[index]) return false;
    return literal[index] == '\0';
}

// Names and references are a few bytes long: a plain loop beats a call into the C library.
inline bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t index = 0; index < a.size(); ++index)
        if (a[index] != b[index]) return false;
    return true;
}

// Whether the bytes at at (at least as many as the text has) start with the text.
inline bool startsWith(const unsigned char* at, std::string_view text) {
    for (std::size_t index = 0; index < text.size(); ++index)
        if (at[index] != static_cast<unsigned char>(text[index])) return false;
    return true;
}

// Copies a text known to fit, NUL-terminated.
inline void copyName(std::string_view text, char* into) {
    for (char c : text) *into++ = c;
    *into = '\0';
}

// Whether the parser takes the value as a namespace name without an error: a URI it can parse, not
// empty, and neither of the names reserved for the "xml" and "xmlns" prefixes.
bool isAcceptedNamespace(std::string_view value);

// The character a reference ("&" seen, at points past it) stands for, checked; at ends past its ';'.
std::uint32_t referenceAt(const unsigned char*& at, const unsigned char* end);
// A character outside ASCII at at, checked as the parser would take it (strict UTF-8 and an allowed XML
// character); at ends past it.
void wideCharacterAt(const unsigned char*& at, const unsigned char* end);

}  // namespace plainxml

template <typename Handler>
class PlainXmlScanner {
public:
    PlainXmlScanner(const char* bytes, std::int32_t size, Handler& handler)
        : at(reinterpret_cast<const unsigned char*>(bytes)), end(at + (size > 0 ? size : 0)), handler(handler) {}

    // The prolog and the root's start tag.
    void begin() {
        prolog();
        element();
    }
    // Character data, then the next tag; false once the root has closed and nothing but blanks follows.
    bool step() {
        if (depth == 0) {
            skipSpace();
            if (at != end) throw PlainXmlUnsure{};
            return false;
        }
        content();
        if (at + 1 < end && at[1] == '/') {
            closeElement();
        } else {
            element();
        }
        return true;
    }

    // For a part fed piece by piece (SheetByteWindow.h), between steps: the bytes not read yet, from
    // position() on.
    const char* position() const { return reinterpret_cast<const char*>(at); }
    std::int32_t unread() const { return static_cast<std::int32_t>(end - at); }
    // Copies the names still in use (the open elements', the prefixes in scope) out of the bytes read, so
    // that those may be overwritten.
    void keepNames() {
        for (int index = 0; index < depth; ++index) open[index] = keep(open[index], kept[index]);
        for (int index = 0; index < declaredCount; ++index)
            declared[index].prefix = keep(declared[index].prefix, kept[plainxml::kDeepestNesting + index]);
    }
    // The unread bytes now lie at bytes (the names were kept first); size counts them and those after.
    void moveTo(const char* bytes, std::int32_t size) {
        at = reinterpret_cast<const unsigned char*>(bytes);
        end = at + (size > 0 ? size : 0);
    }

private:
    static std::string_view keep(std::string_view name, char (&into)[plainxml::kLongestName + 1]) {
        if (name.data() != into) std::memcpy(into, name.data(), name.size());
        return {into, name.size()};
    }

    struct Declared {
        std::string_view prefix;
        int depth;
    };

    const unsigned char* at;
    const unsigned char* end;
    Handler& handler;
    std::string_view open[plainxml::kDeepestNesting];
    int depth = 0;
    Declared declared[plainxml::kMostPrefixes];
    int declaredCount = 0;
    // Where keepNames puts the open elements' names, then the prefixes'.
    char kept[plainxml::kDeepestNesting + plainxml::kMostPrefixes][plainxml::kLongestName + 1];

    unsigned char peek(std::size_t ahead = 0) const {
        if (at + ahead >= end) throw PlainXmlUnsure{};
        return at[ahead];
    }
    void expect(char byte) {
        if (peek() != static_cast<unsigned char>(byte)) throw PlainXmlUnsure{};
        ++at;
    }
    bool startsWith(const char* text) const {
        const std::size_t length = std::strlen(text);
        return static_cast<std::size_t>(end - at) >= length && std::memcmp(at, text, length) == 0;
    }
    // Byte loops run on a local pointer: the bytes read could alias the member, which would have to be
    // written back and read again at every step.
    void skipSpace() { at = skipPlain(at, plainxml::kPlain.space); }
    const unsigned char* skipPlain(const unsigned char* next, const bool (&plain)[256]) const {
        const unsigned char* const stop = end;
        while (next < stop && plain[*next]) ++next;
        return next;
    }

    // An optional UTF-8 byte order mark and declaration, then blanks up to the root.
    void prolog() {
        if (startsWith("\xEF\xBB\xBF")) at += 3;
        if (startsWith("<?xml") && end - at > 5 && plainxml::isSpace(at[5])) declaration();
        skipSpace();
        if (peek() != '<' || !plainxml::isNameStart(peek(1))) throw PlainXmlUnsure{};
    }

    // version "1.0", then optionally a UTF-8 encoding and a standalone flag, in that order.
    void declaration() {
        at += 5;
        std::string_view name;
        std::string_view value;
        pseudoAttribute(&name, &value);
        if (name != "version" || value != "1.0") throw PlainXmlUnsure{};
        bool more = nextPseudoAttribute(&name, &value);
        if (more && name == "encoding") {
            if (value != "UTF-8" && value != "utf-8") throw PlainXmlUnsure{};
            more = nextPseudoAttribute(&name, &value);
        }
        if (more && (name != "standalone" || (value != "yes" && value != "no"))) throw PlainXmlUnsure{};
        if (more && nextPseudoAttribute(&name, &value)) throw PlainXmlUnsure{};
        skipSpace();
        expect('?');
        expect('>');
    }
    // False at the declaration's end; a pseudo-attribute must follow a blank.
    bool nextPseudoAttribute(std::string_view* name, std::string_view* value) {
        const bool spaced = at < end && plainxml::isSpace(*at);
        skipSpace();
        if (peek() == '?') return false;
        if (!spaced) throw PlainXmlUnsure{};
        pseudoAttribute(name, value);
        return true;
    }
    void pseudoAttribute(std::string_view* name, std::string_view* value) {
        skipSpace();
        const unsigned char* start = at;
        while (at < end && (*at | 0x20) >= 'a' && (*at | 0x20) <= 'z') ++at;
        *name = std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(at - start));
        skipSpace();
        expect('=');
        skipSpace();
        const unsigned char quote = peek();
        if (quote != '"' && quote != '\'') throw PlainXmlUnsure{};
        start = ++at;
        while (peek() != quote) {
            if (!plainxml::isNameByte(*at)) throw PlainXmlUnsure{};
            ++at;
        }
        *value = std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(at - start));
        ++at;
    }

    // A name, its prefix (if any) split off at its one colon.
    PlainXmlName qualifiedName() {
        const unsigned char* const start = at;
        if (!plainxml::isNameStart(peek())) throw PlainXmlUnsure{};
        const unsigned char* next = skipPlain(at + 1, plainxml::kPlain.localName);
        const unsigned char* colon = nullptr;
        if (next < end && *next == ':') {
            colon = next;
            if (colon + 1 == end || !plainxml::isNameStart(colon[1])) throw PlainXmlUnsure{};
            next = skipPlain(colon + 2, plainxml::kPlain.localName);
            if (next < end && *next == ':') throw PlainXmlUnsure{};
        }
        at = next;
        const auto length = static_cast<std::size_t>(next - start);
        if (length > plainxml::kLongestName) throw PlainXmlUnsure{};
        const std::string_view whole(reinterpret_cast<const char*>(start), length);
        if (colon == nullptr) return {{}, whole, whole};
        const auto prefixLength = static_cast<std::size_t>(colon - start);
        return {whole.substr(0, prefixLength), whole.substr(prefixLength + 1), whole};
    }

    // Character data up to the next '<' (which must come), handed over when there is any.
    void content() {
        const unsigned char* start = at;
        // Most tags follow one another with nothing between them.
        if (start < end && *start == '<') return;
        bool plain = true;
        for (;;) {
            at = skipPlain(at, plainxml::kPlain.text);
            if (peek() == '<') break;
            const unsigned char byte = *at;
            if (byte >= 0x80) {
                plainxml::wideCharacterAt(at, end);
            } else if (byte == '&') {
                plain = false;
                plainxml::referenceAt(at, end);
            } else if (byte == ']') {
                if (startsWith("]]>")) throw PlainXmlUnsure{};
                ++at;
            } else {
                if (byte != '\r') throw PlainXmlUnsure{};
                plain = false;
                ++at;
            }
        }
        if (static_cast<std::size_t>(at - start) > plainxml::kLongestText) throw PlainXmlUnsure{};
        if (at != start)
            handler.text(reinterpret_cast<const char*>(start), reinterpret_cast<const char*>(at), plain);
    }

    // An attribute value up to its closing quote.
    std::string_view attributeValue(bool* simple) {
        const unsigned char quote = peek();
        if (quote != '"' && quote != '\'') throw PlainXmlUnsure{};
        const unsigned char* start = ++at;
        *simple = true;
        for (;;) {
            at = skipPlain(at, plainxml::kPlain.value);
            const unsigned char byte = peek();
            if (byte == quote) break;
            if (byte >= 0x80) {
                plainxml::wideCharacterAt(at, end);
                continue;
            }
            if (byte == '<') throw PlainXmlUnsure{};
            if (byte == '&') {
                *simple = false;
                plainxml::referenceAt(at, end);
                continue;
            }
            if (byte < 0x20) {
                if (!plainxml::isSpace(byte)) throw PlainXmlUnsure{};
                *simple = false;
            }
            ++at;
        }
        const std::string_view value(reinterpret_cast<const char*>(start), static_cast<std::size_t>(at - start));
        if (value.size() > plainxml::kLongestText) throw PlainXmlUnsure{};
        ++at;
        return value;
    }

    // Whether a prefix in use has a declaration in scope, as the parser requires of it.
    bool isDeclared(std::string_view prefix) const {
        if (prefix.empty() || plainxml::same(prefix, "xml")) return true;
        for (int index = 0; index < declaredCount; ++index)
            if (plainxml::sameName(declared[index].prefix, prefix)) return true;
        return false;
    }

    // Namespace declarations: a default one only on the root, prefixed ones anywhere, each kept until its
    // element closes.
    void declare(const PlainXmlAttribute& attribute) {
        using plainxml::same;
        if (same(attribute.name.whole, "xmlns")) {
            if (depth > 0 || !attribute.simple || !plainxml::isAcceptedNamespace(attribute.value)) throw PlainXmlUnsure{};
        } else if (same(attribute.name.prefix, "xmlns")) {
            if (!attribute.simple || !plainxml::isAcceptedNamespace(attribute.value) || same(attribute.name.local, "xml") ||
                same(attribute.name.local, "xmlns") ||
                declaredCount == plainxml::kMostPrefixes)
                throw PlainXmlUnsure{};
            declared[declaredCount++] = {attribute.name.local, depth + 1};
        }
    }

    // A start tag ('<' seen) with its attributes; an empty element also ends at once.
    void element() {
        expect('<');
        const PlainXmlName name = qualifiedName();
        if (depth == plainxml::kDeepestNesting || plainxml::same(name.prefix, "xmlns")) throw PlainXmlUnsure{};
        // Left unconstructed: only the first count are ever read, and every element passes through here.
        union Slots {
            Slots() {}
            PlainXmlAttribute items[plainxml::kMostAttributes];
        } slots;
        PlainXmlAttribute* const attributes = slots.items;
        int count = 0;
        bool prefixed = !name.prefix.empty();
        for (;;) {
            const unsigned char* const before = at;
            skipSpace();
            const unsigned char next = peek();
            if (next == '>' || next == '/') break;
            if (at == before || count == plainxml::kMostAttributes) throw PlainXmlUnsure{};
            PlainXmlAttribute& attribute = *new (&attributes[count]) PlainXmlAttribute{qualifiedName(), {}, false};
            // Writers put no blanks around the '=': that form is checked first.
            if (peek() != '=') skipSpace();
            expect('=');
            if (peek() != '"') skipSpace();
            attribute.value = attributeValue(&attribute.simple);
            for (int index = 0; index < count; ++index)
                if (plainxml::sameName(attributes[index].name.local, attribute.name.local)) throw PlainXmlUnsure{};
            if (!attribute.name.prefix.empty()) {
                prefixed = true;
                declare(attribute);
            } else if (attribute.name.whole.size() == 5) {
                declare(attribute);
            }
            ++count;
        }
        if (depth == 0 && !name.prefix.empty()) throw PlainXmlUnsure{};
        if (prefixed) {
            if (plainxml::same(name.prefix, "xml") || !isDeclared(name.prefix)) throw PlainXmlUnsure{};
            for (int index = 0; index < count; ++index)
                if (!plainxml::same(attributes[index].name.prefix, "xmlns") && !isDeclared(attributes[index].name.prefix))
                    throw PlainXmlUnsure{};
        }
        handler.start(name, attributes, count);
        if (peek() == '/') {
            ++at;
            expect('>');
            handler.end();
            forget(depth);
            return;
        }
        ++at;
        open[depth++] = name.whole;
    }

    // The declarations of elements deeper than level go out of scope.
    void forget(int level) {
        while (declaredCount > 0 && declared[declaredCount - 1].depth > level) --declaredCount;
    }

    // An end tag ("</" seen). Its name must be the open element's byte for byte, and end there: that name
    // was checked when the element opened.
    void closeElement() {
        at += 2;
        const std::string_view name = open[depth - 1];
        if (static_cast<std::size_t>(end - at) <= name.size() || !plainxml::startsWith(at, name) ||
            plainxml::kPlain.name[at[name.size()]])
            throw PlainXmlUnsure{};
        at += name.size();
        skipSpace();
        expect('>');
        --depth;
        forget(depth);
        handler.end();
    }
};
