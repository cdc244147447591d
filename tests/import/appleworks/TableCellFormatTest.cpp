// A table's rules and fills through the document's graphic styles: the border a rule draws (line style,
// width, colour), the shading of a cell (its pattern in its colour, with the dark values on dark colours
// and the document's own patterns by their coverage), and the page records of a text zone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/appleworks/AppleWorksDocument.h"
#include "import/appleworks/FillPatterns.h"
#include "import/appleworks/TableCellFormat.h"
#include "import/appleworks/file/PageRecords.h"
#include "tests/import/appleworks/AppleWorksFileBuilder.h"
#include "tests/import/appleworks/AppleWorksTableFixture.h"
#include "tests/import/appleworks/AppleWorksTestSupport.h"

using namespace appleworks;
using namespace awfixture;

namespace {

constexpr RGBColor kRed{0xDDDD, 0, 0};
constexpr RGBColor kYellow{0xFFFF, 0xFFFF, 0};

class TableDocument : public ::testing::Test {
protected:
    TableDocument() : document(kAppleWorks6, nullptr) {
        document.loadFromBytes(bytesOf(file), static_cast<std::int32_t>(file.size()));
    }
    std::string file = tableDocument();
    AppleWorksDocument document;
};

bool sameColor(const RGBColor& a, const RGBColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST_F(TableDocument, ARuleDrawsTheLineOfItsStyle) {
    const struct {
        const char* title;
        std::int16_t style;
        std::int16_t type;
        std::int16_t size;
        RGBColor tint;
    } cases[] = {
        {"no style, no line", 0, 0, 0, kBlack},
        {"two points of solid red", tablestyle::kRedRule, 1, 40, kRed},
        {"a style the document lacks: one black point", 40, 1, 20, kBlack},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const BorderSpec border = lineStyleBorder(document, c.style);
        EXPECT_EQ(border.borderType, c.type);
        EXPECT_EQ(border.borderSize, c.size);
        EXPECT_TRUE(sameColor(border.borderTint, c.tint));
    }
}

TEST_F(TableDocument, ACellIsShadedByTheFillOfItsStyle) {
    const struct {
        const char* title;
        std::int16_t style;
        std::int16_t pattern;
        RGBColor tint;
    } cases[] = {
        {"no style", 0, 0, kWhite},
        {"a style without fill", tablestyle::kRedRule, 0, kWhite},
        {"solid yellow", tablestyle::kYellowFill, 1020, kYellow},
        {"a hatching on black takes its dark value", tablestyle::kBlackHatching, 6, kBlack},
        {"the document's own pattern, half covered", tablestyle::kOwnPattern, 520, kWhite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const ShadingSpec shading = cellShading(document, c.style);
        EXPECT_EQ(shading.patternType, c.pattern);
        EXPECT_TRUE(sameColor(shading.patternTint, c.tint));
        EXPECT_TRUE(sameColor(shading.patternFill, kWhite));
    }
}

TEST_F(TableDocument, PatternShadingReadsThePaletteAndTheDocumentsPatterns) {
    EXPECT_EQ(patternShading(document, 0, false), 0);
    EXPECT_EQ(patternShading(document, 1, false), 0);
    EXPECT_EQ(patternShading(document, 3, false), 995);
    EXPECT_EQ(patternShading(document, 3, true), 1020);
    EXPECT_EQ(patternShading(document, 64, false), 245);
    EXPECT_EQ(patternShading(document, 64, true), 13);
    EXPECT_EQ(patternShading(document, 65, true), 13);
    // Past the document's one pattern, and without a pattern list at all, there is nothing to shade.
    EXPECT_EQ(patternShading(document, 66, false), 0);
    const std::string plain = tableDocumentWithoutPatterns();
    AppleWorksDocument bare(kAppleWorks6, nullptr);
    bare.loadFromBytes(bytesOf(plain), static_cast<std::int32_t>(plain.size()));
    EXPECT_EQ(patternShading(bare, 65, false), 0);
    EXPECT_EQ(patternShading(bare, 65, true), 0);
}

TEST(AppleWorksFillPatterns, ARuleIsSolidDashedOrDottedByItsPattern) {
    EXPECT_EQ(patternLineStyle(0), 0);
    EXPECT_EQ(patternLineStyle(kNoPattern), 0);
    EXPECT_EQ(patternLineStyle(kSolidPattern), 1);
    EXPECT_EQ(patternLineStyle(7), 1);   // half covered
    EXPECT_EQ(patternLineStyle(8), 5);   // a light tint
    EXPECT_EQ(patternLineStyle(23), 6);  // a hatching
    EXPECT_EQ(patternLineStyle(70), 1);  // the document's own
}

// A text zone whose data holds the records of three pages, the first at offset 54.
std::string zoneWithPages(std::int16_t claimed, const std::vector<std::int32_t>& starts) {
    std::string data(54, '\0');
    data[12] = 1;
    put16(data, 0, static_cast<std::uint16_t>(claimed));
    for (const std::int32_t start : starts) {
        std::string record(30, '\0');
        put32(record, 0, static_cast<std::uint32_t>(start));
        data += record;
    }
    return data;
}

TEST(AppleWorksPageRecords, APageStartsWhereItsRecordSaysAndLaterPagesTakeTheLast) {
    const std::string data = zoneWithPages(3, {0, 1200, 2500});
    const BlockView zone(bytesOf(data), static_cast<std::int32_t>(data.size()), 1);
    EXPECT_EQ(pageRecordCount(zone), 3);
    EXPECT_EQ(pageStartPosition(zone, 0), 0);
    EXPECT_EQ(pageStartPosition(zone, 2), 2500);
    EXPECT_EQ(pageStartPosition(zone, 7), 2500);
    EXPECT_EQ(pageStartPosition(zone, -1), 0);
    // A count past the records the data holds is cut to them; none at all answers the text's start.
    const std::string claimsMore = zoneWithPages(40, {0, 900});
    EXPECT_EQ(pageRecordCount(BlockView(bytesOf(claimsMore), static_cast<std::int32_t>(claimsMore.size()), 1)), 2);
    EXPECT_EQ(pageStartPosition(BlockView(bytesOf(claimsMore), static_cast<std::int32_t>(claimsMore.size()), 1), 5), 900);
    const std::string none = zoneWithPages(0, {});
    EXPECT_EQ(pageStartPosition(BlockView(bytesOf(none), static_cast<std::int32_t>(none.size()), 1), 1), 0);
}

}  // namespace
