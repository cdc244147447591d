#include "engine/export/parameters/ColorTableReader.h"

#include "engine/export/parameters/RequiredElement.h"
#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/storage/IndexedName.h"
#include "model/tables/CColorArray.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
constexpr std::int32_t kChannelMax = 65535;

// The channels are stored as plain numbers up to 65535, past the 16-bit letter: read them in 32 bits
// and keep only what fits.
std::uint16_t channel(std::int32_t stored) {
    return stored >= 0 && stored <= kChannelMax ? static_cast<std::uint16_t>(stored) : 0;
}
}  // namespace

void readColorTable(CStream& documentElement, XParamBlock& block) {
    throwIfNullObject(block.colors, __LINE__, kUnit);
    RequiredElement colors(documentElement, "COLORS");
    std::int32_t count = 0;
    colors->readValues(nullptr, nullptr, "colorLength %l", &count);
    for (std::int32_t index = 0; index < count; ++index) {
        RequiredElement element(*colors, IndexedName("COLOR%03d", index).c_str());
        std::int32_t red = 0;
        std::int32_t green = 0;
        std::int32_t blue = 0;
        element->readValues(nullptr, nullptr, "color_red %l color_green %l color_blue %l", &red, &green, &blue);
        auto* color = static_cast<RGBColor*>(allocMemory(static_cast<std::int32_t>(sizeof(RGBColor))));
        throwIfNull(color, __LINE__, kUnit);
        *color = RGBColor{channel(red), channel(green), channel(blue)};
        block.colors->appendOwnedBlock(color);
    }
}
