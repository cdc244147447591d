#include "model/dumps/ValueText.h"

#include <cstdio>

const char* formatRGBColor(const RGBColor& colour) {
    static char text[32];
    std::snprintf(text, sizeof text, "%u:%u:%u", static_cast<unsigned>(colour.red), static_cast<unsigned>(colour.green),
                  static_cast<unsigned>(colour.blue));
    return text;
}

const char* formatColumns(const XPage& page) {
    // Twelve pairs of two 16-bit numbers with their separators stay well below this.
    static char text[256];
    int length = 0;
    for (int i = 0; i < kColumnSlots; ++i) {
        length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "%s{%d:%d}",
                                i == 0 ? "" : ", ", page.columnWidth[i], page.columnSpace[i]);
    }
    return text;
}
