#pragma once
// Formatting into 8-bit and UTF-16 text.
//
// The 8-bit formatters follow the printf conventions of the standard library ("%03d", "%s", "%%"); the
// compiler checks the values against a literal format. The UTF-16 formatter knows four conversions: %d
// (an integer of at most 32 bits), %h (a PascalWString), %s (8-bit text, read as UTF-8) and %u
// (NUL-terminated UTF-16 text). Any other unit after '%' stands for itself and takes no value: "%%"
// gives "%" and "%03d" gives "03d" (widths belong to the 8-bit formatters only); a '%' that ends the
// format stays. Its values are typed: a value that does not suit its conversion, a null text and a
// missing value add nothing, so that no format (a translated one included) can make it read a value
// as something else.
//
// Every formatter is bounded by its buffer and cuts its result there on a character boundary. Each
// comes in three forms:
//   formatString(nullptr, format, ...)              the default buffer of its form (DefaultTextBuffers.h)
//   formatString(array, format, ...)                the caller's array, cut to its size
//   formatStringInto(buffer, capacity, format, ...) any buffer of that capacity; null: the default buffer
// and formatToString / formatUniToString answer the whole text, for callers that must not lose any
// (these may throw std::bad_alloc). The values may point into the buffer being written: the text is
// built apart and copied at the end.
#include <array>
#include <concepts>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "foundation/text/DefaultTextBuffers.h"
#include "foundation/text/PascalWString.h"

// ---- 8-bit formatting ----

char* formatStringV(char* buffer, std::int32_t capacity, const char* format, va_list values);
[[gnu::format(printf, 3, 4)]] char* formatStringInto(char* buffer, std::int32_t capacity, const char* format, ...);
[[gnu::format(printf, 2, 3)]] char* formatString(std::nullptr_t, const char* format, ...);
template <std::size_t N>
[[gnu::format(printf, 2, 3)]] char* formatString(char (&buffer)[N], const char* format, ...) {
    va_list values;
    va_start(values, format);
    formatStringV(buffer, static_cast<std::int32_t>(N), format, values);
    va_end(values);
    return buffer;
}
std::string formatToStringV(const char* format, va_list values);
[[gnu::format(printf, 1, 2)]] std::string formatToString(const char* format, ...);

// A UI string (UIStrings.h, 8-bit form, at most 254 bytes) as the format. The id is a 16-bit string id.
char* formatResourceV(char* buffer, std::int32_t capacity, std::int32_t id, va_list values);
char* formatResourceInto(char* buffer, std::int32_t capacity, std::int32_t id, ...);
char* formatResource(std::nullptr_t, std::int32_t id, ...);
template <std::size_t N>
char* formatResource(char (&buffer)[N], std::int32_t id, ...) {
    va_list values;
    va_start(values, id);
    formatResourceV(buffer, static_cast<std::int32_t>(N), id, values);
    va_end(values);
    return buffer;
}
// The same into a length-prefixed string (PascalText.h): a length byte, the text and a 0 byte in a
// buffer of `capacity` bytes, so at most capacity - 2 bytes of text and never more than 254. Null: the
// length-prefixed default buffer. A capacity below 2 writes nothing.
std::uint8_t* formatPascalResourceV(std::uint8_t* buffer, std::int32_t capacity, std::int32_t id, va_list values);
std::uint8_t* formatPascalResourceInto(std::uint8_t* buffer, std::int32_t capacity, std::int32_t id, ...);
std::uint8_t* formatPascalResource(std::nullptr_t, std::int32_t id, ...);
template <std::size_t N>
std::uint8_t* formatPascalResource(std::uint8_t (&buffer)[N], std::int32_t id, ...) {
    va_list values;
    va_start(values, id);
    formatPascalResourceV(buffer, static_cast<std::int32_t>(N), id, values);
    va_end(values);
    return buffer;
}

// ---- UTF-16 formatting ----

// One value for the UTF-16 formatter. Integers wider than 32 bits are refused at compile time.
class UniFormatValue {
public:
    enum class Kind { Number, Pascal, Text, UniText, Null };

    template <std::integral T>
        requires(sizeof(T) <= 4)
    UniFormatValue(T number) : kind(Kind::Number), number(static_cast<std::int32_t>(number)) {}
    template <std::integral T>
        requires(sizeof(T) > 4)
    UniFormatValue(T number) = delete;
    UniFormatValue(const PascalWString* text);
    UniFormatValue(const PascalWString& text) : UniFormatValue(&text) {}
    UniFormatValue(const char* text);
    UniFormatValue(const char16_t* text);
    UniFormatValue(std::nullptr_t) : kind(Kind::Null) {}

    Kind kind;
    std::int32_t number = 0;
    std::string_view bytes;       // Text
    std::u16string_view units;    // Pascal, UniText
};

// The formatter over a list of values.
std::u16string formatUniCoreToString(const char16_t* format, std::span<const UniFormatValue> values);
char16_t* formatUniCore(char16_t* buffer, std::int32_t capacity, const char16_t* format, std::span<const UniFormatValue> values);

template <typename... Values>
std::u16string formatUniToString(const char16_t* format, const Values&... values) {
    const std::array<UniFormatValue, sizeof...(Values)> list{UniFormatValue(values)...};
    return formatUniCoreToString(format, list);
}
template <typename... Values>
char16_t* formatUniStringInto(char16_t* buffer, std::int32_t capacity, const char16_t* format, const Values&... values) {
    const std::array<UniFormatValue, sizeof...(Values)> list{UniFormatValue(values)...};
    return formatUniCore(buffer, capacity, format, list);
}
template <typename... Values>
char16_t* formatUniString(std::nullptr_t, const char16_t* format, const Values&... values) {
    return formatUniStringInto(nullptr, 0, format, values...);
}
template <std::size_t N, typename... Values>
char16_t* formatUniString(char16_t (&buffer)[N], const char16_t* format, const Values&... values) {
    return formatUniStringInto(buffer, static_cast<std::int32_t>(N), format, values...);
}

// A UI string (UIStrings.h, UTF-16 form, at most 254 units) as the format.
char16_t* formatUniResourceCore(char16_t* buffer, std::int32_t capacity, std::uint16_t id, std::span<const UniFormatValue> values);
template <typename... Values>
char16_t* formatUniResourceInto(char16_t* buffer, std::int32_t capacity, std::uint16_t id, const Values&... values) {
    const std::array<UniFormatValue, sizeof...(Values)> list{UniFormatValue(values)...};
    return formatUniResourceCore(buffer, capacity, id, list);
}
template <typename... Values>
char16_t* formatUniResource(std::nullptr_t, std::uint16_t id, const Values&... values) {
    return formatUniResourceInto(nullptr, 0, id, values...);
}
template <std::size_t N, typename... Values>
char16_t* formatUniResource(char16_t (&buffer)[N], std::uint16_t id, const Values&... values) {
    return formatUniResourceInto(buffer, static_cast<std::int32_t>(N), id, values...);
}
