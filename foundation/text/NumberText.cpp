#include "foundation/text/NumberText.h"

#include <cstring>

#include "foundation/text/DefaultTextBuffers.h"
#include "foundation/text/PascalText.h"

namespace {

bool validRadix(std::int16_t radix) {
    return radix >= 2 && radix <= 36;
}

// The magnitude of a value; the most negative 64-bit value has one too.
std::uint64_t magnitudeOf(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

char digitCharacter(std::uint64_t digit, std::int16_t base) {
    if (digit > 9) return static_cast<char>('A' + (digit - 10));  // letters are capitals whatever the base
    return static_cast<char>(base + static_cast<std::int16_t>(digit));
}

// Writes the text of a number and a terminator into `out` (kNumberTextSize characters); answers its length.
std::int32_t writeNumber(char* out, std::int64_t value, std::int16_t radix, std::int16_t base, std::int16_t isUnsigned) {
    if (!validRadix(radix)) {
        out[0] = '\0';
        return 0;
    }
    const bool negative = isUnsigned != 1 && value < 0;
    std::uint64_t rest = isUnsigned == 1 ? static_cast<std::uint64_t>(value) : magnitudeOf(value);
    char digits[64];
    std::int32_t count = 0;
    do {
        digits[count++] = digitCharacter(rest % static_cast<std::uint64_t>(radix), base);
        rest /= static_cast<std::uint64_t>(radix);
    } while (rest != 0);
    std::int32_t length = 0;
    if (negative) out[length++] = static_cast<char>(base - 3);
    while (count > 0) out[length++] = digits[--count];
    out[length] = '\0';
    return length;
}

// The value of one digit character; -1 when it is none. Above the ten digits from the base only the
// capital letters count, so punctuation after '9' (':' to '@') is no digit.
std::int32_t digitValue(std::int32_t character, std::int16_t base) {
    std::int32_t digit = character - base;
    if (digit > 9) digit = (character >= 'A' && character <= 'Z') ? character - 'A' + 10 : -1;
    return digit;
}

template <typename Unit>
std::uint64_t readNumber(const Unit* text, std::int16_t radix, std::int16_t base, std::int16_t* sign) {
    if (sign) *sign = 1;
    if (!text || !validRadix(radix)) return 0;
    std::size_t i = 0;
    if (static_cast<std::int32_t>(text[0]) == base - 3) {
        if (sign) *sign = -1;
        i = 1;
    }
    constexpr std::uint64_t kLargest = ~std::uint64_t{0};
    const auto r = static_cast<std::uint64_t>(radix);
    std::uint64_t value = 0;
    for (; text[i] != 0; ++i) {
        const std::int32_t digit = digitValue(static_cast<std::int32_t>(text[i]), base);
        if (digit < 0 || digit >= radix) break;
        const auto d = static_cast<std::uint64_t>(digit);
        value = value > (kLargest - d) / r ? kLargest : value * r + d;
    }
    return value;
}

}  // namespace

char* numberToTextRadix(char* buffer, std::int64_t value, std::int16_t radix, std::int16_t base, std::int16_t isUnsigned) {
    char* out = buffer ? buffer : defaultTextBuffer();
    writeNumber(out, value, radix, base, isUnsigned);
    return out;
}

char* numberToText(std::int64_t value, char* buffer) {
    return numberToTextRadix(buffer, value, 10, '0', 0);
}

std::uint8_t* numberToPascal(std::uint8_t* buffer, std::int64_t value, std::int16_t radix, std::int16_t base,
                             std::int16_t isUnsigned) {
    return textToPascal(buffer, numberToTextRadix(nullptr, value, radix, base, isUnsigned));
}

char16_t* numberToUni(std::int64_t value, char16_t* buffer, std::int16_t radix, std::int16_t base, std::int16_t isUnsigned) {
    char16_t* out = buffer ? buffer : defaultUniTextBuffer();
    char text[kNumberTextSize];
    const std::int32_t length = writeNumber(text, value, radix, base, isUnsigned);
    for (std::int32_t i = 0; i <= length; ++i) out[i] = static_cast<unsigned char>(text[i]);
    return out;
}

char* numberToTextFixed(char* buffer, std::int64_t value, std::int16_t width, std::int16_t isUnsigned) {
    if (!buffer) return buffer;
    if (width < 1) {
        buffer[0] = '\0';
        return buffer;
    }
    std::memset(buffer, '0', static_cast<std::size_t>(width));
    buffer[width] = '\0';
    const bool negative = isUnsigned != 1 && value < 0;
    std::uint64_t rest = isUnsigned == 1 ? static_cast<std::uint64_t>(value) : magnitudeOf(value);
    std::int32_t place = width - 1;
    while (rest != 0 && place >= 0) {
        buffer[place--] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    if (negative && place >= 0) buffer[place] = '-';
    return buffer;
}

std::uint64_t textToNumber(const char* text, std::int16_t radix, std::int16_t base, std::int16_t* sign) {
    return readNumber(reinterpret_cast<const unsigned char*>(text), radix, base, sign);
}

std::uint64_t uniToNumber(const char16_t* text, std::int16_t radix, std::int16_t base, std::int16_t* sign) {
    return readNumber(text, radix, base, sign);
}

std::int64_t applyNumberSign(std::uint64_t magnitude, std::int16_t sign) {
    constexpr auto kMaximum = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (sign < 0) {
        if (magnitude > kMaximum) return std::numeric_limits<std::int64_t>::min();
        return -static_cast<std::int64_t>(magnitude);
    }
    return magnitude > kMaximum ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);
}
