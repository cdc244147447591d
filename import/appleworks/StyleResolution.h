#pragma once
// Named AppleWorks styles resolved through their base styles into one record of effective properties,
// and style masks turned into the storage's character face bits. Stateless; the walkers call these.
//
// A style is an entry of the style root (28 bytes in version 5, 30 in version 6), found through the
// style-slot map (the root's list of u16 values). Its properties live in records of three tables: 108-byte
// records (table 4, both families), 28-byte records (table 3) and 14-byte records (table 5), version 6 only
// for the last two. Each record says which property groups it defines (u16 at 6) and which may come from
// the base styles (u16 at 8). Results are records in the file's layout (big-endian), so a walker reads them
// with the same accessors as any block.
//
// Damaged styles never reach outside a table: a style number, base style or record index beyond its table
// contributes nothing, a base chain that comes back to a style already on its way stops there, and a tab
// count is cut to the 20 tabs a 108-byte record holds.
#include <cstdint>

#include "import/appleworks/AppleWorksDocument.h"

namespace appleworks {

enum class StyleRecordKind { kRuler108, kCharacter28, kRecord14 };

struct StyleRecordLayout {
    std::int32_t tableSlot;    // slot of the table in the style root
    std::int32_t recordSize;
    std::int32_t indexOffset;  // where a style entry keeps its index into this table
    std::int32_t groupCount;
};
StyleRecordLayout styleRecordLayout(StyleRecordKind kind);

constexpr std::int32_t kMaxTabs = 20;

// The face bits of a 16-bit style mask (bits 0 to 13; 14 and 15 add nothing).
std::uint32_t convertFaceMask(const AppleWorksFamily& family, std::uint16_t mask);
// Version 6: adds the underline (bits 0-4) and strike (bits 5-9) codes of the value to the face bits.
std::uint32_t convertLineCodes(std::uint16_t value, std::uint32_t faceBits);

// The slot of a style's entry in the style list; -1 when the style number has no entry in the map.
std::int32_t styleSlot(const AppleWorksDocument& document, std::int16_t styleNumber);

// Resolves the style into result, a record of the kind's size that the caller prepared (its defaults stay
// where no style on the way defines a group). Style number -1 leaves the result as it is.
void resolveAppleWorksStyle(const AppleWorksDocument& document, std::int16_t styleNumber, StyleRecordKind kind,
                            std::uint8_t* result);

}  // namespace appleworks
