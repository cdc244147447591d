#include "import/appleworks/file/PageRecords.h"

#include <algorithm>

namespace appleworks {

std::int32_t pageRecordCount(const BlockView& textZone) {
    if (textZone.empty() || textZone.u8(zone::kKind) != zonekind::kText) return 0;
    const std::int16_t count = textZone.i16(zone::kPageRecordCount);
    return count > 0 ? textZone.entriesThatFit(count, zone::kPageRecords, zone::kPageRecordSize) : 0;
}

std::int32_t pageStartPosition(const BlockView& textZone, std::int32_t page) {
    const std::int32_t count = pageRecordCount(textZone);
    if (count == 0) return 0;
    const std::int32_t index = std::clamp(page, 0, count - 1);
    return textZone.i32(zone::kPageRecords + index * zone::kPageRecordSize);
}

}  // namespace appleworks
