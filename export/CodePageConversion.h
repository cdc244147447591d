#pragma once
// Turns a run of UTF-16 text into 8-bit text in the charset of a text-encoding code, for the writers
// whose output is 8-bit. The area that receives the bytes belongs to the conversion and grows with the
// run, so a long run (a spreadsheet cell of tens of thousands of characters) is converted whole.
//
// A character that the charset cannot hold, and a lone surrogate, is left out alone; the rest of the
// run comes through.
#include <cstdint>

class CodePageConversion {
public:
    // unit: the source unit named by the failures it raises.
    explicit CodePageConversion(const char* unit) : unit(unit) {}
    ~CodePageConversion();
    CodePageConversion(const CodePageConversion&) = delete;
    CodePageConversion& operator=(const CodePageConversion&) = delete;

    // Converts length units into the charset of textEncoding and answers the number of bytes, which
    // bytes() then holds until the next conversion. A negative length, or null text with a positive
    // length, raises CFail 22; lack of memory raises CFail 12.
    std::int32_t convert(std::int32_t textEncoding, const char16_t* text, std::int32_t length);
    const std::uint8_t* bytes() const { return area; }

private:
    void reserve(std::int64_t capacity);

    const char* unit;
    std::uint8_t* area = nullptr;
    std::int32_t capacity = 0;
};
