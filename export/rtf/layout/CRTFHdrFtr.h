#pragma once
// The extruder of a header or footer story, with the kind and mark its begin request carried: sections
// name their headers and footers by mark.
#include <cstdint>

#include "export/rtf/CRTFExtruder.h"

class CRTFHdrFtr : public CRTFExtruder {
public:
    static constexpr std::int32_t kFirstPage = 0;
    static constexpr std::int32_t kDefault = 1;
    static constexpr std::int32_t kEven = 2;

    CRTFHdrFtr(CRTFFile* emitter, std::int16_t storySelector, std::int32_t storyType, std::int32_t storyMark)
        : CRTFExtruder(emitter, storySelector), type(storyType), mark(storyMark) {}

    std::int32_t storyType() const { return type; }
    std::int32_t storyMark() const { return mark; }

private:
    std::int32_t type;
    std::int32_t mark;
};
