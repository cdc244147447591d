#include "import/wordml/properties/BorderArt.h"

#include <iterator>

#include "foundation/text/NameCompare.h"

namespace {

// In code order from 1. The table is alphabetical except in three places, which the codes keep:
// "people-waving" before "people-hats", "push-pin-note-2" before "push-pin-note-1", "stars-top"
// before "stars-3d".
constexpr const char* kBorderArtNames[] = {
    "apples", "arched-scallops", "baby-pacifier", "baby-rattle", "balloons-3-colors",
    "balloons-hot-air", "basic-black-dashes", "basic-black-dots", "basic-black-squares",
    "basic-thin-lines", "basic-white-dashes", "basic-white-dots", "basic-white-squares",
    "basic-wide-inline", "basic-wide-midline", "basic-wide-outline", "bats", "birds", "birds-flight",
    "cabins", "cake-slice", "candy-corn", "celtic-knotwork", "certificate-banner", "chain-link",
    "champagne-bottle", "checked-bar-black", "checked-bar-color", "checkered", "christmas-tree",
    "circles-lines", "circles-rectangles", "classical-wave", "clocks", "compass", "confetti",
    "confetti-grays", "confetti-outline", "confetti-streamers", "confetti-white", "corner-triangles",
    "coupon-cutout-dashes", "coupon-cutout-dots", "crazy-maze", "creatures-butterfly", "creatures-fish",
    "creatures-insects", "creatures-lady-bug", "cross-stitch", "cup", "deco-arch", "deco-arch-color",
    "deco-blocks", "diamonds-gray", "double-d", "double-diamonds", "earth-1", "earth-2",
    "eclipsing-squares-1", "eclipsing-squares-2", "eggs-black", "fans", "film", "firecrackers",
    "flowers-block-print", "flowers-daisies", "flowers-modern-1", "flowers-modern-2", "flowers-pansy",
    "flowers-red-rose", "flowers-roses", "flowers-teacup", "flowers-tiny", "gems", "gingerbread-man",
    "gradient", "handmade-1", "handmade-2", "heart-balloon", "heart-gray", "hearts", "heebie-jeebies",
    "holly", "house-funky", "hypnotic", "ice-cream-cones", "light-bulb", "lightning-1", "lightning-2",
    "map-pins", "maple-leaf", "maple-muffins", "marquee", "marquee-toothed", "moons", "mosaic",
    "music-notes", "northwest", "ovals", "packages", "palms-black", "palms-color", "paper-clips",
    "papyrus", "party-favor", "party-glass", "pencils", "people", "people-waving", "people-hats",
    "poinsettias", "postage-stamp", "pumpkin-1", "push-pin-note-2", "push-pin-note-1", "pyramids",
    "pyramids-above", "quadrants", "rings", "safari", "sawtooth", "sawtooth-gray", "scared-cat",
    "seattle", "shadowed-squares", "sharks-teeth", "shorebird-tracks", "skyrocket", "snowflake-fancy",
    "snowflakes", "sombrero", "southwest", "stars", "stars-top", "stars-3d", "stars-black",
    "stars-shadowed", "sun", "swirligig", "torn-paper", "torn-paper-black", "trees", "triangle-party",
    "triangles", "tribal-1", "tribal-2", "tribal-3", "tribal-4", "tribal-5", "tribal-6",
    "twisted-lines-1", "twisted-lines-2", "vine", "waveline", "weaving-angles", "weaving-braid",
    "weaving-ribbon", "weaving-strips", "white-flowers", "woodwork", "x-illusions", "zany-triangles",
    "zig-zag", "zig-zag-stitch",
};
static_assert(std::size(kBorderArtNames) == 164);

bool isLowerCaseLetter(char c) {
    return c >= 'a' && c <= 'z';
}

}  // namespace

std::int32_t lookupBorderArt(const char* name) {
    if (name == nullptr || !isLowerCaseLetter(name[0])) return 0;
    std::int32_t code = 0;
    for (const char* entry : kBorderArtNames) {
        ++code;
        if (entry[0] == name[0] && compareNames(name, entry) == 0) return code;
    }
    return 0;
}
