#pragma once
// Lengths of VML shapes ("12pt", "0.5in", "2.54cm", "50%", "32768f") converted to the three units RTF shape
// text wants: twips for positions and sizes, EMU for wrap distances, insets and line widths, and 16.16 fixed
// values for angles, opacities, font sizes and scale factors; and the small number formatters around them.
//
// A length text is either a property ("margin-left:12pt;...") or a bare value: the value begins after the
// first ':' (at the start without one) and ends before the first ';' (at the end without one). Its last
// two characters name the unit; the digits before are read wherever they stand (other characters are
// skipped), a '.' marks the decimal places and a '-' the sign. Unknown units (px, em) are plain numbers.
#include <cstdint>
#include <optional>
#include <string_view>

enum class LengthUnit : std::int16_t { twips = 1, emu = 2, fixed = 3 };

// The converted length: its decimal text (a '-' before a negative one) and its signed value.
struct ConvertedLength {
    char text[20];
    std::int32_t value;
};

// No value when the length does not fit a signed 32-bit number (the translators then write nothing).
std::optional<ConvertedLength> convertLength(const char* lengthText, LengthUnit unit);
// The same for a value already cut out of its property (no ':' or ';' is looked for).
std::optional<ConvertedLength> convertLengthValue(std::string_view value, LengthUnit unit);

// The signed value in twips; 0 when nothing could be converted.
std::int32_t lengthToTwips(const char* lengthText);
// The EMU and 16.16 fixed conversions; the value travels with the text.
std::optional<ConvertedLength> lengthToEmuText(const char* lengthText);
std::optional<ConvertedLength> lengthToFixedText(const char* lengthText);

struct LengthPair {
    ConvertedLength x;
    ConvertedLength y;
};
// "x,y" split at its first comma, each field converted in the unit (EMU or fixed); an empty field gives
// the text "0" and the value 0. No value without a comma or when a field cannot be converted.
std::optional<LengthPair> splitLengthPair(const char* pairText, LengthUnit unit);

// A rotation in whole degrees (the value ends at the first ';'; only its digits count, a leading '-'
// turns it the other way) as the decimal text of degrees × 65536, brought into 0 to 359 degrees first; ""
// for no rotation. The buffer of the given capacity keeps at most capacity - 1 characters.
void rotationToFixedText(const char* rotationText, char* buffer, std::int32_t capacity);

// The decimal digits of the value with a '-' when negative, 0-terminated; a buffer of n characters keeps
// at most n - 1 of them, the lowest digits of a longer number. Answers the number of characters written.
std::int32_t formatDecimal(std::int64_t value, char* buffer, std::int32_t capacity);

// The number formed by the decimal digits that end the text ("_x0000_s1026" gives 1026); 0 when the text
// does not end in a digit or the number does not fit a signed 32-bit value.
std::int32_t trailingNumber(const char* text);

std::int32_t maxOf(std::int32_t a, std::int32_t b);
