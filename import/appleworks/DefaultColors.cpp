#include "import/appleworks/DefaultColors.h"

#include <array>

namespace appleworks {
namespace {

constexpr std::array<std::uint32_t, 16> kBasicColors = {0xFFFFFF, 0x000000, 0x777777, 0x555555, 0xFFFF00, 0xFF6600,
                                                        0xDD0000, 0xFF0099, 0x660099, 0x0000DD, 0x0099FF, 0x00EE00,
                                                        0x006600, 0x663300, 0x996633, 0xBBBBBB};
constexpr std::array<std::uint32_t, 6> kCubeLevels = {0xFF, 0xCC, 0x99, 0x66, 0x33, 0x00};
constexpr std::array<std::uint32_t, 10> kRampLevels = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};

// The basic sixteen, then the colour cube (red slowest), then red, green, blue and grey ramps, each
// leaving out colours the basic sixteen already hold.
struct DefaultTable {
    std::array<std::uint32_t, 256> colors{};
    int count = 0;

    constexpr bool isBasic(std::uint32_t rgb) const {
        for (const std::uint32_t basic : kBasicColors) {
            if (basic == rgb) return true;
        }
        return false;
    }
    constexpr void addNew(std::uint32_t rgb) {
        if (!isBasic(rgb) && count < 256) colors[static_cast<std::size_t>(count++)] = rgb;
    }
    constexpr DefaultTable() {
        for (const std::uint32_t basic : kBasicColors) colors[static_cast<std::size_t>(count++)] = basic;
        for (const std::uint32_t r : kCubeLevels)
            for (const std::uint32_t g : kCubeLevels)
                for (const std::uint32_t b : kCubeLevels) addNew(r << 16 | g << 8 | b);
        for (const int shift : {16, 8, 0})
            for (const std::uint32_t level : kRampLevels) addNew(level << shift);
        for (const std::uint32_t level : kRampLevels) addNew(level << 16 | level << 8 | level);
    }
};

constexpr DefaultTable kDefaultTable;
static_assert(kDefaultTable.count == 256, "the standard colours fill the table exactly");
static_assert(kDefaultTable.colors[16] == 0xFFFFCC && kDefaultTable.colors[221] == 0x000033);
static_assert(kDefaultTable.colors[222] == 0xEE0000 && kDefaultTable.colors[255] == 0x111111);

}  // namespace

std::uint32_t defaultColorRgb(std::int32_t index) {
    if (index < 0 || index >= 256) return 0;
    return kDefaultTable.colors[static_cast<std::size_t>(index)];
}

}  // namespace appleworks
