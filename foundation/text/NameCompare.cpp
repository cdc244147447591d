#include "foundation/text/NameCompare.h"

namespace {

unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 32) : byte;
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
