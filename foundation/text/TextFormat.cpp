#include "foundation/text/TextFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "foundation/encoding/Utf8Codec.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/NumberText.h"
#include "foundation/text/PascalText.h"
#include "foundation/text/TextBoundary.h"

namespace {

// Copies as much of the text as the buffer holds, on a character boundary, and a 0 after it.
char* placeText(char* out, std::int32_t capacity, std::string_view text) {
    placeUtf8(out, static_cast<std::size_t>(capacity), text);
    return out;
}

char16_t* placeUnits(char16_t* out, std::int32_t capacity, std::u16string_view text) {
    const std::size_t count = utf16CutPoint(text, static_cast<std::size_t>(capacity) - 1);
    if (count > 0) std::memcpy(out, text.data(), count * sizeof(char16_t));
    out[count] = 0;
    return out;
}

void appendValue(std::u16string& out, char16_t conversion, const UniFormatValue& value) {
    using Kind = UniFormatValue::Kind;
    switch (conversion) {
        case u'd':
            if (value.kind == Kind::Number) {
                char digits[kNumberTextSize];
                for (const char* p = numberToText(value.number, digits); *p; ++p) out.push_back(static_cast<char16_t>(*p));
            }
            break;
        case u'h':
            if (value.kind == Kind::Pascal) out.append(value.units);
            break;
        case u's':
            if (value.kind == Kind::Text) out.append(utf8ToUtf16String(value.bytes));
            break;
        case u'u':
            if (value.kind == Kind::UniText) out.append(value.units);
            break;
        default:
            break;
    }
}

bool takesValue(char16_t conversion) {
    return conversion == u'd' || conversion == u'h' || conversion == u's' || conversion == u'u';
}

}  // namespace

// ---- 8-bit formatting ----

char* formatStringV(char* buffer, std::int32_t capacity, const char* format, va_list values) {
    char* out = buffer ? buffer : defaultTextBuffer();
    if (!buffer) capacity = kDefaultTextSize;
    if (capacity <= 0) return out;
    if (!format) return placeText(out, capacity, {});
    // Formatted apart first: a value may point into the buffer being written.
    char local[kDefaultTextSize];
    va_list firstPass;
    va_copy(firstPass, values);
    const int needed = std::vsnprintf(local, sizeof local, format, firstPass);
    va_end(firstPass);
    if (needed < 0) return placeText(out, capacity, {});
    std::string_view text(local, std::min<std::size_t>(static_cast<std::size_t>(needed), sizeof local - 1));
    std::string whole;
    if (static_cast<std::size_t>(needed) >= sizeof local && capacity > kDefaultTextSize) {
        try {
            whole.resize(static_cast<std::size_t>(needed));
            std::vsnprintf(whole.data(), whole.size() + 1, format, values);
            text = whole;
        } catch (const std::bad_alloc&) {
            // The first 511 bytes are all there is room for.
        }
    }
    return placeText(out, capacity, text);
}

char* formatStringInto(char* buffer, std::int32_t capacity, const char* format, ...) {
    va_list values;
    va_start(values, format);
    char* out = formatStringV(buffer, capacity, format, values);
    va_end(values);
    return out;
}

char* formatString(std::nullptr_t, const char* format, ...) {
    va_list values;
    va_start(values, format);
    char* out = formatStringV(nullptr, 0, format, values);
    va_end(values);
    return out;
}

std::string formatToStringV(const char* format, va_list values) {
    if (!format) return {};
    va_list measure;
    va_copy(measure, values);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed <= 0) return {};
    std::string text(static_cast<std::size_t>(needed), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, values);
    return text;
}

std::string formatToString(const char* format, ...) {
    va_list values;
    va_start(values, format);
    std::string text;
    try {
        text = formatToStringV(format, values);
    } catch (...) {
        va_end(values);
        throw;
    }
    va_end(values);
    return text;
}

