#include "import/wordml/properties/HexNumber.h"

#include <cctype>

#include "foundation/encoding/UrlCodec.h"

namespace {

constexpr int kMaxDigits = 8;

}  // namespace

std::optional<std::int32_t> parseHexNumber(const char* text) {
    if (text == nullptr) return std::nullopt;
    const bool negative = *text == '-';
    if (negative) ++text;
    std::uint32_t value = 0;
    int digits = 0;
    for (; *text != '\0'; ++text, ++digits) {
        if (std::isxdigit(static_cast<unsigned char>(*text)) == 0 || digits == kMaxDigits) return std::nullopt;
        const int digit = hexDigitValue(*text);
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    if (digits == 0) return std::nullopt;
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}
