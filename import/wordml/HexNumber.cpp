#include "import/wordml/HexNumber.h"

namespace {

constexpr int kMaxDigits = 8;

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::int32_t> parseHexNumber(const char* text) {
    if (text == nullptr) return std::nullopt;
    const bool negative = *text == '-';
    if (negative) ++text;
    std::uint32_t value = 0;
    int digits = 0;
    for (; *text != '\0'; ++text, ++digits) {
        const int digit = digitValue(*text);
        if (digit < 0 || digits == kMaxDigits) return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    if (digits == 0) return std::nullopt;
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}
