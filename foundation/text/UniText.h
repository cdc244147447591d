#pragma once
// Operations on NUL-terminated UTF-16 texts, and their conversions from and to UTF-8.
//
// Every operation that writes a text takes the destination's capacity in units, the terminator
// included, and cuts its result there without splitting a surrogate pair (an insertion that does not
// fit changes nothing). Searches and comparisons are exact.
#include <cstdint>

#include "foundation/text/DefaultTextBuffers.h"

// Units before the terminator; null gives 0.
std::int32_t uniStrLen(const char16_t* text);
char16_t* uniStrCopy(char16_t* destination, std::int32_t capacity, const char16_t* source);
// Copies at most count units; after a copied 0 unit the rest of the count is filled with 0 units, and
// a source of count units or more gets no terminator (the fixed-size field form).
char16_t* uniStrCopyMax(char16_t* destination, const char16_t* source, std::int32_t count);
char16_t* uniStrCat(char16_t* destination, std::int32_t capacity, const char16_t* source);
// From 8-bit text, one unit per byte (bytes above 127 become U+0080 to U+00FF).
char16_t* textToUniWiden(char16_t* destination, std::int32_t capacity, const char* text);
char16_t* uniStrCatText(char16_t* destination, std::int32_t capacity, const char* text);

// The first (last) unit equal to `unit`, the terminator for 0; null when absent or for a null text.
const char16_t* uniStrChr(const char16_t* text, char16_t unit);
char16_t* uniStrChr(char16_t* text, char16_t unit);
const char16_t* uniStrRChr(const char16_t* text, char16_t unit);
char16_t* uniStrRChr(char16_t* text, char16_t unit);
// The first place where find occurs; the text itself for an empty find; null when absent.
const char16_t* uniStrFind(const char16_t* text, const char16_t* find);
char16_t* uniStrFind(char16_t* text, const char16_t* find);

// Cuts at the last '.'; a text without one is left unchanged.
void uniStripExtension(char16_t* text);
// Removes count units at the 0-based position (as many as there are).
void uniDelete(char16_t* text, std::int32_t position, std::int32_t count);
// Inserts at the 0-based position (the end when beyond it); false, and nothing changed, when the result
// would not fit in `capacity` units.
bool uniInsert(char16_t* text, std::int32_t capacity, const char16_t* insertion, std::int32_t position);
// As replaceAllText (PascalText.h), in units.
void uniReplaceAll(char16_t* text, std::int32_t capacity, const char16_t* find, const char16_t* replacement);

// UTF-8 to UTF-16 in a buffer of `capacityBytes` bytes, the 0 unit included (at most 511 units in the
// UTF-16 default buffer, used when the buffer is null). Malformed UTF-8 gives U+FFFD.
char16_t* utf8ToUni(const char* utf8, char16_t* buffer, std::int32_t capacityBytes);
// UTF-16 to UTF-8 in a buffer of `capacityBytes` bytes, the 0 byte included (at most 512 bytes in the
// 8-bit default buffer, used when the buffer is null); whole characters only.
char* uniToUtf8(const char16_t* text, char* buffer, std::int32_t capacityBytes);
