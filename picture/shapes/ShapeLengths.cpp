#include "picture/shapes/ShapeLengths.h"

#include <cstdint>
#include <cstring>

namespace {

struct UnitFactor {
    const char* suffix;
    std::uint64_t twips;
    std::uint64_t emu;
    std::uint64_t fixed;
};

// The units a value may end with, and their factors in each unit kind. A value that ends otherwise is a
// plain number (kPlainNumber).
constexpr UnitFactor kUnitFactors[] = {
    {"pt", 20, 12700, 65536},
    {"in", 1440, 914400, 4718592},
    {"cm", 567, 360000, 1835008},
    {"mm", 57, 36000, 183501},
    {"f", 1, 1, 1},
    {"%", 1, 1, 655},
};
constexpr UnitFactor kPlainNumber = {"", 1, 1, 65536};

// Beyond this place value a further non-zero digit cannot be held: the length is refused.
constexpr std::uint64_t kLargestPlace = 1000000000000000000ULL;

std::uint64_t factorIn(const UnitFactor& unitFactor, LengthUnit unit) {
    switch (unit) {
        case LengthUnit::twips:
            return unitFactor.twips;
        case LengthUnit::emu:
            return unitFactor.emu;
        case LengthUnit::fixed:
            break;
    }
    return unitFactor.fixed;
}

const UnitFactor& unitOf(std::string_view value) {
    for (const UnitFactor& unitFactor : kUnitFactors) {
        if (value.ends_with(unitFactor.suffix)) return unitFactor;
    }
    return kPlainNumber;
}

// The value of a length text: after its first ':' (from the start without one), before its first ';'.
std::string_view valueOf(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos) text.remove_prefix(colon + 1);
    return text.substr(0, text.find(';'));
}

struct DigitReading {
    std::uint64_t digitSum = 0;
    std::uint64_t divisor = 0;  // 0: no decimal point
    bool negative = false;
};

// Reads the number from its last character to its first: digits at their full decimal places, a '.'
// (not the last character) marks the divisor, signs set the sign, anything else is skipped. No value
// when the digits do not fit 64 bits.
std::optional<DigitReading> readDigits(std::string_view number) {
    DigitReading reading;
    std::uint64_t place = 1;
    bool placeSpent = false;
    for (std::size_t index = number.size(); index-- > 0;) {
        const char character = number[index];
        if (character >= '0' && character <= '9') {
            const std::uint64_t digit = static_cast<std::uint64_t>(character - '0');
            if (placeSpent && digit != 0) return std::nullopt;
            reading.digitSum += digit * place;
            if (place > kLargestPlace / 10) {
                placeSpent = true;
            } else {
                place *= 10;
            }
        } else if (character == '.' && index + 1 < number.size()) {
            if (placeSpent) return std::nullopt;
            reading.divisor = place;
        } else if (character == '-') {
            reading.negative = true;
        } else if (character == '+') {
            reading.negative = false;
        }
    }
    return reading;
}

ConvertedLength lengthOf(std::int64_t value) {
    ConvertedLength length{};
    length.value = static_cast<std::int32_t>(value);
    formatDecimal(value, length.text, sizeof length.text);
    return length;
}

}  // namespace

std::optional<ConvertedLength> convertLengthValue(std::string_view value, LengthUnit unit) {
    const UnitFactor& unitFactor = unitOf(value);
    value.remove_suffix(std::strlen(unitFactor.suffix));
    const std::optional<DigitReading> reading = readDigits(value);
    if (!reading) return std::nullopt;
    const std::uint64_t factor = factorIn(unitFactor, unit);
    if (reading->digitSum > UINT64_MAX / factor) return std::nullopt;
    std::uint64_t magnitude = factor * reading->digitSum;
    if (reading->divisor != 0) magnitude /= reading->divisor;
    if (magnitude > INT32_MAX) return std::nullopt;
    const std::int64_t signedValue = reading->negative ? -static_cast<std::int64_t>(magnitude)
                                                       : static_cast<std::int64_t>(magnitude);
    return lengthOf(signedValue);
}

std::optional<ConvertedLength> convertLength(const char* lengthText, LengthUnit unit) {
    if (lengthText == nullptr) return std::nullopt;
    return convertLengthValue(valueOf(lengthText), unit);
}

std::int32_t lengthToTwips(const char* lengthText) {
    const std::optional<ConvertedLength> length = convertLength(lengthText, LengthUnit::twips);
    return length ? length->value : 0;
}

std::optional<ConvertedLength> lengthToEmuText(const char* lengthText) {
    return convertLength(lengthText, LengthUnit::emu);
}

std::optional<ConvertedLength> lengthToFixedText(const char* lengthText) {
    return convertLength(lengthText, LengthUnit::fixed);
}

std::optional<LengthPair> splitLengthPair(const char* pairText, LengthUnit unit) {
    if (pairText == nullptr) return std::nullopt;
    const std::string_view pair(pairText);
    const std::size_t comma = pair.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto convertField = [unit](std::string_view field) -> std::optional<ConvertedLength> {
        if (field.empty()) return lengthOf(0);
        return convertLengthValue(valueOf(field), unit);
    };
    const std::optional<ConvertedLength> x = convertField(pair.substr(0, comma));
    const std::optional<ConvertedLength> y = convertField(pair.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return LengthPair{*x, *y};
}

void rotationToFixedText(const char* rotationText, char* buffer, std::int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    buffer[0] = '\0';
    if (rotationText == nullptr) return;
    std::string_view value(rotationText);
    value = value.substr(0, value.find(';'));
    const bool negative = value.starts_with('-');
    // Whole turns change nothing, so the degrees are kept within one turn as they are read: no number of
    // digits can overflow.
    std::int64_t degrees = 0;
    for (const char character : value) {
        if (character >= '0' && character <= '9') degrees = (degrees * 10 + (character - '0')) % 360;
    }
    if (negative) degrees = (360 - degrees) % 360;
    if (degrees != 0) formatDecimal(degrees * 65536, buffer, capacity);
}

std::int32_t formatDecimal(std::int64_t value, char* buffer, std::int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return 0;
    char digits[24];
    std::int32_t start = sizeof digits;
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits[--start] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[--start] = '-';
    std::int32_t count = static_cast<std::int32_t>(sizeof digits) - start;
    if (count > capacity - 1) {
        start += count - (capacity - 1);
        count = capacity - 1;
    }
    std::memcpy(buffer, digits + start, static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

std::int32_t trailingNumber(const char* text) {
    if (text == nullptr) return 0;
    const std::string_view whole(text);
    std::size_t first = whole.size();
    while (first > 0 && whole[first - 1] >= '0' && whole[first - 1] <= '9') --first;
    std::int64_t number = 0;
    for (std::size_t index = first; index < whole.size(); ++index) {
        number = number * 10 + (whole[index] - '0');
        if (number > INT32_MAX) return 0;
    }
    return static_cast<std::int32_t>(number);
}

std::int32_t maxOf(std::int32_t a, std::int32_t b) {
    return a > b ? a : b;
}
