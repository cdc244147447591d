#include "engine/import/ColorTableWriter.h"

#include "model/records/RecordWriting.h"
#include "model/storage/IndexedName.h"
#include "model/tables/CColorArray.h"

void writeColorTable(const XParamBlock& block, CStream& documentElement) {
    const std::int32_t count = block.colors != nullptr ? block.colors->getCount() : 0;
    ChildElement colors(documentElement, "COLORS");
    colors->writeValues(nullptr, 0, "colorLength %l", count);
    for (std::int32_t index = 0; index < count; ++index) {
        ChildElement element(*colors, IndexedName("COLOR%03d", index).c_str());
        if (const RGBColor* color = block.colors->get(index + 1)) {
            // A channel runs to 65535, past the 16-bit signed letter d: it is written as a 32-bit number,
            // the same decimal text.
            element->writeValues(nullptr, 0, "color_red %l color_green %l color_blue %l", std::int32_t{color->red},
                                 std::int32_t{color->green}, std::int32_t{color->blue});
        }
    }
}
