#include "foundation/text/PascalText.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "foundation/memory/Memory.h"
#include "foundation/memory/MinValue.h"
#include "foundation/text/BoundedTextEdit.h"
#include "foundation/text/TextBoundary.h"
#include "foundation/text/TextSearch.h"

namespace {

std::int32_t pascalLength(const std::uint8_t* text) {
    return text ? minValue(text[0], kPascalTextMaxLength) : 0;
}

std::string_view pascalView(const std::uint8_t* text) {
    if (!text) return {};
    return {reinterpret_cast<const char*>(text + 1), static_cast<std::size_t>(pascalLength(text))};
}

// At most `wanted` bytes of the text, not ending inside a character.
std::int32_t bytesThatFit(std::string_view text, std::int32_t wanted) {
    if (wanted <= 0) return 0;
    return static_cast<std::int32_t>(utf8CutPoint(text, static_cast<std::size_t>(wanted)));
}

void setPascalLength(std::uint8_t* text, std::int32_t length) {
    text[0] = static_cast<std::uint8_t>(length);
    text[length + 1] = 0;
}

// Letters, digits and * + - . @ _ : what a writer may keep as it stands in an escaped text.
bool keptByEscape(unsigned char byte) {
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9')) return true;
    return byte == '*' || byte == '+' || byte == '-' || byte == '.' || byte == '@' || byte == '_';
}

}  // namespace

std::uint8_t* copyPascal(std::uint8_t* destination, const std::uint8_t* source, std::int32_t maximum) {
    if (!destination) return destination;
    const std::string_view text = pascalView(source);
    std::int32_t wanted = static_cast<std::int32_t>(text.size());
    if (maximum > 0) wanted = minValue(maximum, wanted);
    const std::int32_t length = bytesThatFit(text, wanted);
    if (length > 0) std::memmove(destination + 1, text.data(), static_cast<std::size_t>(length));
    setPascalLength(destination, length);
    return destination;
}

std::uint8_t* appendPascal(std::uint8_t* destination, const std::uint8_t* source, std::int32_t maximum) {
    if (!destination) return destination;
    // Appending a string to itself reads from a copy.
    std::uint8_t copy[kPascalTextSize];
    copyPascal(copy, source, maximum);
    const std::int32_t present = pascalLength(destination);
    const std::string_view text = pascalView(copy);
    const std::int32_t added = bytesThatFit(text, minValue(static_cast<std::int32_t>(text.size()), kPascalTextMaxLength - present));
    if (added > 0) std::memcpy(destination + 1 + present, text.data(), static_cast<std::size_t>(added));
    setPascalLength(destination, present + added);
    return destination;
}

char* pascalToText(char* buffer, const std::uint8_t* source) {
    char* out = buffer ? buffer : defaultTextBuffer();
    const std::string_view text = pascalView(source);
    if (!text.empty()) std::memmove(out, text.data(), text.size());
    out[text.size()] = '\0';
    return out;
}

std::uint8_t* textToPascal(std::uint8_t* buffer, const char* text) {
    std::uint8_t* out = buffer ? buffer : defaultPascalBuffer();
    const std::string_view source = text ? std::string_view(text) : std::string_view();
    const auto available = static_cast<std::int32_t>(std::min<std::size_t>(source.size(), kPascalTextMaxLength));
    const std::int32_t length = bytesThatFit(source, available);
    if (length > 0) std::memmove(out + 1, source.data(), static_cast<std::size_t>(length));
    setPascalLength(out, length);
    return out;
}

void deleteText(char* text, std::int32_t position, std::int32_t count) {
    boundedtext::deleteUnits(text, position, count);
}

bool insertText(char* text, std::int32_t capacity, const char* insertion, std::int32_t position) {
    return boundedtext::insertUnits(text, capacity, insertion, position);
}

void replaceAllText(char* text, std::int32_t capacity, const char* find, const char* replacement) {
    boundedtext::replaceAllUnits(text, capacity, find, replacement);
}

void stripExtension(char* text) {
    if (!text) return;
    if (char* dot = findLastChar(text, '.')) *dot = '\0';
}

void reverseText(void* buffer, std::int32_t count) {
    if (!buffer || count <= 1) return;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::reverse(bytes, bytes + count);
}

std::string escapeTextString(std::string_view text, std::string_view prefix) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptByEscape(byte)) {
            out.push_back(c);
        } else {
            out.append(prefix);
            out.push_back(kHexDigits[byte >> 4]);
            out.push_back(kHexDigits[byte & 0x0F]);
        }
    }
    return out;
}

char* escapeText(const char* text, const char* prefix) {
    try {
        const std::string escaped = escapeTextString(text ? text : "", prefix ? prefix : "");
        return duplicateCString(escaped.c_str());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
