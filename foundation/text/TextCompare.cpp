#include "foundation/text/TextCompare.h"

#include <string_view>

#include "foundation/encoding/Utf8Codec.h"
#include "platform/text/TextCase.h"

namespace {

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Reads one code point of UTF-16 text at i (a surrogate pair as one), advancing i.
char32_t nextCodePoint(std::u16string_view text, std::size_t& i) {
    char32_t unit = text[i++];
    if (isHighSurrogate(unit) && i < text.size() && isLowSurrogate(text[i])) {
        unit = 0x10000 + (((unit & 0x3FF) << 10) | (text[i++] & 0x3FF));
    }
    return unit;
}

struct Utf8Lead {
    std::size_t continuations;  // bytes that must follow
    char32_t bits;              // the value bits of the lead byte
    char32_t minimum;           // the smallest value of this length (shorter forms are overlong)
};

// What a lead byte announces; no continuations for a byte that cannot start a sequence.
Utf8Lead utf8Lead(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {1, static_cast<char32_t>(lead & 0x1F), 0x80};
    if (lead >= 0xE0 && lead <= 0xEF) return {2, static_cast<char32_t>(lead & 0x0F), 0x800};
    if (lead >= 0xF0 && lead <= 0xF4) return {3, static_cast<char32_t>(lead & 0x07), 0x10000};
    return {0, 0, 0};
}

// Reads one code point of UTF-8 text at i, advancing i; a malformed sequence gives U+FFFD for its
// first byte, so every byte is consumed and the walk always moves on.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto first = static_cast<unsigned char>(text[i++]);
    if (first < 0x80) return first;
    const Utf8Lead lead = utf8Lead(first);
    if (lead.continuations == 0 || text.size() - i < lead.continuations) return utf8codec::kReplacementCharacter;
    char32_t value = lead.bits;
    for (std::size_t k = 0; k < lead.continuations; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if ((byte & 0xC0) != 0x80) return utf8codec::kReplacementCharacter;
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < lead.minimum || value > 0x10FFFF) return utf8codec::kReplacementCharacter;
    i += lead.continuations;
    return value;
}

// Walks both texts code point by code point; the first difference decides, then the length.
template <typename View>
std::int16_t compareCodePoints(View a, View b, std::int16_t caseSensitive) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = nextCodePoint(a, i);
        char32_t y = nextCodePoint(b, j);
        if (caseSensitive != 1) {
            x = platform::foldCase(x);
            y = platform::foldCase(y);
        }
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

std::int16_t compareUnits(std::u16string_view a, std::u16string_view b) {
    const int order = a.compare(b);
    return static_cast<std::int16_t>(order < 0 ? -1 : (order > 0 ? 1 : 0));
}

// The text of a PascalWString, whatever its length unit says kept within the string.
std::u16string_view textOf(const PascalWString& text) {
    return {text.units + 1, static_cast<std::size_t>(text.units[0] < 255 ? text.units[0] : 255)};
}

// The text of a UTF-16 string from its second unit on; empty when the first unit already ends it.
std::u16string_view afterFirstUnit(const char16_t* text) {
    return text[0] == 0 ? std::u16string_view() : std::u16string_view(text + 1);
}

}  // namespace

std::int16_t compareUniText(const PascalWString& first, const PascalWString& second, std::int16_t caseSensitive) {
    return compareCodePoints(textOf(first), textOf(second), caseSensitive);
}

std::int16_t compareText(const char* first, const char* second, std::int16_t caseSensitive) {
    if (!first || !second) return -1;
    return compareCodePoints(std::string_view(first), std::string_view(second), caseSensitive);
}

std::int16_t compareUniPascal(const char16_t* first, const char16_t* second) {
    if (!first || !second) return -1;
    return compareUnits(afterFirstUnit(first), afterFirstUnit(second));
}

std::int16_t compareUniPascal(const PascalWString& first, const PascalWString& second) {
    return compareUnits(textOf(first), textOf(second));
}
