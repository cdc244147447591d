#pragma once
// The plain-text writer's table of style runs: where, by byte offset in the text, the font, face, size,
// colour and line height change. It is handed to the output file's resource part when the story ends
// (a file on this system has none, so the table only lives for the story); the text never holds it.
//
// Table layout, host byte order: count (i16), then count elements of 20 bytes:
//   start i32 | height i16 | ascent i16 | font i16 | face i16 (in the high byte) | size i16 (points) |
//   colour 3 x u16 (red, green, blue)
#include <cstdint>

#include "foundation/CBase.h"
#include "foundation/RGBColor.h"

class CFile;
struct XForm;
struct XRule;

// What decides a style run; two runs with equal keys share one.
struct TextStyleKey {
    std::int16_t leading;
    std::int16_t leadingUnit;
    std::int16_t font;
    std::int16_t face;  // the low 8 face bits
    std::int16_t size;  // tenths of a point
    RGBColor color;
};

bool operator==(const TextStyleKey& a, const TextStyleKey& b);

class CTEXTFormat : public CBase {
public:
    static constexpr std::int32_t kElementBytes = 20;
    static constexpr std::int32_t kGrowthBytes = 2000;  // 100 elements
    // The count field is 16 bits: styles after this many stay in the last one.
    static constexpr std::int32_t kMaxElements = 32767;

    ~CTEXTFormat() override;

    static TextStyleKey makeStyleKey(const XRule& rule, const XForm& form);
    // Whether the key differs from the last one added (all zero before the first).
    bool isNewStyle(const TextStyleKey& key) const;
    // Appends the element of a style that takes effect at byte offset start. Lack of memory raises CFail 12.
    void addStyle(const TextStyleKey& key, std::int64_t start);
    // Hands the table to the file's resource part under the type and id; 0 when there is no table,
    // else the file's answer.
    std::int16_t storeStyleResource(CFile& file, std::uint32_t type, std::int16_t id) const;

    std::int32_t getCount() const { return count; }
    std::int32_t getCapacity() const { return capacity; }
    // The table as laid out above, 2 + 20 x count bytes; null before the first element.
    const std::uint8_t* getTable() const { return table; }

private:
    void makeRoom();

    std::uint8_t* table = nullptr;
    std::int32_t capacity = 0;  // bytes allocated
    std::int32_t count = 0;
    TextStyleKey last{};
};
