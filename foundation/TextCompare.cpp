#include "foundation/TextCompare.h"

#include <string_view>

#include "platform/TextCase.h"

namespace {

// Reads one code point at i (a surrogate pair as one), advancing i.
char32_t nextCodePoint(std::u16string_view text, std::size_t& i) {
    char32_t unit = text[i++];
    if (unit >= 0xD800 && unit <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
        unit = 0x10000 + (((unit & 0x3FF) << 10) | (text[i++] & 0x3FF));
    }
    return unit;
}

}  // namespace

std::int16_t compareUniText(const PascalWString& first, const PascalWString& second, std::int16_t caseSensitive) {
    const std::u16string_view a = first.view();
    const std::u16string_view b = second.view();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = nextCodePoint(a, i);
        char32_t y = nextCodePoint(b, j);
        if (caseSensitive != 1) {
            x = platform::foldCase(x);
            y = platform::foldCase(y);
        }
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}
