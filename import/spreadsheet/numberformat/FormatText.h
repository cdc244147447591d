#pragma once
// The two bounded texts the number-format engine writes into: the cell text it builds (UTF-16, at most
// kFormatTextCapacity units, as a cell shows no more) and the digits it prints a value as (ASCII). A
// write past either end raises CFail 7 with the unit "BFormat"; the engine then writes that cell in the
// General format, so an over-long literal or a 300-digit number never runs past a buffer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/CFail.h"

constexpr const char* kFormatUnit = "BFormat";
constexpr std::size_t kFormatTextCapacity = 256;
// Room for any number printed with at most 255 decimals (309 whole digits for 1.7e308) and its
// thousands separators.
constexpr std::size_t kDigitTextCapacity = 1024;

// A code the engine cannot use: CFail 22.
[[noreturn]] inline void failFormatCode(int line) {
    throwFail(result::kNullObject, line, kFormatUnit);
}

// Whether the keyword "General" starts at `at`. Workbooks write it in any case ("GENERAL", "general"),
// and a code that spells it otherwise still means General: reading it as letters would show nothing.
inline bool generalKeywordAt(std::u16string_view section, std::size_t at) {
    constexpr std::u16string_view keyword = u"general";
    if (at > section.size() || section.size() - at < keyword.size()) return false;
    for (std::size_t k = 0; k < keyword.size(); ++k) {
        char16_t c = section[at + k];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != keyword[k]) return false;
    }
    return true;
}
constexpr std::size_t kGeneralKeywordLength = 7;

class FormatText {
public:
    void put(char16_t unit) {
        if (length >= kFormatTextCapacity) throwFail(result::kNumberTextTooLong, __LINE__, kFormatUnit);
        units[length++] = unit;
    }
    void put(std::u16string_view text) {
        for (char16_t unit : text) put(unit);
    }
    void putAscii(std::string_view text) {
        for (char c : text) put(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    std::u16string_view view() const { return {units, length}; }
    std::size_t size() const { return length; }
    void clear() { length = 0; }

private:
    char16_t units[kFormatTextCapacity];
    std::size_t length = 0;
};

// A value printed as ASCII: an optional '-', digits, an optional '.' and digits, an optional exponent.
struct DigitText {
    char text[kDigitTextCapacity];
    std::size_t length = 0;

    std::string_view view() const { return {text, length}; }
    void assign(std::string_view digits);
};

// Where the exponent mark ('e' or 'E') of printed digits stands, from `from` on; npos for none. A plain
// scan: the library's search for either of two characters costs a call per character, every cell.
inline std::size_t findExponentMark(std::string_view digits, std::size_t from = 0) {
    for (std::size_t at = from; at < digits.size(); ++at)
        if (digits[at] == 'e' || digits[at] == 'E') return at;
    return std::string_view::npos;
}
