#pragma once
// The shared default buffers of the text toolkit. An operation that produces text writes into the
// caller's buffer, or, given none, into the one default buffer of its text form and answers it. There
// is exactly one buffer per form and no rotation: a text there lasts until the next call that uses the
// same buffer (one thread; a caller that needs two results at once passes its own buffer for one).
//
// Every operation cuts its result to the buffer it writes, on a character boundary.
#include <cstdint>

constexpr std::int32_t kDefaultTextSize = 512;     // 8-bit text, bytes with the terminator
constexpr std::int32_t kDefaultUniTextSize = 512;  // UTF-16 text, units with the terminator
constexpr std::int32_t kPascalTextSize = 256;      // 8-bit length-prefixed string, bytes

// formatString, formatResource, loadText, pascalToText, the number-to-text operations, uniToUtf8.
char* defaultTextBuffer();
// formatUniString, formatUniResource, loadUniText, utf8ToUni, numberToUni.
char16_t* defaultUniTextBuffer();
// formatPascalResource, textToPascal, numberToPascal.
std::uint8_t* defaultPascalBuffer();
