#pragma once
// The small value records the formatting records and document tables are built from: colours, borders,
// shadings, revision marks, widths, heights, rectangles and points. Each travels through the storage as
// one attribute under its own value letter and is copied member by member. Two values are equal when
// their members are equal; WidthSpec and HeightSpec hold padding after their 16-bit member, so they are
// never compared as raw bytes.
#include <cstdint>
#include <type_traits>

#include "foundation/RGBColor.h"
#include "foundation/ShortPoint.h"

// Storage letter B, "s%dt%dr%dg%db%dp%d".
struct BorderSpec {
    std::int16_t borderSize;
    std::int16_t borderType;
    RGBColor borderTint;
    std::int16_t borderSpace;
};

// Storage letter S, "t%dr%dg%db%ds%dh%dc%d".
struct ShadingSpec {
    std::int16_t patternType;
    RGBColor patternTint;
    RGBColor patternFill;
};

// Storage letter V, "i%dt%da%dd%ld". `author` is an index in the author table.
struct RevisionMark {
    std::int32_t id;
    std::int16_t type;
    std::int16_t author;
    std::int32_t date;
};

// Kinds of a WidthSpec.
constexpr std::int16_t kWidthNone = 0;
constexpr std::int16_t kWidthAuto = 1;
constexpr std::int16_t kWidthPercent = 2;  // fiftieths of a percent: 5000 is 100 %
constexpr std::int16_t kWidthTwips = 3;

// Storage letter W, "t%dw%d".
struct WidthSpec {
    std::int16_t type;
    std::int32_t w;
};

// Rules of a HeightSpec.
constexpr std::int16_t kHeightAuto = 0;
constexpr std::int16_t kHeightExact = 1;
constexpr std::int16_t kHeightAtLeast = 2;

// Storage letter H, "h%dv%d": the rule, then the height in twips.
struct HeightSpec {
    std::int16_t h;
    std::int32_t v;
};

// Storage letter Q, "t%dl%db%dr%d".
struct LongRect {
    std::int32_t top;
    std::int32_t left;
    std::int32_t bottom;
    std::int32_t right;
};

// Storage letter R, "t%dl%db%dr%d".
struct ShortRect {
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

// Storage letter O, "v%dh%d". (ShortPoint, letter P, lives in the foundation.)
struct LongPoint {
    std::int32_t v;
    std::int32_t h;
};

// Storage letter t, "a%dr%d": the font face pair of a font record.
struct FontFaceSpec {
    std::int32_t a;
    std::int32_t r;
};

static_assert(std::is_trivially_copyable_v<RGBColor> && std::is_trivially_copyable_v<BorderSpec> &&
              std::is_trivially_copyable_v<ShadingSpec> && std::is_trivially_copyable_v<RevisionMark> &&
              std::is_trivially_copyable_v<WidthSpec> && std::is_trivially_copyable_v<HeightSpec> &&
              std::is_trivially_copyable_v<LongRect> && std::is_trivially_copyable_v<ShortRect> &&
              std::is_trivially_copyable_v<LongPoint> && std::is_trivially_copyable_v<FontFaceSpec>);

// Named values the records start from.
inline constexpr RGBColor kBlack{0, 0, 0};
inline constexpr RGBColor kWhite{65535, 65535, 65535};
inline constexpr BorderSpec kDefaultBorder{0, 0, kBlack, 0};
inline constexpr ShadingSpec kDefaultShading{0, kWhite, kWhite};

// Copies, member by member; each answers the destination.
inline RGBColor* copyRGBColor(RGBColor* dst, const RGBColor* src) {
    *dst = *src;
    return dst;
}
inline BorderSpec* copyBorderSpec(BorderSpec* dst, const BorderSpec* src) {
    *dst = *src;
    return dst;
}
inline ShadingSpec* copyShadingSpec(ShadingSpec* dst, const ShadingSpec* src) {
    *dst = *src;
    return dst;
}
inline RevisionMark* copyRevisionMark(RevisionMark* dst, const RevisionMark* src) {
    *dst = *src;
    return dst;
}
inline WidthSpec* copyWidthSpec(WidthSpec* dst, const WidthSpec* src) {
    *dst = *src;
    return dst;
}
inline HeightSpec* copyHeightSpec(HeightSpec* dst, const HeightSpec* src) {
    *dst = *src;
    return dst;
}
inline LongRect* copyLongRect(LongRect* dst, const LongRect* src) {
    *dst = *src;
    return dst;
}
inline ShortRect* copyShortRect(ShortRect* dst, const ShortRect* src) {
    *dst = *src;
    return dst;
}

// Equality of two values, member by member.
bool equalRGBColor(const RGBColor& a, const RGBColor& b);
bool equalBorderSpec(const BorderSpec& a, const BorderSpec& b);
bool equalShadingSpec(const ShadingSpec& a, const ShadingSpec& b);
bool equalRevisionMark(const RevisionMark& a, const RevisionMark& b);
bool equalWidthSpec(const WidthSpec& a, const WidthSpec& b);
bool equalHeightSpec(const HeightSpec& a, const HeightSpec& b);
bool equalLongRect(const LongRect& a, const LongRect& b);
// Two NUL-terminated texts of the same length and bytes; two nulls are equal, a null and a text are not.
bool equalCString(const char* a, const char* b);

// Widens a ShortRect into one record shared by every caller; the next call overwrites it, so callers
// copy the result at once.
LongRect* shortRectToLongRect(const ShortRect& rect);
