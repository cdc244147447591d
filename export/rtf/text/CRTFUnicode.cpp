#include "export/rtf/text/CRTFUnicode.h"

#include <cstdio>
#include <cstring>

namespace {

// Appends texts to a caller's buffer of a fixed room, keeping it 0-ended; a text that does not fit is
// not written and marks the output as incomplete.
class EscapeOutput {
public:
    EscapeOutput(char* out, std::int16_t room) : out(out), room(room) {
        if (room > 0) out[0] = 0;
    }
    void put(const char* text, std::int32_t length) {
        if (!fits || used + length + 1 > room) {
            fits = false;
            return;
        }
        std::memcpy(out + used, text, static_cast<std::size_t>(length));
        used += length;
        out[used] = 0;
    }
    void put(const char* text) { put(text, static_cast<std::int32_t>(std::strlen(text))); }
    void putByte(std::uint8_t byte) { put(reinterpret_cast<const char*>(&byte), 1); }
    void putHexByte(std::uint8_t byte) {
        char hex[8];
        const std::int16_t length = CRTFUnicode::hexByte(byte, hex, static_cast<std::int16_t>(sizeof hex));
        put(hex, length);
    }
    void putUnicodeEscape(char16_t unit, std::int16_t count) {
        char escape[32];
        const std::int16_t length = CRTFUnicode::unicodeEscape(unit, escape, static_cast<std::int16_t>(sizeof escape), count);
        put(escape, length);
    }
    std::int16_t length() const { return fits ? static_cast<std::int16_t>(used) : 0; }
    void clear() {
        used = 0;
        fits = true;
        if (room > 0) out[0] = 0;
    }

private:
    char* out;
    std::int16_t room;
    std::int32_t used = 0;
    bool fits = true;
};

// The single-byte characters that RTF names or must escape, by their byte in the run's character set.
const char* namedForm(std::uint8_t byte) {
    switch (byte) {
        case 0x09: return "\\tab ";
        case 0x5C: return "\\\\";
        case 0x7B: return "\\{";
        case 0x7D: return "\\}";
        case 0x91: return "\\lquote ";
        case 0x92: return "\\rquote ";
        case 0x93: return "\\ldblquote ";
        case 0x94: return "\\rdblquote ";
        case 0x95: return "\\bullet ";
        case 0x96: return "\\endash ";
        case 0x97: return "\\emdash ";
        case 0xA0: return "\\~";
        default: return nullptr;
    }
}

// The spaces of set widths that have no form in a character set.
const char* spaceForm(char16_t unit) {
    switch (unit) {
        case 0x2002: return "\\u8194\\'5f";
        case 0x2003: return "\\u8195\\'5f";
        case 0x2005: return "\\u8197\\'20";
        case 0x2004:
        case 0x2006:
        case 0x2007:
        case 0x2008:
        case 0x2009: return "\\'20";
        default: return nullptr;
    }
}

// Escapes with one fallback byte need "\uc1" in force; answers the count to announce (0 when in force).
std::int16_t announceOneFallback(std::int16_t& fallbackState) {
    if (fallbackState == 1) return 0;
    fallbackState = 1;
    return 1;
}

}  // namespace

CRTFUnicode::CRTFUnicode(std::int32_t textEncoding) : CUnicode(textEncoding, kFromUtf16) {}

std::int16_t CRTFUnicode::hexByte(std::uint8_t byte, char* out, std::int16_t room) {
    static const char digits[] = "0123456789abcdef";
    if (room > 4) {
        out[0] = '\\';
        out[1] = '\'';
        out[2] = digits[byte >> 4];
        out[3] = digits[byte & 0x0F];
        out[4] = 0;
        return 4;
    }
    if (room < 2) return 0;
    out[0] = static_cast<char>(byte);
    out[1] = 0;
    return 1;
}

std::int16_t CRTFUnicode::unicodeEscape(char16_t unit, char* out, std::int16_t room, std::int16_t count) {
    char text[32];
    const int length = count != 0 ? std::snprintf(text, sizeof text, "\\uc%04d\\u%u", count, static_cast<unsigned>(unit))
                                  : std::snprintf(text, sizeof text, "\\u%u", static_cast<unsigned>(unit));
    if (length <= 0 || length + 1 > room) {
        if (room > 0) out[0] = 0;
        return 0;
    }
    std::memcpy(out, text, static_cast<std::size_t>(length) + 1);
    return static_cast<std::int16_t>(length);
}

std::int16_t CRTFUnicode::escapeUnit(char16_t unit, char* out, std::int16_t room, std::int16_t& fallbackState) {
    if (unit >= plainBytes.size() || room < 2) return escapeConverted(unit, out, room, fallbackState);
    std::int16_t& plain = plainBytes[unit];
    if (plain == 0) {
        std::int16_t state = fallbackState;
        const std::int16_t n = escapeConverted(unit, out, room, state);
        const auto byte = static_cast<std::uint8_t>(out[0]);
        // A unit written as one byte, without a named form, is written alike whatever the state.
        plain = n == 1 && byte >= 0x20 && byte <= 0x7F && namedForm(byte) == nullptr ? byte : kNotPlain;
        fallbackState = state;
        return n;
    }
    if (plain == kNotPlain) return escapeConverted(unit, out, room, fallbackState);
    out[0] = static_cast<char>(plain);
    out[1] = 0;
    return 1;
}

std::int16_t CRTFUnicode::escapeConverted(char16_t unit, char* out, std::int16_t room,
                                          std::int16_t& fallbackState) {
    const std::uint8_t source[2] = {static_cast<std::uint8_t>(unit & 0xFF), static_cast<std::uint8_t>(unit >> 8)};
    std::uint8_t converted[kRoom];
    const std::int32_t n = convert(source, 2, converted, kRoom);
    EscapeOutput output(out, room);
    const std::int16_t stateBefore = fallbackState;

    if (n == 0) {
        if (unit >= 0xF000 && unit <= 0xF0FF) {
            output.putHexByte(static_cast<std::uint8_t>(unit & 0xFF));
        } else if (const char* space = spaceForm(unit)) {
            if (space[1] == 'u' && fallbackState != 1) output.put("\\uc0001");
            output.put(space);
            if (space[1] == 'u' && output.length() > 0) fallbackState = 1;
        } else {
            output.putUnicodeEscape(unit, announceOneFallback(fallbackState));
            output.put("\\'5f");
        }
    } else if (n == 1) {
        const std::uint8_t byte = converted[0];
        if (const char* named = namedForm(byte)) {
            output.put(named);
        } else if (byte >= 0x20 && byte <= 0x7F) {
            output.putByte(byte);
        } else {
            output.putUnicodeEscape(unit, announceOneFallback(fallbackState));
            output.putHexByte(byte);
        }
    } else {
        std::int16_t announce = 0;
        if (n != fallbackState) {
            announce = static_cast<std::int16_t>(n);
            fallbackState = announce;
        }
        output.putUnicodeEscape(unit, announce);
        for (std::int32_t i = 0; i < n; ++i) output.putHexByte(converted[i]);
    }

    if (output.length() == 0) {
        // Nothing fitted: the state stays as the output left it, and the bytes go out as they are.
        fallbackState = stateBefore;
        output.clear();
        if (n > 0 && n < room) output.put(reinterpret_cast<const char*>(converted), n);
    }
    return output.length();
}
