#include "import/appleworks/AppleWorksText.h"

#include <bit>
#include <new>

#include "foundation/CFail.h"
#include "foundation/encoding/CUnicode.h"
#include "import/appleworks/AppleWorksDocument.h"
#include "import/appleworks/file/AppleWorksFamily.h"

namespace appleworks {
namespace {

constexpr char16_t kSymbolBase = 0xF000;

template <typename Fill>
std::vector<char16_t> unitsOrFail(std::size_t size, Fill fill) {
    try {
        std::vector<char16_t> units(size);
        fill(units);
        return units;
    } catch (const std::bad_alloc&) {
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
}

}  // namespace

std::vector<char16_t> symbolBytesToUnicode(const std::uint8_t* bytes, std::int32_t length) {
    return unitsOrFail(length > 0 ? static_cast<std::size_t>(length) : 0, [&](std::vector<char16_t>& units) {
        for (std::size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(kSymbolBase + bytes[i]);
    });
}

std::vector<char16_t> textToUnicode(std::int32_t textEncoding, const std::uint8_t* bytes, std::int32_t length) {
    if (textEncoding == kSymbolTextEncoding) return symbolBytesToUnicode(bytes, length);
    if (length <= 0) return {};
    // One byte gives at most two units; the room the old buffer kept beyond that is not needed here.
    std::vector<char16_t> units = unitsOrFail(static_cast<std::size_t>(length) * 2 + 2, [](std::vector<char16_t>&) {});
    CUnicode converter(textEncoding, CUnicode::kToUtf16);
    const std::int32_t written =
        converter.convert(bytes, length, units.data(), static_cast<std::int32_t>(units.size() * sizeof(char16_t)));
    units.resize(static_cast<std::size_t>(written) / sizeof(char16_t));
    return units;
}

std::int32_t patternDensity(const std::uint8_t (&pattern)[8]) {
    std::int32_t bits = 0;
    for (const std::uint8_t row : pattern) bits += std::popcount(row);
    const std::int32_t tenths = bits * 1000 / 64;
    return (tenths + 12) / 25 * 25;  // to the nearest step of 25, halves away from zero
}

}  // namespace appleworks
