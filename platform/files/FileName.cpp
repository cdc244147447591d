#include "platform/files/FileName.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + a byte from 0x80 to 0xFF

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at the start of `bytes` and its code point; 0 when the first
// byte does not begin one (bad lead, cut off, overlong, a surrogate or beyond U+10FFFF).
std::size_t decodeValid(std::string_view bytes, char32_t& codePoint) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byteAt(0);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byteAt(i))) return 0;
        codePoint = (codePoint << 6) | (byteAt(i) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || isLowSurrogate(codePoint) || isHighSurrogate(codePoint)) return 0;
    return length;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

std::u16string fileNameFromBytes(std::string_view bytes) {
    std::u16string name;
    name.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t codePoint = 0;
        std::size_t length = decodeValid(bytes, codePoint);
        if (length == 0) {
            // Only bytes from 0x80 up can be invalid: ASCII always decodes.
            name += static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[0]));
            length = 1;
        } else if (codePoint >= 0x10000) {
            name += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            name += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            name += static_cast<char16_t>(codePoint);
        }
        bytes.remove_prefix(length);
    }
    return name;
}

std::string fileNameToBytes(std::u16string_view name) {
    std::string bytes;
    bytes.reserve(name.size() * 3);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char32_t unit = name[i];
        if (isHighSurrogate(unit) && i + 1 < name.size() && isLowSurrogate(name[i + 1])) {
            appendUtf8(bytes, 0x10000 + ((unit - 0xD800) << 10) + (name[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            bytes += static_cast<char>(unit - kEscapeBase);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

}  // namespace platform
