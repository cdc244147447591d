// Named styles resolved through their bases, on style sections of our own: groups flow from the bases
// (the second base over the first), the style's own groups win, and damaged styles (loops, indexes past
// their tables, tab counts past the record) stay inside their tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "import/appleworks/AppleWorksDocument.h"
#include "import/appleworks/StyleResolution.h"
#include "tests/import/appleworks/AppleWorksFileBuilder.h"

using namespace appleworks;
using namespace awfixture;

namespace {

struct Style {
    std::int16_t firstBase;
    std::int16_t secondBase;
    std::uint16_t ruler;  // index of its 108-byte record
};

struct Ruler {
    std::uint16_t defined;
    std::uint16_t inherit;
    std::int16_t group2;  // the i16 at 16
    std::int16_t tabs;
};

// A version-5 style section: style entries, a style map n -> n, table 4 with the rulers.
std::string styleFile(const std::vector<Style>& styles, const std::vector<Ruler>& rulers) {
    const AppleWorksFamily& family = kAppleWorks5;
    std::string root(static_cast<std::size_t>(family.styleRecordsOffset), '\0');
    put16(root, 0, static_cast<std::uint16_t>(styles.size()));
    for (const Style& style : styles) {
        std::string entry(28, '\0');
        put16(entry, 14, static_cast<std::uint16_t>(style.secondBase));
        put16(entry, 16, static_cast<std::uint16_t>(style.firstBase));
        put16(entry, 24, style.ruler);
        root += entry;
    }
    std::string table4(22, '\0');
    put16(table4, 0, static_cast<std::uint16_t>(rulers.size()));
    for (const Ruler& ruler : rulers) {
        std::string record(108, '\0');
        put16(record, 6, ruler.defined);
        put16(record, 8, ruler.inherit);
        put16(record, 16, static_cast<std::uint16_t>(ruler.group2));
        put16(record, 26, static_cast<std::uint16_t>(ruler.tabs));
        for (int t = 0; t < 20; ++t) put16(record, static_cast<std::size_t>(28 + 4 * t), static_cast<std::uint16_t>(t + 1));
        table4 += record;
    }
    std::string map(16, '\0');
    put16(map, 0, static_cast<std::uint16_t>(styles.size()));
    for (std::size_t i = 0; i < styles.size(); ++i) map += be16(static_cast<std::uint16_t>(i));

    std::string section = be32(0x5354594Cu) + std::string(8, '\0') + block(root);
    section += emptyBlock();                                   // head-only list
    section += emptyBlock() + emptyBlock() + emptyBlock();     // tables 1 to 3
    section += block(table4) + emptyBlock();                   // table 4 and its inner list
    section += block(map);                                     // style map
    for (int i = 0; i < 3 + 3; ++i) section += emptyBlock();   // middle and trailing lists
    FileBuilder builder{family};
    builder.sections = section;
    return builder.build();
}

struct Resolved {
    std::int16_t group2;
    std::int16_t tabs;
};

Resolved resolve(const std::string& file, std::int16_t styleNumber) {
    AppleWorksDocument document(kAppleWorks5, nullptr);
    document.loadFromBytes(reinterpret_cast<const std::uint8_t*>(file.data()), static_cast<std::int32_t>(file.size()));
    std::uint8_t result[108] = {};
    storeBigEndian16(result + 16, 0x5A5A);  // the caller's default
    resolveAppleWorksStyle(document, styleNumber, StyleRecordKind::kRuler108, result);
    return {static_cast<std::int16_t>(loadBigEndian16(result + 16)), static_cast<std::int16_t>(loadBigEndian16(result + 26))};
}

constexpr std::uint16_t kGroup2 = 1u << 2;
constexpr std::uint16_t kTabs = 1u << 7;

TEST(StyleResolution, GroupsFlowFromTheBasesAndTheStyleWins) {
    struct Case {
        const char* what;
        std::vector<Style> styles;
        std::vector<Ruler> rulers;
        std::int16_t style;
        std::int16_t group2;
    };
    const Case cases[] = {
        {"no bases: own group", {{-1, -1, 0}}, {{kGroup2, 0xFFFF, 7, 0}}, 0, 7},
        {"no bases, group not defined: caller's default", {{-1, -1, 0}}, {{0, 0xFFFF, 7, 0}}, 0, 0x5A5A},
        {"first base gives what the style does not define", {{-1, -1, 0}, {0, -1, 1}}, {{kGroup2, 0, 3, 0}, {0, 0xFFFF, 9, 0}}, 1, 3},
        {"inherit mask 0 ignores the bases", {{-1, -1, 0}, {0, -1, 1}}, {{kGroup2, 0, 3, 0}, {0, 0, 9, 0}}, 1, 0x5A5A},
        {"second base over the first", {{-1, -1, 0}, {-1, -1, 1}, {0, 1, 2}},
         {{kGroup2, 0, 3, 0}, {kGroup2, 0, 4, 0}, {0, 0xFFFF, 9, 0}}, 2, 4},
        {"own group over both bases", {{-1, -1, 0}, {-1, -1, 1}, {0, 1, 2}},
         {{kGroup2, 0, 3, 0}, {kGroup2, 0, 4, 0}, {kGroup2, 0xFFFF, 9, 0}}, 2, 9},
        {"bases that loop stop", {{1, -1, 0}, {0, -1, 1}}, {{kGroup2, 0xFFFF, 5, 0}, {0, 0xFFFF, 6, 0}}, 1, 5},
        {"a style that is its own base", {{0, 0, 0}}, {{kGroup2, 0xFFFF, 8, 0}}, 0, 8},
        {"ruler index past its table", {{-1, -1, 9}}, {{kGroup2, 0xFFFF, 7, 0}}, 0, 0x5A5A},
        {"base past the styles", {{40, -1, 0}}, {{0, 0xFFFF, 7, 0}}, 0, 0x5A5A},
        {"style number past the map", {{-1, -1, 0}}, {{kGroup2, 0xFFFF, 7, 0}}, 12, 0x5A5A},
        {"style number -1 leaves the result", {{-1, -1, 0}}, {{kGroup2, 0xFFFF, 7, 0}}, -1, 0x5A5A},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(resolve(styleFile(c.styles, c.rulers), c.style).group2, c.group2);
    }
}

// The count goes with the tabs it copies, and never past the 20 a record holds.
TEST(StyleResolution, TabCountIsCutToTheRecord) {
    const std::pair<std::int16_t, std::int16_t> cases[] = {{3, 3}, {20, 20}, {32767, 20}, {-4, 0}};
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(resolve(styleFile({{-1, -1, 0}}, {{kTabs, 0, 0, stored}}), 0).tabs, expected);
    }
}

TEST(StyleResolution, FaceMasksAndLineCodes) {
    EXPECT_EQ(convertFaceMask(kAppleWorks5, 1u << 7), 0x800u);
    EXPECT_EQ(convertFaceMask(kAppleWorks5, 1u << 13), 0x400u);
    EXPECT_EQ(convertFaceMask(kAppleWorks5, (1u << 10) | (1u << 11)), convertFaceMask(kAppleWorks5, (1u << 8) | (1u << 9)));
    EXPECT_EQ(convertFaceMask(kAppleWorks5, (1u << 12) | 0xC000), 0u);
    EXPECT_EQ(convertFaceMask(kAppleWorks6, (1u << 2) | (1u << 7) | (1u << 13)), 0u);
    EXPECT_EQ(convertLineCodes(2, 0), 0x400u);
    EXPECT_EQ(convertLineCodes(2 << 5, 0), 0x1000u);
    EXPECT_EQ(convertLineCodes(1 | (1 << 5), 0x1), 0x805u);
    EXPECT_EQ(convertLineCodes(31 | (31 << 5), 0), 0u);
}

}  // namespace
