#include "picture/CompareNoCase.h"

#include <array>

namespace {

constexpr std::array<std::uint8_t, 256> makeCaseTable() {
    std::array<std::uint8_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const bool asciiCapital = byte >= 'A' && byte <= 'Z';
        const bool latinCapital = (byte >= 0xC1 && byte <= 0xC4) || (byte >= 0xC6 && byte <= 0xDA);
        table[static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(asciiCapital || latinCapital ? byte + 0x20 : byte);
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> kCaseTable = makeCaseTable();

}  // namespace

std::uint8_t foldCase(std::uint8_t byte) { return kCaseTable[byte]; }

int compareNoCase(const char* a, const char* b, std::int32_t count) {
    if (a == nullptr) return -1;
    if (b == nullptr) return 1;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t left = foldCase(static_cast<std::uint8_t>(a[i]));
        const std::uint8_t right = foldCase(static_cast<std::uint8_t>(b[i]));
        if (left != right) return left - right;
        if (a[i] == 0) return 0;
    }
    return 0;
}
