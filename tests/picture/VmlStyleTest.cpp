#include "picture/shapes/VmlStyle.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/picture/ShapeXmlSnippet.h"

namespace {

struct StyleCase {
    const char* style;
    std::int16_t groupFlag;
    std::int16_t expectedInline;
    const char* expectedInstance;
    const char* expectedProperties;
};

struct Translation {
    std::string instance;
    std::string properties;
    std::int16_t isInline;
    AnchorFlags anchors;
    LongRect rectangle;
};

Translation translate(const char* style, std::int16_t groupFlag, AnchorFlags anchors = {}) {
    ShapeText instance;
    ShapeText properties;
    LongRect rectangle{-1, -1, -1, -1};
    const std::int16_t isInline = translateVmlStyle(style, instance, properties, anchors, rectangle, groupFlag);
    return {instance.text(), properties.text(), isInline, anchors, rectangle};
}

const StyleCase kStyleCases[] = {
    {"position:absolute;margin-left:0;margin-top:0;width:100pt;height:50pt;z-index:1", 0, 0,
     "\\shpleft0\\shptop0\\shpright2000\\shpbottom1000\\shpz0\\shpfblwtxt0\\shpbxcolumn\\shpbypara", ""},
    {"width:100pt;height:50pt", 0, 1, "\\pich1000\\picw2000\\wmetafile8", ""},
    {"z-index:-251658240", 0, 0, "\\shpz1\\shpfblwtxt1", "{\\sp{\\sn fBehindDocument}{\\sv 1}}"},
    {"z-index:3", 0, 0, "\\shpz2\\shpfblwtxt0", ""},
    // More than one digit counts whole; a value without digits is order 0, never a stray character.
    {"z-index:12", 0, 0, "\\shpz11\\shpfblwtxt0", ""},
    {"z-index:99999999999999999999", 0, 0, "\\shpz2147483646\\shpfblwtxt0", ""},
    {"z-index:auto", 0, 0, "\\shpz0\\shpfblwtxt0", ""},
    {"z-index:", 0, 0, "\\shpz0\\shpfblwtxt0", ""},
    {"z-index:-", 0, 0, "\\shpz0\\shpfblwtxt1", "{\\sp{\\sn fBehindDocument}{\\sv 1}}"},
    {"width:100pt;height:50pt;rotation:90", 0, 1, "\\pich1000\\picw2000\\picscalex50\\picscaley200\\wmetafile8",
     "{\\sp{\\sn rotation}{\\sv 5898240}}"},
    // Sides below one point have no scale to give: no division by zero, the scales are left out.
    {"width:10;height:0.5pt;rotation:90", 0, 1, "\\pich10\\picw10\\wmetafile8", "{\\sp{\\sn rotation}{\\sv 5898240}}"},
    {"width:0.5pt;height:10pt;rotation:90", 0, 1, "\\pich200\\picw10\\wmetafile8", "{\\sp{\\sn rotation}{\\sv 5898240}}"},
    {"rotation:-90;flip:y", 0, 0, "", "{\\sp{\\sn rotation}{\\sv 17694720}}{\\sp{\\sn fFlipV}{\\sv 1}}"},
    {"flip:x y", 0, 0, "", "{\\sp{\\sn fFlipH}{\\sv 1}}"},
    {"left:10;top:20;width:100;height:50", 1, 0, "\\shpbxcolumn\\shpbypara",
     "{\\sp{\\sn relLeft}{\\sv 10}}{\\sp{\\sn relTop}{\\sv 20}}{\\sp{\\sn relRight}{\\sv 110}}{\\sp{\\sn relBottom}{\\sv 70}}"},
    {"position:absolute;mso-wrap-distance-left:9pt;width:1pt;height:1pt", 0, 0,
     "\\shpleft180\\shptop0\\shpright200\\shpbottom20\\shpbxcolumn", "{\\sp{\\sn dxWrapDistLeft}{\\sv 114300}}"},
    {"position:absolute;margin-left:5pt;margin-top:5pt;width:10pt;height:10pt;mso-position-horizontal:center;"
     "mso-position-horizontal-relative:page;mso-position-vertical-relative:margin",
     0, 0, "\\shpleft100\\shptop100\\shpright300\\shpbottom300\\shpbymargin\\shpbxpage",
     "{\\sp{\\sn posh}{\\sv 2}}{\\sp{\\sn posrelh}{\\sv 1}}{\\sp{\\sn posrelv}{\\sv 0}}"},
    {"position:absolute;mso-position-vertical:top;mso-position-vertical-relative:line", 0, 0, "\\shpbypara",
     "{\\sp{\\sn posv}{\\sv 1}}{\\sp{\\sn posrelv}{\\sv 3}}"},
    {"position:absolute;mso-position-horizontal:absolute;mso-position-horizontal-relative:char", 0, 0, "\\shpbxcolumn",
     "{\\sp{\\sn posrelh}{\\sv 3}}"},
    {"mso-wrap-distance-left:1pt;mso-wrap-distance-right:2pt;mso-wrap-distance-top:3pt;mso-wrap-distance-bottom:4pt",
     // "left:" and "top:" are found at the end of the wrap distances: they place the shape.
     0, 0, "\\shpleft20\\shptop60\\shpright0\\shpbottom0\\shpbxcolumn\\shpbypara",
     "{\\sp{\\sn dxWrapDistLeft}{\\sv 12700}}{\\sp{\\sn dxWrapDistRight}{\\sv 25400}}"
     "{\\sp{\\sn dyWrapDistTop}{\\sv 38100}}{\\sp{\\sn dyWrapDistBottom}{\\sv 50800}}"},
    {"position:static;margin-left:2147483647;width:2147483647", 0, 1, "\\pich0\\picw2147483647\\wmetafile8\\shpbxcolumn", ""},
    {"", 0, 0, "", ""},
};

}  // namespace

