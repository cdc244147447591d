#pragma once
// %-encoding of bytes under a set of character classes. Every text the storage holds passes through it
// (class mask 8), so the storage never sees a character it must not hold; decoding gives back every byte,
// NUL bytes included.
#include <cstdint>

// The class bits, each a set of printable ASCII characters:
//   1 and 2: letters, digits and * - . @ _
//   4:       letters, digits and * + - . / @ _
//   8:       letters, digits, the blank and ! # + , - . / : = @ \ _ |
//   16:      the blank and % \ |
// The storage encodes every text under the mask 8.
constexpr std::int16_t kStorageUrlMask = 8;

// 0 to 15 for a hexadecimal digit of either case, 0 for any other character.
std::int16_t hexDigitValue(char character);

// Whether the byte is left as it is under the mask: it lies from 32 to 126 and shares a class with the mask.
bool urlAccepts(std::uint8_t byte, std::int16_t mask);

// %-encodes the first *length bytes (NUL bytes count like any other). Each byte the mask does not accept
// becomes '%' and two upper-case hexadecimal digits, except a blank, which becomes '+'.
// - Every byte accepted: answers bytes itself, *length unchanged.
// - Otherwise: a shared buffer holding the encoded text and a terminating 0, with *length set to the encoded
//   length; the buffer grows as needed and is overwritten by the next call that has something to escape.
// - Null, *length unchanged, when length is null or negative, bytes is null with a positive length, or the
//   encoded text does not fit in memory.
const char* urlEncode(const char* bytes, std::int32_t* length, std::int16_t mask);

// urlEncode of a NUL-terminated text; null for null.
const char* urlEncodeString(const char* text, std::int16_t mask);

// Decodes a NUL-terminated %-encoded text in place and answers the decoded length, which counts the bytes
// that %00 gives; a 0 byte is written after them. '%' and the next two characters give one byte, each
// character counting with hexDigitValue (a non-digit counts 0); '%' with one character left gives that digit
// times 16; a '%' at the very end is dropped; '+' stays '+'. 0 for null.
std::int32_t urlDecode(char* text);
