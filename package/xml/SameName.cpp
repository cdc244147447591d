#include "package/xml/SameName.h"

#include <cstddef>

#include "foundation/text/NameCompare.h"

namespace {

bool sameLetterInTwoCases(unsigned char x, unsigned char y) {
    const auto lower = static_cast<unsigned char>(x | 0x20);
    return lower >= 'a' && lower <= 'z' && lower == (y | 0x20);
}

}  // namespace

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
