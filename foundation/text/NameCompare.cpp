#include "foundation/text/NameCompare.h"

#include <cstddef>

namespace {

unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 32) : byte;
}

bool sameLetterInTwoCases(unsigned char x, unsigned char y) {
    const auto lower = static_cast<unsigned char>(x | 0x20);
    return lower >= 'a' && lower <= 'z' && lower == (y | 0x20);
}

}  // namespace

int compareNames(const char* a, const char* b) {
    if (a == b) return 0;
    unsigned char x = 0;
    unsigned char y = 0;
    do {
        if (*a == '-') ++a;
        if (*b == '-') ++b;
        x = folded(*a);
        y = folded(*b);
        if (x == 0) break;
        ++a;
        ++b;
    } while (x == y);
    return static_cast<int>(x) - static_cast<int>(y);
}

bool sameName(const char* a, const char* b) {
    std::size_t at = 0;
    while (a[at] == b[at]) {
        if (a[at] == '\0') return true;
        ++at;
    }
    const auto x = static_cast<unsigned char>(a[at]);
    const auto y = static_cast<unsigned char>(b[at]);
    if (x == '-' || y == '-' || sameLetterInTwoCases(x, y)) return compareNames(a, b) == 0;
    return false;
}
