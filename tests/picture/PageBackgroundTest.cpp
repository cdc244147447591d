#include "picture/shapes/PageBackground.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/picture/ShapeXmlSnippet.h"

namespace {

std::string backgroundOf(const std::string& attributes) {
    ShapeXmlSnippet background(std::string("<w:background") + kShapeNamespaces + " " + attributes + "/>");
    ShapeText text;
    pageBackgroundToRtf(background.root(), text);
    return text.text();
}

std::string expectedGroup(const std::string& fillColor) {
    return "\\viewbksp1{\\*\\background{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright0\\shpbottom0\\shpfhdr0"
           "\\shpbxmargin\\shpbymargin\\shpwr0\\shpwrk0\\shpfblwtxt1\\shpz0{\\sp{\\sn shapeType}{\\sv 1}}"
           "{\\sp{\\sn fFlipH}{\\sv 0}}{\\sp{\\sn fFlipV}{\\sv 0}}" +
           fillColor +
           "{\\sp{\\sn fFilled}{\\sv 1}}{\\sp{\\sn lineWidth}{\\sv 0}}{\\sp{\\sn fLine}{\\sv 0}}"
           "{\\sp{\\sn bWMode}{\\sv 9}}{\\sp{\\sn fBackground}{\\sv 1}}}}}";
}

}  // namespace

TEST(PageBackground, ColourBecomesAFullPageBackgroundShape) {
    const struct {
        const char* attributes;
        std::string expected;
    } cases[] = {
        {"w:color=\"FFFF00\"", expectedGroup("{\\sp{\\sn fillColor}{\\sv 65535}}")},
        {"w:bgcolor=\"White\"", expectedGroup("{\\sp{\\sn fillColor}{\\sv 16777215}}")},
        {"w:bgcolor=\"#4F81BD\" w:color=\"FF0000\"", expectedGroup("{\\sp{\\sn fillColor}{\\sv 12419407}}")},
        {"w:bgcolor=\"Fill Darken(118)\"", expectedGroup("{\\sp{\\sn fillColor}{\\sv 276169200}}")},
        // A colour that names nothing keeps the group without a fill colour.
        {"w:color=\"auto\"", expectedGroup("")},
        // Longer than any colour: taken whole, never cut into a shorter one, never overrun.
        {"w:color=\"FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00\"", expectedGroup("")},
        {"w:themeColor=\"background1\"", ""},
        {"", ""},
    };
    for (const auto& background : cases) {
        SCOPED_TRACE(background.attributes);
        EXPECT_EQ(backgroundOf(background.attributes), background.expected);
    }
}

TEST(PageBackground, AppendsToTheTextItIsGiven) {
    ShapeXmlSnippet background(std::string("<w:background") + kShapeNamespaces + " w:color=\"000000\"/>");
    ShapeText text;
    text.append("{\\rtf1");
    pageBackgroundToRtf(background.root(), text);
    pageBackgroundToRtf(nullptr, text);
    EXPECT_EQ(text.view(), "{\\rtf1" + expectedGroup("{\\sp{\\sn fillColor}{\\sv 0}}"));
}
