#pragma once
// Text in a named charset to and from UTF-16LE, in one call. A character that has no form in the
// target is left out and the rest converted; an output that fills up keeps what fit.
#include <cstdint>

#include "foundation/text/PascalWString.h"

// Converts between two charsets named as the program names them ("UTF-16LE", "WINDOWS-1252", ...).
// Answers the bytes written; 0 when the pair cannot be opened.
std::int32_t convertCharset(const char* targetCharset, const char* sourceCharset, const void* input, std::int32_t inputBytes,
                            void* output, std::int32_t capacity);
// WINDOWS-1252 text into the string (at most 254 units; no 0 unit is written after the text).
void textToUniPascal(PascalWString& dst, const char* text);
// The string as WINDOWS-1252 text, at most 255 bytes and a 0, into buffer (or one shared
// 512-byte buffer when null).
char* uniPascalToText(const PascalWString& src, char* buffer);
