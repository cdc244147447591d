#pragma once
// Numbers to text and back, in any radix from 2 to 36. Digits are the ten characters from the digit
// base (normally '0'), then the capital letters from 'A' for ten and above; the sign character is the
// one three below the base ('-' for '0').
//
// Text operations write into the caller's buffer, which holds at least kNumberTextSize characters
// (kNumberTextSize units for numberToUni, kPascalTextSize bytes for numberToPascal), or, given null,
// into the default buffer of their text form (DefaultTextBuffers.h). A radix outside 2 to 36 gives the
// empty text.
#include <concepts>
#include <cstdint>
#include <limits>

// A sign and 64 binary digits and the terminator.
constexpr std::int32_t kNumberTextSize = 66;

// isUnsigned 1 reads the value as an unsigned 64-bit number; otherwise a negative value gets the sign.
char* numberToTextRadix(char* buffer, std::int64_t value, std::int16_t radix, std::int16_t base, std::int16_t isUnsigned);
// Signed decimal.
char* numberToText(std::int64_t value, char* buffer);
// As numberToTextRadix, as a length-prefixed string; goes through the 8-bit default buffer, which it
// therefore overwrites.
std::uint8_t* numberToPascal(std::uint8_t* buffer, std::int64_t value, std::int16_t radix, std::int16_t base,
                             std::int16_t isUnsigned);
// The same digits as UTF-16 units.
char16_t* numberToUni(std::int64_t value, char16_t* buffer, std::int16_t radix, std::int16_t base, std::int16_t isUnsigned);
// Decimal in exactly `width` characters: '0'-filled on the left, digits beyond the width lost, and '-'
// in the first free place left of the digits when one remains ("00-42"). The buffer holds width + 1
// characters; a width below 1 gives the empty text.
char* numberToTextFixed(char* buffer, std::int64_t value, std::int16_t width, std::int16_t isUnsigned);

// Reads the number at the start of the text: a leading sign character sets *sign to -1 (else 1), then
// digits of the radix are taken until the first character that is not one (lower-case letters are no
// digits). The result is the magnitude; the caller applies the sign. A magnitude beyond 64 bits stops
// growing at the largest 64-bit value (the digits are still consumed). Null text gives 0.
std::uint64_t textToNumber(const char* text, std::int16_t radix, std::int16_t base, std::int16_t* sign);
std::uint64_t uniToNumber(const char16_t* text, std::int16_t radix, std::int16_t base, std::int16_t* sign);

// The signed value of a magnitude and a sign, kept within the 64-bit range.
std::int64_t applyNumberSign(std::uint64_t magnitude, std::int16_t sign);
// A 64-bit value narrowed to a smaller integer type, kept within its range instead of wrapping.
template <std::integral T>
constexpr T clampNumber(std::int64_t value) {
    if constexpr (std::numeric_limits<T>::is_signed) {
        if (value < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
    } else {
        if (value < 0) return 0;
    }
    if (static_cast<std::uint64_t>(value > 0 ? value : 0) > static_cast<std::uint64_t>(std::numeric_limits<T>::max())) {
        return std::numeric_limits<T>::max();
    }
    return static_cast<T>(value);
}
