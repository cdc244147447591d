#include "import/spreadsheet/SheetScanner.h"

#include <cstring>
#include <string_view>

#include "foundation/NameCompare.h"
#include "import/spreadsheet/SheetExtentTracker.h"
#include "import/spreadsheet/SheetNames.h"

namespace {

// Well inside the parser's own limits (nesting 256, names 50000, texts 10 MB), so a part the scanner
// accepts is never one the parser would refuse for its size.
constexpr int kDeepestNesting = 128;
constexpr std::size_t kLongestName = 63;
constexpr std::size_t kLongestText = 1000000;
constexpr int kMostAttributes = 32;

// Thrown inside the scanner when it meets something it does not fully understand.
struct Unsure {};

constexpr bool isSpace(unsigned char byte) { return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r'; }
constexpr bool isNameStart(unsigned char byte) { return (byte | 0x20) >= 'a' && (byte | 0x20) <= 'z' ? true : byte == '_'; }
constexpr bool isNameByte(unsigned char byte) {
    return isNameStart(byte) || (byte >= '0' && byte <= '9') || byte == '.' || byte == '-';
}
bool isXmlChar(std::uint32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Bytes that text and attribute values pass over without a second look: printable ASCII other than the
// ones that start markup, a reference or "]]>", and the blanks.
struct PlainBytes {
    bool text[256] = {};
    bool value[256] = {};
    bool name[256] = {};  // within a qualified name, the ':' included
    constexpr PlainBytes() {
        for (int byte = 0; byte < 256; ++byte) name[byte] = isNameByte(static_cast<unsigned char>(byte)) || byte == ':';
        for (int byte = 0x20; byte < 0x80; ++byte) text[byte] = value[byte] = true;
        text['<'] = text['&'] = text[']'] = false;
        value['<'] = value['&'] = value['"'] = value['\''] = false;
        text['\t'] = text['\n'] = text['\r'] = true;
    }
};
constexpr PlainBytes kPlain;

bool same(std::string_view text, const char* literal) {
    std::size_t index = 0;
    for (; index < text.size(); ++index)
        if (literal[index] != text[index]) return false;
    return literal[index] == '\0';
}

// Names and references are a few bytes long: a plain loop beats a call into the C library.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t index = 0; index < a.size(); ++index)
        if (a[index] != b[index]) return false;
    return true;
}
// Copies a text known to fit, NUL-terminated.
void copyName(std::string_view text, char* into) {
    for (char c : text) *into++ = c;
    *into = '\0';
}

// One qualified name as it stands in the part.
struct QName {
    std::string_view prefix;
    std::string_view local;
    std::string_view whole;
};

class Scanner {
public:
    Scanner(const char* bytes, std::int32_t size, SheetExtent* extent)
        : at(reinterpret_cast<const unsigned char*>(bytes)), end(at + size), tracker(extent) {}

    bool run() {
        prolog();
        element();
        while (depth > 0) {
            content();
            if (at + 1 < end && at[1] == '/') {
                closeElement();
            } else {
                element();
            }
        }
        skipSpace();
        if (at != end) throw Unsure{};
        return tracker.isWorksheet();
    }

private:
    const unsigned char* at;
    const unsigned char* end;
    SheetExtentTracker tracker;
    std::string_view open[kDeepestNesting];
    int depth = 0;
    bool rootIsSheet = false;

    unsigned char peek(std::size_t ahead = 0) const {
        if (at + ahead >= end) throw Unsure{};
        return at[ahead];
    }
    void expect(char byte) {
        if (peek() != static_cast<unsigned char>(byte)) throw Unsure{};
        ++at;
    }
    bool startsWith(const char* text) const {
        const std::size_t length = std::strlen(text);
        return static_cast<std::size_t>(end - at) >= length && std::memcmp(at, text, length) == 0;
    }
    // Byte loops run on a local pointer: the bytes read could alias the member, which would have to be
    // written back and read again at every step.
    void skipSpace() {
        const unsigned char* next = at;
        while (next < end && isSpace(*next)) ++next;
        at = next;
    }
    const unsigned char* skipPlain(const unsigned char* next, const bool (&plain)[256]) const {
        const unsigned char* const stop = end;
        while (next < stop && plain[*next]) ++next;
        return next;
    }
    void requireSpace() {
        if (!isSpace(peek())) throw Unsure{};
        skipSpace();
    }

    // An optional UTF-8 byte order mark and declaration, then blanks up to the root.
    void prolog() {
        if (startsWith("\xEF\xBB\xBF")) at += 3;
        if (startsWith("<?xml") && end - at > 5 && isSpace(at[5])) declaration();
        skipSpace();
        if (peek() != '<' || !isNameStart(peek(1))) throw Unsure{};
    }

    // version "1.0", then optionally a UTF-8 encoding and a standalone flag, in that order.
    void declaration() {
        at += 5;
        std::string_view name;
        std::string_view value;
        pseudoAttribute(&name, &value);
        if (name != "version" || value != "1.0") throw Unsure{};
        bool more = nextPseudoAttribute(&name, &value);
        if (more && name == "encoding") {
            if (value != "UTF-8" && value != "utf-8") throw Unsure{};
            more = nextPseudoAttribute(&name, &value);
        }
        if (more && (name != "standalone" || (value != "yes" && value != "no"))) throw Unsure{};
        if (more && nextPseudoAttribute(&name, &value)) throw Unsure{};
        skipSpace();
        expect('?');
        expect('>');
    }
    // False at the declaration's end; a pseudo-attribute must follow a blank.
    bool nextPseudoAttribute(std::string_view* name, std::string_view* value) {
        const bool spaced = at < end && isSpace(*at);
        skipSpace();
        if (peek() == '?') return false;
        if (!spaced) throw Unsure{};
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
        if (quote != '"' && quote != '\'') throw Unsure{};
        start = ++at;
        while (peek() != quote) {
            if (!isNameByte(*at)) throw Unsure{};
            ++at;
        }
        *value = std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(at - start));
        ++at;
    }

    QName qualifiedName() {
        const unsigned char* start = at;
        const unsigned char* colon = nullptr;
        if (!isNameStart(peek())) throw Unsure{};
        const unsigned char* next = at + 1;
        for (; next < end && kPlain.name[*next]; ++next) {
            if (*next != ':') continue;
            if (colon != nullptr) throw Unsure{};
            colon = next;
        }
        at = next;
        const std::size_t length = static_cast<std::size_t>(at - start);
        if (length > kLongestName || colon == at - 1 || (colon != nullptr && !isNameStart(colon[1]))) throw Unsure{};
        const std::string_view whole(reinterpret_cast<const char*>(start), length);
        if (colon == nullptr) return {{}, whole, whole};
        const auto prefixLength = static_cast<std::size_t>(colon - start);
        return {whole.substr(0, prefixLength), whole.substr(prefixLength + 1), whole};
    }

    // "&" has been seen: one of the five predefined entities or a reference to an allowed character.
    void reference() {
        ++at;
        if (peek() == '#') {
            ++at;
            const bool hex = peek() == 'x';
            if (hex) ++at;
            std::uint32_t code = 0;
            int digits = 0;
            for (;; ++at, ++digits) {
                const unsigned char byte = peek();
                int value = -1;
                if (byte >= '0' && byte <= '9') value = byte - '0';
                else if (hex && (byte | 0x20) >= 'a' && (byte | 0x20) <= 'f') value = (byte | 0x20) - 'a' + 10;
                if (value < 0) break;
                if (digits == 8) throw Unsure{};
                code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
            }
            if (digits == 0 || !isXmlChar(code)) throw Unsure{};
        } else {
            const char* const names[] = {"lt;", "gt;", "amp;", "quot;", "apos;"};
            bool known = false;
            for (const char* name : names) {
                if (!startsWith(name)) continue;
                at += std::strlen(name) - 1;
                known = true;
                break;
            }
            if (!known) throw Unsure{};
        }
        expect(';');
    }

    // A character outside ASCII, checked as the parser would take it (strict UTF-8 and an allowed XML
    // character); anything else is left to the parser.
    void wideCharacter() {
        const unsigned char lead = *at;
        int trailing = 0;
        std::uint32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trailing = 1;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trailing = 2;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trailing = 3;
            code = lead & 0x07u;
        } else {
            throw Unsure{};
        }
        for (int index = 1; index <= trailing; ++index) {
            const unsigned char next = peek(static_cast<std::size_t>(index));
            if ((next & 0xC0) != 0x80) throw Unsure{};
            code = (code << 6) | (next & 0x3Fu);
        }
        const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < smallest[trailing] || !isXmlChar(code)) throw Unsure{};
        at += trailing + 1;
    }

    // Character data up to the next '<' (which must come); tells the tracker when there is any.
    void content() {
        const unsigned char* start = at;
        for (;;) {
            at = skipPlain(at, kPlain.text);
            if (peek() == '<') break;
            const unsigned char byte = *at;
            if (byte >= 0x80) {
                wideCharacter();
            } else if (byte == '&') {
                reference();
            } else if (byte == ']') {
                if (startsWith("]]>")) throw Unsure{};
                ++at;
            } else {
                if (byte < 0x20 && !isSpace(byte)) throw Unsure{};
                ++at;
            }
        }
        if (static_cast<std::size_t>(at - start) > kLongestText) throw Unsure{};
        if (at != start) tracker.text();
    }

    // An attribute value up to its closing quote; simple when it holds no reference and no blank other
    // than a space (which the parser would rewrite).
    std::string_view attributeValue(bool* simple) {
        const unsigned char quote = peek();
        if (quote != '"' && quote != '\'') throw Unsure{};
        const unsigned char* start = ++at;
        *simple = true;
        for (;;) {
            at = skipPlain(at, kPlain.value);
            const unsigned char byte = peek();
            if (byte == quote) break;
            if (byte >= 0x80) {
                wideCharacter();
                continue;
            }
            if (byte == '<') throw Unsure{};
            if (byte == '&') {
                *simple = false;
                reference();
                continue;
            }
            if (byte < 0x20) {
                if (!isSpace(byte)) throw Unsure{};
                *simple = false;
            }
            ++at;
        }
        const std::string_view value(reinterpret_cast<const char*>(start), static_cast<std::size_t>(at - start));
        if (value.size() > kLongestText) throw Unsure{};
        ++at;
        return value;
    }

    // A start tag ('<' seen) with its attributes; an empty element also ends at once.
    void element() {
        expect('<');
        const QName name = qualifiedName();
        if (depth == kDeepestNesting || same(name.prefix, "xmlns")) throw Unsure{};
        // Left uninitialised: only the first count are ever read, and every element passes through here.
        const char* localStarts[kMostAttributes];
        std::size_t localSizes[kMostAttributes];
        int count = 0;
        char reference[32];
        bool hasReference = false;
        std::string_view defaultNamespace;
        bool declaresDefault = false;
        for (;;) {
            const bool spaced = at < end && isSpace(*at);
            skipSpace();
            if (peek() == '>' || peek() == '/') break;
            if (!spaced || count == kMostAttributes) throw Unsure{};
            const QName attribute = qualifiedName();
            skipSpace();
            expect('=');
            skipSpace();
            bool simple = false;
            const std::string_view value = attributeValue(&simple);
            for (int index = 0; index < count; ++index)
                if (sameName(std::string_view(localStarts[index], localSizes[index]), attribute.local)) throw Unsure{};
            localStarts[count] = attribute.local.data();
            localSizes[count++] = attribute.local.size();
            if (same(attribute.whole, "xmlns")) {
                if (depth > 0 || !simple || value.empty()) throw Unsure{};
                defaultNamespace = value;
                declaresDefault = true;
            } else if (same(attribute.prefix, "xmlns")) {
                if (value.empty() || same(attribute.local, "xml") || same(attribute.local, "xmlns")) throw Unsure{};
            } else if (same(attribute.whole, "r")) {
                if (!simple) throw Unsure{};
                hasReference = value.size() < sizeof reference;
                if (hasReference) copyName(value, reference);
            } else if (same(attribute.local, "r")) {
                throw Unsure{};
            }
        }
        if (depth == 0) {
            if (!name.prefix.empty()) throw Unsure{};
            rootIsSheet = !declaresDefault || isSheetElement("", std::string(defaultNamespace).c_str(), nullptr);
        }
        char local[kLongestName + 1];
        copyName(name.local, local);
        // A prefixed element is in whatever namespace its prefix names: only for the names the pass looks
        // at does that matter, and those are left to the parser.
        if (!name.prefix.empty()) {
            for (const char* watched : {"worksheet", "sheetData", "row", "c", "f"})
                if (compareNames(local, watched) == 0) throw Unsure{};
        }
        tracker.start(local, name.prefix.empty() && rootIsSheet, hasReference ? reference : nullptr);
        if (peek() == '/') {
            ++at;
            expect('>');
            tracker.end();
            return;
        }
        ++at;
        open[depth++] = name.whole;
    }

    void closeElement() {
        at += 2;
        const QName name = qualifiedName();
        skipSpace();
        expect('>');
        if (!sameName(name.whole, open[depth - 1])) throw Unsure{};
        --depth;
        tracker.end();
    }
};

}  // namespace

SheetScan scanSheetExtent(const char* bytes, std::int32_t size, SheetExtent* extent, bool* isWorksheet) {
    *extent = SheetExtent{};
    *isWorksheet = false;
    if (bytes == nullptr || size <= 0) return SheetScan::kUnsure;
    try {
        Scanner scanner(bytes, size, extent);
        *isWorksheet = scanner.run();
        return SheetScan::kMeasured;
    } catch (const Unsure&) {
        *extent = SheetExtent{};
        return SheetScan::kUnsure;
    }
}
