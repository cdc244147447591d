#pragma once
// 8-bit length-prefixed strings and operations on NUL-terminated 8-bit texts (UTF-8 on this build,
// WINDOWS-1252 where a caller says so).
//
// A length-prefixed string lives in a buffer of kPascalTextSize (256) bytes: byte 0 holds the length,
// the text follows, and the operations here write a 0 byte after it. So that the 0 byte always fits,
// every operation keeps the length at kPascalTextMaxLength (254) or below, cutting on a character
// boundary. A length byte read from elsewhere may say up to 255; it is read as at most 254.
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/text/DefaultTextBuffers.h"

constexpr std::int32_t kPascalTextMaxLength = kPascalTextSize - 2;

// Copies the source's text, at most `maximum` bytes when maximum is above 0; a null source gives the
// empty string. Answers the destination.
std::uint8_t* copyPascal(std::uint8_t* destination, const std::uint8_t* source, std::int32_t maximum);
// Appends at most `maximum` bytes (all when 0) of the source, as far as the destination has room.
std::uint8_t* appendPascal(std::uint8_t* destination, const std::uint8_t* source, std::int32_t maximum);
// The text of a length-prefixed string as NUL-terminated text, in a buffer of kPascalTextSize bytes or
// the 8-bit default buffer.
char* pascalToText(char* buffer, const std::uint8_t* source);
// A NUL-terminated text as a length-prefixed string, in the buffer or the length-prefixed default buffer.
std::uint8_t* textToPascal(std::uint8_t* buffer, const char* text);

// Removes count bytes at the 0-based position (as many as there are).
void deleteText(char* text, std::int32_t position, std::int32_t count);
// Inserts at the 0-based position (the end when beyond it). The buffer holds `capacity` bytes with the
// terminator; an insertion that would not fit changes nothing and answers false.
bool insertText(char* text, std::int32_t capacity, const char* insertion, std::int32_t position);
// Replaces every occurrence of find (exact, searched again from the start after each replacement).
// `capacity` is the buffer's size and bounds the result: when the replacement would not fit, the
// occurrence is removed and nothing is inserted. A replacement that contains find is not searched
// again. An empty find or text finds nothing.
void replaceAllText(char* text, std::int32_t capacity, const char* find, const char* replacement);
// Cuts the text at its last '.'; a text without one is left unchanged.
void stripExtension(char* text);
// Reverses the first count bytes in place (count 2 swaps the bytes of a 16-bit field).
void reverseText(void* buffer, std::int32_t count);

// Escapes the text for a writer: letters, digits and * + - . @ _ stay, every other byte becomes the
// prefix and two lower-case hexadecimal digits ("a b" with the prefix "\'" gives "a\'20b"). Answers a
// new heap text (Memory.h: free it with freeMemory), or null when it cannot be allocated. Any length.
char* escapeText(const char* text, const char* prefix);
// The same as a string.
std::string escapeTextString(std::string_view text, std::string_view prefix);
