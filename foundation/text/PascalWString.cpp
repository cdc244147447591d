#include "foundation/text/PascalWString.h"

#include <algorithm>
#include <cstring>

#include "foundation/encoding/Utf8Codec.h"
#include "foundation/text/TextBoundary.h"

namespace {

// How many of `wanted` units starting at dst's end fit, without splitting a surrogate pair.
std::int32_t unitsThatFit(std::int32_t present, const char16_t* source, std::int32_t wanted) {
    const std::int32_t room = std::max(0, kPascalCapacity - present);
    if (wanted <= room) return wanted;
    std::int32_t n = room;
    if (n > 0 && isHighSurrogate(source[n - 1])) --n;
    return n;
}

void setLengthAndTerminate(PascalWString& dst, std::int32_t length) {
    dst.units[0] = static_cast<char16_t>(length);
    dst.units[length + 1] = 0;
}

void appendUnits(PascalWString& dst, const char16_t* source, std::int32_t count) {
    const std::int32_t present = std::min<std::int32_t>(dst.units[0], kPascalCapacity);
    const std::int32_t n = source ? unitsThatFit(present, source, count) : 0;
    if (n > 0) std::memmove(dst.units + 1 + present, source, static_cast<std::size_t>(n) * sizeof(char16_t));
    setLengthAndTerminate(dst, present + n);
}

std::int32_t wideLength(const char16_t* wide) {
    std::int32_t n = 0;
    if (wide) {
        while (wide[n] != 0) ++n;
    }
    return n;
}

}  // namespace

bool fitsInPascal(std::int32_t units) {
    return units >= 0 && units <= kPascalCapacity;
}

void copyPString(PascalWString& dst, const PascalWString& src) {
    if (&dst != &src) std::memcpy(dst.units, src.units, sizeof dst.units);
    if (dst.units[0] > kPascalCapacity) setLengthAndTerminate(dst, kPascalCapacity);
}

void assignPString(PascalWString& dst, const PascalWString& src) {
    if (&dst == &src) return;
    dst.units[0] = 0;
    appendUnits(dst, src.text(), src.length());
}

void appendPString(PascalWString& dst, const PascalWString& src) {
    // Appending a string to itself reads from a copy.
    const PascalWString source = src;
    appendUnits(dst, source.text(), source.length());
}

void assignWString(PascalWString& dst, const char16_t* wide) {
    dst.units[0] = 0;
    appendUnits(dst, wide, wideLength(wide));
}

void appendWString(PascalWString& dst, const char16_t* wide) {
    appendUnits(dst, wide, wideLength(wide));
}

void utf8ToUniPascal(PascalWString& dst, const char* utf8) {
    std::int32_t outputSize = 2 * kPascalCapacity;
    std::int32_t inputSize = utf8 ? static_cast<std::int32_t>(std::strlen(utf8)) : 0;
    const std::int32_t written = utf8ToUtf16(utf16Bytes(dst.units + 1), &outputSize,
                                             reinterpret_cast<const std::uint8_t*>(utf8), &inputSize);
    dst.units[0] = static_cast<char16_t>(written > 0 ? written / 2 : 0);
}

void assignCString(PascalWString& dst, const char* utf8) {
    utf8ToUniPascal(dst, utf8);
}

void appendCString(PascalWString& dst, const char* utf8) {
    PascalWString converted;
    utf8ToUniPascal(converted, utf8);
    appendUnits(dst, converted.text(), converted.length());
}

char16_t* pstringToWString(char16_t* wide, const PascalWString& src) {
    std::memcpy(wide, src.text(), static_cast<std::size_t>(src.length()) * sizeof(char16_t));
    wide[src.length()] = 0;
    return wide;
}

char16_t* appendPStringToWString(char16_t* wide, const PascalWString& src) {
    return pstringToWString(wide + wideLength(wide), src), wide;
}

char* uniPascalToUtf8(const PascalWString& src, char* buffer, std::int32_t capacity) {
    static char shared[kPascalTempBytes];
    char* out = buffer ? buffer : shared;
    if (!buffer) capacity = kPascalTempBytes;
    if (capacity <= 0) return out;
    // Converted whole first (three bytes a unit at most), then cut to the caller's buffer.
    char whole[utf8CapacityForUnits(kPascalCapacity)];
    std::int32_t outputSize = static_cast<std::int32_t>(sizeof whole);
    std::int32_t inputSize = src.length() * 2;
    const std::int32_t written =
        utf16ToUtf8(reinterpret_cast<std::uint8_t*>(whole), &outputSize, utf16Bytes(src.text()), &inputSize);
    placeUtf8(out, static_cast<std::size_t>(capacity), std::string_view(whole, static_cast<std::size_t>(std::max(written, 0))));
    return out;
}

char* pstringToCString(char* utf8, std::int32_t capacity, const PascalWString& src) {
    if (!utf8) return utf8;
    return uniPascalToUtf8(src, utf8, capacity);
}

char16_t* pstringToWStringTemp(const PascalWString& src) {
    static char16_t shared[kPascalCapacity + 1];
    return pstringToWString(shared, src);
}

char* pstringToCStringTemp(const PascalWString& src) {
    static char shared[kPascalTempBytes];
    return pstringToCString(shared, kPascalTempBytes, src);
}

std::string pstringToUtf8(const PascalWString& src) {
    return utf16ToUtf8String(src.view());
}

std::int16_t lastIndexOfUnit(const PascalWString& src, char16_t unit) {
    for (std::int32_t i = src.length(); i >= 1; --i) {
        if (src.units[i] == unit) return static_cast<std::int16_t>(i - 1);
    }
    return -1;
}

void deleteUnits(PascalWString& dst, std::int32_t start, std::int32_t count) {
    const std::int32_t length = std::min<std::int32_t>(dst.length(), kPascalCapacity);
    if (start < 0 || count <= 0 || start >= length) return;
    count = std::min(count, length - start);
    std::memmove(dst.units + 1 + start, dst.units + 1 + start + count,
                 static_cast<std::size_t>(length - start - count) * sizeof(char16_t));
    setLengthAndTerminate(dst, length - count);
}

void stripPStringExtension(PascalWString& dst) {
    const std::int16_t dot = lastIndexOfUnit(dst, u'.');
    if (dot >= 0) setLengthAndTerminate(dst, dot);
}

PascalWString makePascal(std::u16string_view text) {
    PascalWString result{};
    appendUnits(result, text.data(), static_cast<std::int32_t>(text.size()));
    return result;
}

bool operator==(const PascalWString& a, const PascalWString& b) {
    return a.view() == b.view();
}
