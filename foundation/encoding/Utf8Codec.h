#pragma once
// Conversions between UTF-8, UTF-16LE and Latin-1 with an in/out size protocol: on entry the two
// sizes give the output capacity and the input length in bytes; on return they hold the bytes
// written and the bytes consumed. The result is the bytes written, or a negative code.
//
// Inside the program UTF-16 <-> UTF-8 is lossless: a lone surrogate is written as its 3-byte form and
// read back as the same unit, so story text keeps every unit and run positions never drift.
// Malformed UTF-8 from outside decodes to U+FFFD, never to a control unit (units 1-31 are anchors).
// A sequence cut off by the end of the input is left unconsumed, so text can arrive in chunks.
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

// On this build a char16_t array in memory is its UTF-16LE byte form, so text is handed to the byte
// converters as it stands.
static_assert(std::endian::native == std::endian::little, "UTF-16 text is kept little-endian in memory");

inline std::uint8_t* utf16Bytes(char16_t* units) {
    return reinterpret_cast<std::uint8_t*>(units);
}
inline const std::uint8_t* utf16Bytes(const char16_t* units) {
    return reinterpret_cast<const std::uint8_t*>(units);
}

namespace utf8codec {
constexpr std::int32_t kBadArguments = -1;
constexpr char16_t kReplacementCharacter = 0xFFFD;
}  // namespace utf8codec

// UTF-8 to one byte per character; a character above 255 becomes '?'.
std::int32_t utf8ToLatin1(std::uint8_t* output, std::int32_t* outputSize, const std::uint8_t* input,
                          std::int32_t* inputSize);
// UTF-8 to UTF-16LE; the capacity is the output size rounded down to whole units.
std::int32_t utf8ToUtf16(std::uint8_t* output, std::int32_t* outputSize, const std::uint8_t* input,
                         std::int32_t* inputSize);
// UTF-16LE to UTF-8. Writes while the bytes written plus 5 stay below the output size, so a
// terminator always fits after the result. An odd input size drops the last byte. A high surrogate
// at the very end of the input is left unconsumed (its partner may come with the next chunk).
std::int32_t utf16ToUtf8(std::uint8_t* output, std::int32_t* outputSize, const std::uint8_t* input,
                         std::int32_t* inputSize);

// Whole texts, for callers that hold the complete input (file names, storage values): a trailing
// lone high surrogate is written in its 3-byte form, and a cut-off trailing sequence decodes to U+FFFD.
std::string utf16ToUtf8String(std::u16string_view text);
std::u16string utf8ToUtf16String(std::string_view text);
// utf16ToUtf8String's bytes appended to out, for a caller that reuses one buffer.
void appendUtf16AsUtf8(std::string& out, std::u16string_view text);

// Bytes enough to hold the UTF-8 form of `units` UTF-16 units with utf16ToUtf8, terminator included.
constexpr std::int32_t utf8CapacityForUnits(std::int32_t units) {
    return units * 3 + 6;
}
