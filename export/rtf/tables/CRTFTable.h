#pragma once
// The extruder of a table story, with the mark and the number of rows its begin request carried: a
// table anchor names its table by mark, and the row writer marks the table's last row.
#include <cstdint>

#include "export/rtf/CRTFExtruder.h"

class CRTFTable : public CRTFExtruder {
public:
    CRTFTable(CRTFFile* emitter, std::int16_t storySelector, std::int32_t storyMark, std::int32_t storyRows)
        : CRTFExtruder(emitter, storySelector), mark(storyMark), rows(storyRows) {}

    std::int32_t storyMark() const { return mark; }
    std::int32_t storyRows() const { return rows; }

private:
    std::int32_t mark;
    std::int32_t rows;
};
