#pragma once
// The length-prefixed UTF-16 string used for file names, folders, paths and short interface texts:
// unit 0 holds the length, units 1..length the text, and the operations that build a string write a
// 0 unit after the text so it also reads as a NUL-terminated UTF-16 string from unit 1.
//
// Every operation keeps the text within kPascalCapacity units, cutting at a character boundary
// (never between the halves of a surrogate pair); callers that must not lose text (paths) check
// with fitsInPascal first and refuse what does not fit.
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::int32_t kPascalCapacity = 254;

struct PascalWString {
    char16_t units[256];

    // Unit 0 may come from anywhere (a record, a file, a caller that wrote the units itself): the text
    // is read as at most kPascalCapacity units, never past the end of the units.
    std::int32_t length() const { return units[0] < kPascalCapacity ? units[0] : kPascalCapacity; }
    const char16_t* text() const { return units + 1; }
    std::u16string_view view() const { return {units + 1, static_cast<std::size_t>(length())}; }
};

bool fitsInPascal(std::int32_t units);

void copyPString(PascalWString& dst, const PascalWString& src);
void assignPString(PascalWString& dst, const PascalWString& src);
void appendPString(PascalWString& dst, const PascalWString& src);
void assignWString(PascalWString& dst, const char16_t* wide);
void appendWString(PascalWString& dst, const char16_t* wide);
// From UTF-8; no 0 unit is written after the text.
void assignCString(PascalWString& dst, const char* utf8);
void appendCString(PascalWString& dst, const char* utf8);

// The caller's buffer holds at least length() + 1 units (kPascalCapacity + 1 hold any string).
char16_t* pstringToWString(char16_t* wide, const PascalWString& src);
char16_t* appendPStringToWString(char16_t* wide, const PascalWString& src);
// UTF-8 into a caller's buffer of `capacity` bytes: as many whole characters as fit before a 0 byte.
// A capacity below 1 writes nothing.
char* pstringToCString(char* utf8, std::int32_t capacity, const PascalWString& src);
// The same into one shared buffer (kPascalTempBytes bytes for the UTF-8 form), overwritten by the next call.
constexpr std::int32_t kPascalTempBytes = 256;
char16_t* pstringToWStringTemp(const PascalWString& src);
char* pstringToCStringTemp(const PascalWString& src);

// Position of the last occurrence (0 = first text unit); -1 when absent.
std::int16_t lastIndexOfUnit(const PascalWString& src, char16_t unit);
void deleteUnits(PascalWString& dst, std::int32_t start, std::int32_t count);
// Cuts the text at its last '.'.
void stripPStringExtension(PascalWString& dst);

// The whole text, unbounded: for the boundary to the file system and the storage.
std::string pstringToUtf8(const PascalWString& src);
// UTF-8 into a PascalWString (the first layer's conversion with its 255-unit output bound).
void utf8ToUniPascal(PascalWString& dst, const char* utf8);
// The UTF-8 form into a buffer of `capacity` bytes, cut on a character boundary with a 0 byte after it;
// a null buffer means the shared buffer of kPascalTempBytes bytes (capacity is then not read).
char* uniPascalToUtf8(const PascalWString& src, char* buffer, std::int32_t capacity);

// Builds a PascalWString from a UTF-16 literal (tests and constants).
PascalWString makePascal(std::u16string_view text);
bool operator==(const PascalWString& a, const PascalWString& b);
