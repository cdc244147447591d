#pragma once
// Where a text may be cut without splitting a character, for every operation that bounds its result
// by a buffer.
#include <cstddef>
#include <string_view>

// The longest prefix of at most `limit` bytes that does not end inside a UTF-8 sequence. Bytes that
// are not well-formed UTF-8 (WINDOWS-1252 text) are cut like single characters, apart from a lead byte
// whose continuation bytes are missing at the cut.
std::size_t utf8CutPoint(std::string_view text, std::size_t limit);
// Copies as much of the text as a buffer of `capacity` bytes (at least 1) holds with a 0 byte after it,
// cut at utf8CutPoint; answers the bytes of text copied.
std::size_t placeUtf8(char* out, std::size_t capacity, std::string_view text);
constexpr bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The longest prefix of at most `limit` units that does not split a surrogate pair.
std::size_t utf16CutPoint(std::u16string_view text, std::size_t limit);
