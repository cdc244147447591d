#include "import/spreadsheet/sheets/PlainXmlScanner.h"

#include <libxml/uri.h>

#include "import/spreadsheet/sheets/SheetNames.h"

namespace plainxml {

bool isAcceptedNamespace(std::string_view value) {
    if (value.empty() || same(value, "http://www.w3.org/XML/1998/namespace") || same(value, "http://www.w3.org/2000/xmlns/"))
        return false;
    const std::string text(value);
    xmlURIPtr uri = xmlParseURI(text.c_str());
    if (uri == nullptr) return false;
    xmlFreeURI(uri);
    return true;
}

std::uint32_t referenceAt(const unsigned char*& at, const unsigned char* end) {
    auto peek = [&]() -> unsigned char {
        if (at >= end) throw PlainXmlUnsure{};
        return *at;
    };
    ++at;
    std::uint32_t code = 0;
    if (peek() == '#') {
        ++at;
        const bool hex = peek() == 'x';
        if (hex) ++at;
        int digits = 0;
        for (;; ++at, ++digits) {
            const unsigned char byte = peek();
            int value = -1;
            if (byte >= '0' && byte <= '9') value = byte - '0';
            else if (hex && (byte | 0x20) >= 'a' && (byte | 0x20) <= 'f') value = (byte | 0x20) - 'a' + 10;
            if (value < 0) break;
            if (digits == 8) throw PlainXmlUnsure{};
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
        }
        if (digits == 0 || !isXmlChar(code)) throw PlainXmlUnsure{};
    } else {
        struct Entity {
            const char* name;
            std::size_t length;
            char value;
        };
        constexpr Entity kEntities[] = {{"lt;", 3, '<'}, {"gt;", 3, '>'}, {"amp;", 4, '&'}, {"quot;", 5, '"'}, {"apos;", 5, '\''}};
        bool known = false;
        for (const Entity& entity : kEntities) {
            if (static_cast<std::size_t>(end - at) < entity.length || std::memcmp(at, entity.name, entity.length) != 0)
                continue;
            at += entity.length - 1;
            code = static_cast<unsigned char>(entity.value);
            known = true;
            break;
        }
        if (!known) throw PlainXmlUnsure{};
    }
    if (peek() != ';') throw PlainXmlUnsure{};
    ++at;
    return code;
}

void wideCharacterAt(const unsigned char*& at, const unsigned char* end) {
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
        throw PlainXmlUnsure{};
    }
    if (end - at <= trailing) throw PlainXmlUnsure{};
    for (int index = 1; index <= trailing; ++index) {
        const unsigned char next = at[index];
        if ((next & 0xC0) != 0x80) throw PlainXmlUnsure{};
        code = (code << 6) | (next & 0x3Fu);
    }
    const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < smallest[trailing] || !isXmlChar(code)) throw PlainXmlUnsure{};
    at += trailing + 1;
}

}  // namespace plainxml

namespace {

void appendUtf8(std::uint32_t code, std::string* into) {
    if (code < 0x80) {
        into->push_back(static_cast<char>(code));
        return;
    }
    char bytes[4];
    int length = 0;
    if (code < 0x800) {
        bytes[length++] = static_cast<char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        bytes[length++] = static_cast<char>(0xE0 | (code >> 12));
        bytes[length++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    } else {
        bytes[length++] = static_cast<char>(0xF0 | (code >> 18));
        bytes[length++] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    bytes[length++] = static_cast<char>(0x80 | (code & 0x3F));
    into->append(bytes, static_cast<std::size_t>(length));
}

}  // namespace

void appendXmlText(const char* start, const char* stop, std::string* into) {
    auto at = reinterpret_cast<const unsigned char*>(start);
    const auto end = reinterpret_cast<const unsigned char*>(stop);
    while (at < end) {
        const unsigned char byte = *at;
        if (byte == '&') {
            appendUtf8(plainxml::referenceAt(at, end), into);
        } else if (byte == '\r') {
            into->push_back('\n');
            ++at;
            if (at < end && *at == '\n') ++at;
        } else {
            const unsigned char* plain = at;
            while (at < end && *at != '&' && *at != '\r') ++at;
            into->append(reinterpret_cast<const char*>(plain), static_cast<std::size_t>(at - plain));
        }
    }
}

bool isSheetNamespace(const PlainXmlAttribute* attributes, int count) {
    for (int index = 0; index < count; ++index)
        if (plainxml::same(attributes[index].name.whole, "xmlns"))
            return isSheetElement("", std::string(attributes[index].value).c_str(), nullptr);
    return true;
}
