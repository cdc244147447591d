#include "foundation/text/UniText.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

#include "foundation/encoding/Utf8Codec.h"
#include "foundation/text/BoundedTextEdit.h"
#include "foundation/text/TextBoundary.h"

// The codec works on little-endian UTF-16 bytes, which is how this machine holds char16_t.
static_assert(std::endian::native == std::endian::little);

namespace {

std::u16string_view viewOf(const char16_t* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

// Writes as much of `source` as fits after `present` units of a buffer of `capacity` units, and a 0.
char16_t* placeUnits(char16_t* destination, std::int32_t capacity, std::size_t present, std::u16string_view source) {
    if (!destination || capacity <= 0 || present >= static_cast<std::size_t>(capacity)) return destination;
    const std::size_t count = utf16CutPoint(source, static_cast<std::size_t>(capacity) - 1 - present);
    if (count > 0) std::memmove(destination + present, source.data(), count * sizeof(char16_t));
    destination[present + count] = 0;
    return destination;
}

char16_t* widenInto(char16_t* destination, std::int32_t capacity, std::size_t present, const char* text) {
    if (!destination || capacity <= 0 || present >= static_cast<std::size_t>(capacity)) return destination;
    const std::size_t length = text ? std::strlen(text) : 0;
    const std::size_t count = std::min(length, static_cast<std::size_t>(capacity) - 1 - present);
    for (std::size_t i = 0; i < count; ++i) destination[present + i] = static_cast<unsigned char>(text[i]);
    destination[present + count] = 0;
    return destination;
}

template <typename Unit>
Unit* firstUnit(Unit* text, char16_t unit) {
    if (!text) return nullptr;
    for (Unit* p = text;; ++p) {
        if (*p == unit) return p;
        if (*p == 0) return nullptr;
    }
}

template <typename Unit>
Unit* lastUnit(Unit* text, char16_t unit) {
    if (!text) return nullptr;
    Unit* found = nullptr;
    for (Unit* p = text;; ++p) {
        if (*p == unit) found = p;
        if (*p == 0) return found;
    }
}

template <typename Unit>
Unit* findText(Unit* text, const char16_t* find) {
    if (!text) return nullptr;
    const std::size_t at = viewOf(text).find(viewOf(find));
    return at == std::u16string_view::npos ? nullptr : text + at;
}

}  // namespace

std::int32_t uniStrLen(const char16_t* text) {
    return static_cast<std::int32_t>(viewOf(text).size());
}

char16_t* uniStrCopy(char16_t* destination, std::int32_t capacity, const char16_t* source) {
    return placeUnits(destination, capacity, 0, viewOf(source));
}

char16_t* uniStrCopyMax(char16_t* destination, const char16_t* source, std::int32_t count) {
    if (!destination) return destination;
    std::int32_t i = 0;
    for (; i < count && source && source[i] != 0; ++i) destination[i] = source[i];
    for (; i < count; ++i) destination[i] = 0;
    return destination;
}

char16_t* uniStrCat(char16_t* destination, std::int32_t capacity, const char16_t* source) {
    if (!destination) return destination;
    return placeUnits(destination, capacity, viewOf(destination).size(), viewOf(source));
}

char16_t* textToUniWiden(char16_t* destination, std::int32_t capacity, const char* text) {
    return widenInto(destination, capacity, 0, text);
}

char16_t* uniStrCatText(char16_t* destination, std::int32_t capacity, const char* text) {
    if (!destination) return destination;
    return widenInto(destination, capacity, viewOf(destination).size(), text);
}

const char16_t* uniStrChr(const char16_t* text, char16_t unit) {
    return firstUnit(text, unit);
}

char16_t* uniStrChr(char16_t* text, char16_t unit) {
    return firstUnit(text, unit);
}

const char16_t* uniStrRChr(const char16_t* text, char16_t unit) {
    return lastUnit(text, unit);
}

char16_t* uniStrRChr(char16_t* text, char16_t unit) {
    return lastUnit(text, unit);
}

const char16_t* uniStrFind(const char16_t* text, const char16_t* find) {
    return findText(text, find);
}

char16_t* uniStrFind(char16_t* text, const char16_t* find) {
    return findText(text, find);
}

void uniStripExtension(char16_t* text) {
    if (char16_t* dot = uniStrRChr(text, u'.')) *dot = 0;
}

void uniDelete(char16_t* text, std::int32_t position, std::int32_t count) {
    boundedtext::deleteUnits(text, position, count);
}

bool uniInsert(char16_t* text, std::int32_t capacity, const char16_t* insertion, std::int32_t position) {
    return boundedtext::insertUnits(text, capacity, insertion, position);
}

void uniReplaceAll(char16_t* text, std::int32_t capacity, const char16_t* find, const char16_t* replacement) {
    boundedtext::replaceAllUnits(text, capacity, find, replacement);
}

char16_t* utf8ToUni(const char* utf8, char16_t* buffer, std::int32_t capacityBytes) {
    char16_t* out = buffer ? buffer : defaultUniTextBuffer();
    if (!buffer) capacityBytes = std::min<std::int32_t>(capacityBytes, kDefaultUniTextSize * 2);
    const std::int32_t capacityUnits = capacityBytes / 2;
    if (capacityUnits <= 0) return out;
    std::int32_t outputSize = (capacityUnits - 1) * 2;
    std::int32_t inputSize = utf8 ? static_cast<std::int32_t>(std::min<std::size_t>(std::strlen(utf8), INT32_MAX)) : 0;
    const std::int32_t written = utf8ToUtf16(utf16Bytes(out), &outputSize,
                                             reinterpret_cast<const std::uint8_t*>(utf8), &inputSize);
    out[written > 0 ? written / 2 : 0] = 0;
    return out;
}

char* uniToUtf8(const char16_t* text, char* buffer, std::int32_t capacityBytes) {
    char* out = buffer ? buffer : defaultTextBuffer();
    if (!buffer) capacityBytes = std::min<std::int32_t>(capacityBytes, kDefaultTextSize);
    if (capacityBytes <= 0) return out;
    std::int32_t outputSize = capacityBytes;  // the codec leaves room for the terminator
    const std::size_t units = std::min<std::size_t>(viewOf(text).size(), INT32_MAX / 2);
    std::int32_t inputSize = static_cast<std::int32_t>(units * 2);
    const std::int32_t written = utf16ToUtf8(reinterpret_cast<std::uint8_t*>(out), &outputSize,
                                             utf16Bytes(text), &inputSize);
    out[written > 0 ? written : 0] = '\0';
    return out;
}
