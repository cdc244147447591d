#include "import/spreadsheet/sheets/CellNumber.h"

#include <cstdint>
#include <optional>
#include <string>

#include "package/xml/XmlNodeHelpers.h"

namespace {

// The powers of ten a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMostExactDecimals = 22;
// Every whole number up to 2^53 is a double exactly.
constexpr std::uint64_t kMostExactWhole = std::uint64_t{1} << 53;
constexpr std::size_t kMostSafeDigits = 19;

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// Reads a run of digits from at on into mantissa; answers how many there were.
std::size_t readDigits(std::u16string_view text, std::size_t& at, std::uint64_t& mantissa) {
    const std::size_t start = at;
    for (; at < text.size() && isDigit(text[at]); ++at) mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[at] - u'0');
    return at - start;
}

// "-"? digits ("." digits)?, the whole text. A mantissa and a power of ten that are both exact give the
// nearest double in one division, the very answer a full decimal conversion gives; anything else
// (more digits, an exponent, any other spelling) is left to that conversion.
std::optional<double> readPlainDecimal(std::u16string_view text) {
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (negative) ++at;
    std::uint64_t mantissa = 0;
    const std::size_t wholeDigits = readDigits(text, at, mantissa);
    if (wholeDigits == 0) return std::nullopt;
    std::size_t decimals = 0;
    if (at < text.size()) {
        if (text[at] != u'.') return std::nullopt;
        ++at;
        decimals = readDigits(text, at, mantissa);
        if (decimals == 0 || at < text.size()) return std::nullopt;
    }
    // Nineteen digits cannot overflow 64 bits; the exact limits are checked after.
    if (wholeDigits + decimals > kMostSafeDigits || mantissa > kMostExactWhole ||
        decimals > static_cast<std::size_t>(kMostExactDecimals))
        return std::nullopt;
    const double magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
    return negative ? -magnitude : magnitude;
}

}  // namespace

double readCellNumber(std::u16string_view text) {
    if (const std::optional<double> plain = readPlainDecimal(text)) return *plain;
    std::string ascii;
    ascii.reserve(text.size());
    for (char16_t unit : text) ascii.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    return parseDouble(ascii.c_str());
}
