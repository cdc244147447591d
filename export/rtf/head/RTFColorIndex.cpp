#include "export/rtf/head/RTFColorIndex.h"

#include <limits>

#include "export/rtf/CRTFFile.h"
#include "model/params/ParamBlockTables.h"
#include "model/records/ValueRecords.h"

std::int16_t rtfColorIndex(const RGBColor& color, const XParamBlock& block) {
    if (equalRGBColor(color, kAutoColor)) return -1;
    const std::int32_t index = findColor(&color, &block);
    // An index that does not fit the RTF word's 16 bits cannot be referred to.
    if (index < 1 || index > std::numeric_limits<std::int16_t>::max()) return -1;
    return static_cast<std::int16_t>(index);
}

void writeRTFColorWord(CRTFFile& out, const XParamBlock& block, const char* word, const RGBColor& color,
                       const RGBColor* unless) {
    const std::int16_t index = rtfColorIndex(color, block);
    if (index == -1) return;
    if (unless != nullptr && index == rtfColorIndex(*unless, block)) return;
    out.writeFormat("%s%d", word, index);
}
