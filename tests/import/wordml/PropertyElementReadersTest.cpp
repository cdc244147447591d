// The five property-element readers over small elements in both dialects: each starts from its default,
// takes what the attributes say and leaves the default where an attribute is absent, unknown or too
// large for its field.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdint>
#include <string>

#include "import/wordml/properties/PropertyElementReaders.h"

namespace {

constexpr RGBColor kYellow{65535, 65535, 0};

// One element parsed from text; w: is the Word 2003 namespace.
class Element {
public:
    explicit Element(const std::string& text) {
        const std::string wrapped = "<root xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\">" + text + "</root>";
        document = xmlReadMemory(wrapped.data(), static_cast<int>(wrapped.size()), nullptr, nullptr, XML_PARSE_NONET);
        node = xmlFirstElementChild(xmlDocGetRootElement(document));
    }
    ~Element() { xmlFreeDoc(document); }
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;
    const xmlNode* get() const { return node; }

private:
    xmlDoc* document = nullptr;
    xmlNode* node = nullptr;
};

bool sameColor(const RGBColor& a, const RGBColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST(PropertyElementReadersTest, BorderReadsStyleColourShadowSizeAndSpace) {
    const struct {
        const char* title;
        const char* element;
        bool wantArt;
        std::int16_t size, type, space;
        std::int32_t art;
    } cases[] = {
        {"a Word 2003 line, eighths of a point", "<w:top w:val=\"thin-thick-small-gap\" w:sz=\"12\" w:space=\"4\"/>", true, 30, 12, 80, 0},
        {"an odd size is truncated", "<w:top w:val=\"single\" w:sz=\"5\"/>", false, 12, 1, 0, 0},
        {"a Word 2007 spelling", "<w:top w:val=\"thinThickThinLargeGap\"/>", false, 0, 19, 0, 0},
        {"a shadow adds 64", "<w:top w:val=\"double\" w:shadow=\"on\"/>", false, 0, 67, 0, 0},
        {"a shadow turned off", "<w:top w:val=\"double\" w:shadow=\"false\"/>", false, 0, 3, 0, 0},
        {"an art border counts points", "<w:top w:val=\"apples\" w:sz=\"20\"/>", true, 400, 1, 0, 1},
        {"art on a paragraph border is a plain line", "<w:top w:val=\"apples\" w:sz=\"20\"/>", false, 50, 1, 0, 0},
        {"an unknown style is a single line, no art", "<w:top w:val=\"Apples\" w:sz=\"8\"/>", true, 20, 1, 0, 0},
        {"no style stays none", "<w:top w:sz=\"8\"/>", true, 20, 0, 0, 0},
        {"a size too large for 16 bits is ignored", "<w:top w:val=\"single\" w:sz=\"40000\" w:space=\"-3\"/>", false, 0, 1, -60, 0},
    };
    for (const auto& c : cases) {
        Element element(c.element);
        BorderSpec border{7, 7, {7, 7, 7}, 7};
        std::int32_t art = -1;
        EXPECT_EQ(parseBorder(element.get(), &border, c.wantArt ? &art : nullptr), &border);
        EXPECT_EQ(border.borderSize, c.size) << c.title;
        EXPECT_EQ(border.borderType, c.type) << c.title;
        EXPECT_EQ(border.borderSpace, c.space) << c.title;
        EXPECT_TRUE(sameColor(border.borderTint, kBlack)) << c.title;
        if (c.wantArt) {
            EXPECT_EQ(art, c.art) << c.title;
        }
    }
}

TEST(PropertyElementReadersTest, BorderColourIsAutomaticOrHexadecimal) {
    Element automatic("<w:left w:val=\"single\" w:color=\"auto\"/>");
    Element yellow("<w:left w:val=\"single\" w:color=\"FFFF00\"/>");
    BorderSpec border{};
    EXPECT_TRUE(sameColor(parseBorder(automatic.get(), &border, nullptr)->borderTint, kAutoColor));
    EXPECT_TRUE(sameColor(parseBorder(yellow.get(), &border, nullptr)->borderTint, kYellow));
}

TEST(PropertyElementReadersTest, ShadingGivesPatternTintAndFill) {
    const struct {
        const char* title;
        const char* element;
        std::int16_t pattern;
        RGBColor tint, fill;
    } cases[] = {
        {"percentage with automatic tint", "<w:shd w:val=\"pct15\" w:color=\"auto\" w:fill=\"FFFF00\"/>", 170, kAutoColor, kYellow},
        {"clear alone", "<w:shd w:val=\"clear\"/>", 1, kBlack, kWhite},
        {"an unknown pattern stays 0", "<w:shd w:val=\"pct-33\" w:fill=\"FFFF00\"/>", 0, kBlack, kYellow},
        {"solid", "<w:shd w:val=\"solid\" w:color=\"FFFF00\"/>", 1020, kYellow, kWhite},
    };
    for (const auto& c : cases) {
        Element element(c.element);
        ShadingSpec shading{5, {9, 9, 9}, {9, 9, 9}};
        parseShading(element.get(), &shading, &shading.patternTint, &shading.patternFill);
        EXPECT_EQ(shading.patternType, c.pattern) << c.title;
        EXPECT_TRUE(sameColor(shading.patternTint, c.tint)) << c.title;
        EXPECT_TRUE(sameColor(shading.patternFill, c.fill)) << c.title;
    }
}

TEST(PropertyElementReadersTest, HeightAndWidthKeepTheirDefaultsForWhatIsAbsentOrUnknown) {
    const struct {
        const char* element;
        std::int16_t rule;
        std::int32_t value;
    } heights[] = {
        {"<w:trHeight w:h-rule=\"exact\" w:val=\"400\"/>", 1, 400},
        {"<w:trHeight w:hRule=\"atLeast\" w:val=\"-20\"/>", 2, -20},
        {"<w:trHeight w:hRule=\"auto\"/>", 0, 0},
        {"<w:trHeight w:hRule=\"tall\" w:val=\"99999999999\"/>", 2, 0},
    };
    for (const auto& c : heights) {
        Element element(c.element);
        HeightSpec height{9, 9};
        parseHeightRule(element.get(), &height);
        EXPECT_EQ(height.h, c.rule) << c.element;
        EXPECT_EQ(height.v, c.value) << c.element;
    }
    const struct {
        const char* element;
        std::int16_t type;
        std::int32_t w;
    } widths[] = {
        {"<w:tcW w:w=\"2880\" w:type=\"dxa\"/>", 3, 2880},
        {"<w:tblW w:w=\"0\" w:type=\"auto\"/>", 1, 0},
        {"<w:tblW w:type=\"nil\"/>", 0, 1000},
        {"<w:tblW w:w=\"2500\" w:type=\"percent\"/>", 2, 2500},
    };
    for (const auto& c : widths) {
        Element element(c.element);
        WidthSpec width{9, 9};
        parseTableWidth(element.get(), &width);
        EXPECT_EQ(width.type, c.type) << c.element;
        EXPECT_EQ(width.w, c.w) << c.element;
    }
}

TEST(PropertyElementReadersTest, FrameReadsBothDialectsAndIgnoresLinesWithoutADropCap) {
    Element word2003(
        "<w:framePr w:w=\"2000\" w:h=\"500\" w:x=\"-100\" w:y=\"300\" w:hanchor=\"page\" w:vanchor=\"text\" "
        "w:x-align=\"right\" w:y-align=\"bottom\" w:vspace=\"40\" w:hspace=\"60\" w:wrap=\"square\" "
        "w:drop-cap=\"drop\" w:lines=\"3\" w:anchor-lock=\"on\"/>");
    XFrame frame;
    frame.txtoverlay = 5;
    parseFrameProperties(word2003.get(), &frame);
    XFrame expected{};
    expected.width = 2000;
    expected.height = 500;
    expected.horizPosDistance = -100;
    expected.vertPosDistance = 300;
    expected.horizPosFrameReference = 2;
    expected.vertPosFrameReference = 3;
    expected.horizPosTypeWithinFrame = 4;
    expected.vertPosTypeWithinFrame = 4;
    expected.txtvertDistanceFromFrame = 40;
    expected.txthorizDistanceFromFrame = 60;
    expected.txtWrapType = 1;
    expected.dropcapType = 1;
    expected.dropcapLines = 3;
    expected.anchorLock = 1;
    EXPECT_TRUE(equalXFrame(frame, expected));

    Element word2007("<w:framePr w:hAnchor=\"margin\" w:xAlign=\"center\" w:dropCap=\"none\" w:lines=\"3\" "
                     "w:wrap=\"around\" w:anchorLock=\"0\" w:w=\"70000\"/>");
    parseFrameProperties(word2007.get(), &frame);
    expected = XFrame{};
    expected.horizPosFrameReference = 1;
    expected.horizPosTypeWithinFrame = 1;
    EXPECT_TRUE(equalXFrame(frame, expected)) << "no drop cap: the lines are not read; a width too large is ignored";
}

}  // namespace