TEST(VmlStyle, TranslatesStyleTexts) {
    for (const StyleCase& style : kStyleCases) {
        SCOPED_TRACE(style.style);
        const Translation translation = translate(style.style, style.groupFlag);
        EXPECT_EQ(translation.isInline, style.expectedInline);
        EXPECT_EQ(translation.instance, style.expectedInstance);
        EXPECT_EQ(translation.properties, style.expectedProperties);
    }
}

TEST(VmlStyle, FillsTheRectangleWithoutOverflow) {
    const Translation shape = translate("position:absolute;margin-left:-12pt;margin-top:3pt;width:100pt;height:50pt", 0);
    EXPECT_EQ(shape.rectangle.left, -240);
    EXPECT_EQ(shape.rectangle.top, 60);
    EXPECT_EQ(shape.rectangle.right, 1760);
    EXPECT_EQ(shape.rectangle.bottom, 1060);

    const Translation empty = translate("position:absolute;margin-left:10pt", 0);
    EXPECT_EQ(empty.rectangle.right, 0);  // no width: no right edge
    EXPECT_EQ(empty.rectangle.bottom, 0);

    const Translation huge = translate("position:absolute;margin-left:2147483647;width:2147483647", 0);
    EXPECT_EQ(huge.rectangle.right, INT32_MAX);
}

TEST(VmlStyle, SetsAndClearsTheAnchorFlags) {
    const Translation relative = translate("position:absolute;mso-position-vertical-relative:page", 0);
    EXPECT_EQ(relative.anchors.vertical, 1);
    EXPECT_EQ(relative.anchors.horizontal, 0);
    EXPECT_EQ(relative.instance, "\\shpbypage");

    const Translation aligned = translate("position:absolute;mso-position-horizontal:right", 0);
    EXPECT_EQ(aligned.anchors.horizontal, 1);
    EXPECT_EQ(aligned.instance, "\\shpbxcolumn");

    // A flag the walker set earlier asks for the default keyword and stays set.
    const Translation earlier = translate("width:1pt;height:1pt", 0, AnchorFlags{0, 1});
    EXPECT_EQ(earlier.anchors.horizontal, 1);
    EXPECT_EQ(earlier.anchors.vertical, 0);
    EXPECT_EQ(earlier.instance, "\\pich20\\picw20\\wmetafile8\\shpbxcolumn");
}

TEST(VmlStyle, InlineTestLooksForBareWords) {
    const struct {
        const char* style;
        std::int16_t expected;
    } cases[] = {
        {"position:static;z-index:1", 1},
        {"width:10pt;height:10pt", 1},
        {"width:10pt;height:10pt;v-text-anchor:top", 0},
        {"width:10pt;height:10pt;margin-left:1pt", 0},
        {"width:10pt;height:10pt;mso-position-horizontal:center", 0},
        {"width:10pt", 0},
        {"", 0},
    };
    for (const auto& style : cases) {
        SCOPED_TRACE(style.style);
        EXPECT_EQ(isInlineVmlStyle(style.style), style.expected);
    }
    EXPECT_EQ(isInlineVmlStyle(nullptr), 0);
}

TEST(VmlStyle, FindsTheEnclosingVmlShape) {
    ShapeXmlSnippet pict(std::string("<w:pict") + kShapeNamespaces +
                         "><v:rect id=\"r\"><v:textbox><w:txbxContent><w:p/></w:txbxContent></v:textbox></v:rect>"
                         "<x:rect xmlns:x=\"urn:other\"/></w:pict>");
    xmlNode* rect = xmlFirstElementChild(pict.root());
    xmlNode* textbox = xmlFirstElementChild(rect);
    xmlNode* paragraph = xmlFirstElementChild(xmlFirstElementChild(textbox));
    EXPECT_EQ(vmlNodeKind(rect), 1);
    EXPECT_EQ(vmlNodeKind(textbox), 0);
    EXPECT_EQ(vmlNodeKind(xmlNextElementSibling(rect)), 0);  // another namespace
    EXPECT_EQ(vmlNodeKind(pict.root()), 0);                   // w:pict, not v:pict
    EXPECT_EQ(enclosingVmlShape(paragraph), rect);
    EXPECT_EQ(enclosingVmlShape(rect), nullptr);
    EXPECT_EQ(enclosingVmlShape(nullptr), nullptr);
}