char* formatResourceV(char* buffer, std::int32_t capacity, std::int32_t id, va_list values) {
    char format[kLoadStringSize + 1];
    loadTextInto(format, sizeof format, static_cast<std::uint16_t>(id));
    return formatStringV(buffer, capacity, format, values);
}

char* formatResourceInto(char* buffer, std::int32_t capacity, std::int32_t id, ...) {
    va_list values;
    va_start(values, id);
    char* out = formatResourceV(buffer, capacity, id, values);
    va_end(values);
    return out;
}

char* formatResource(std::nullptr_t, std::int32_t id, ...) {
    va_list values;
    va_start(values, id);
    char* out = formatResourceV(nullptr, 0, id, values);
    va_end(values);
    return out;
}

std::uint8_t* formatPascalResourceV(std::uint8_t* buffer, std::int32_t capacity, std::int32_t id, va_list values) {
    std::uint8_t* out = buffer ? buffer : defaultPascalBuffer();
    if (!buffer) capacity = kPascalTextSize;
    if (capacity < 2) return out;
    // The text with its 0 byte takes the buffer less the length byte, and no more than a length byte counts.
    char text[kPascalTextSize];
    formatResourceV(text, std::min(capacity - 1, kPascalTextSize - 1), id, values);
    return textToPascal(out, text);
}

std::uint8_t* formatPascalResourceInto(std::uint8_t* buffer, std::int32_t capacity, std::int32_t id, ...) {
    va_list values;
    va_start(values, id);
    std::uint8_t* out = formatPascalResourceV(buffer, capacity, id, values);
    va_end(values);
    return out;
}

std::uint8_t* formatPascalResource(std::nullptr_t, std::int32_t id, ...) {
    va_list values;
    va_start(values, id);
    std::uint8_t* out = formatPascalResourceV(nullptr, 0, id, values);
    va_end(values);
    return out;
}

// ---- UTF-16 formatting ----

UniFormatValue::UniFormatValue(const PascalWString* text) : kind(text ? Kind::Pascal : Kind::Null) {
    if (text) units = text->view();
}

UniFormatValue::UniFormatValue(const char* text) : kind(text ? Kind::Text : Kind::Null) {
    if (text) bytes = text;
}

UniFormatValue::UniFormatValue(const char16_t* text) : kind(text ? Kind::UniText : Kind::Null) {
    if (text) units = text;
}

std::u16string formatUniCoreToString(const char16_t* format, std::span<const UniFormatValue> values) {
    std::u16string out;
    if (!format) return out;
    std::size_t next = 0;
    for (const char16_t* p = format; *p != 0; ++p) {
        if (*p != u'%') {
            out.push_back(*p);
            continue;
        }
        const char16_t conversion = p[1];
        if (conversion == 0) {  // a '%' that ends the format stands for itself
            out.push_back(u'%');
            break;
        }
        ++p;
        if (!takesValue(conversion)) {
            out.push_back(conversion);
            continue;
        }
        if (next < values.size()) appendValue(out, conversion, values[next]);
        ++next;
    }
    return out;
}

char16_t* formatUniCore(char16_t* buffer, std::int32_t capacity, const char16_t* format, std::span<const UniFormatValue> values) {
    char16_t* out = buffer ? buffer : defaultUniTextBuffer();
    if (!buffer) capacity = kDefaultUniTextSize;
    if (capacity <= 0) return out;
    try {
        return placeUnits(out, capacity, formatUniCoreToString(format, values));
    } catch (const std::bad_alloc&) {
        return placeUnits(out, capacity, {});
    }
}

char16_t* formatUniResourceCore(char16_t* buffer, std::int32_t capacity, std::uint16_t id, std::span<const UniFormatValue> values) {
    char16_t format[kLoadStringSize + 1];
    loadUniTextInto(format, kLoadStringSize + 1, id);
    return formatUniCore(buffer, capacity, format, values);
}
