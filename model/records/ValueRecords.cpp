#include "model/records/ValueRecords.h"

#include <cstring>

#include "model/records/SameBytes.h"

bool equalRGBColor(const RGBColor& a, const RGBColor& b) {
    return sameBytes(a, b);
}

bool equalBorderSpec(const BorderSpec& a, const BorderSpec& b) {
    return sameBytes(a, b);
}

bool equalShadingSpec(const ShadingSpec& a, const ShadingSpec& b) {
    return sameBytes(a, b);
}

bool equalRevisionMark(const RevisionMark& a, const RevisionMark& b) {
    return sameBytes(a, b);
}

bool equalWidthSpec(const WidthSpec& a, const WidthSpec& b) {
    return a.type == b.type && a.w == b.w;
}

bool equalHeightSpec(const HeightSpec& a, const HeightSpec& b) {
    return a.h == b.h && a.v == b.v;
}

bool equalLongRect(const LongRect& a, const LongRect& b) {
    return sameBytes(a, b);
}

bool equalCString(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return a == b;
    return std::strcmp(a, b) == 0;
}

LongRect* shortRectToLongRect(const ShortRect& rect) {
    static LongRect widened{};
    widened.top = rect.top;
    widened.left = rect.left;
    widened.bottom = rect.bottom;
    widened.right = rect.right;
    return &widened;
}
