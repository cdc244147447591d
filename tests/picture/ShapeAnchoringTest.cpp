#include "picture/shapes/ShapeAnchoring.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/picture/ShapeXmlSnippet.h"

TEST(ShapeAnchoring, WrapNamesGiveTheirKeywords) {
    const struct {
        const char* name;
        const char* typeKeyword;
        const char* sideKeyword;
    } cases[] = {
        {"square", "\\shpwr2", ""},       {"tight", "\\shpwr4", ""},     {"through", "\\shpwr5", ""},
        {"topAndBottom", "\\shpwr1", ""}, {"none", "\\shpwr3", ""},      {"largest", "", "\\shpwrk3"},
        {"left", "", "\\shpwrk1"},        {"right", "", "\\shpwrk2"},    {"bothSides", "", "\\shpwrk0"},
        {"both", "", ""},                 {"Square", "", ""},            {"", "", ""},
    };
    for (const auto& wrap : cases) {
        SCOPED_TRACE(wrap.name);
        ShapeText typeText;
        ShapeText sideText;
        EXPECT_EQ(wrapTypeKeyword(wrap.name, typeText), *wrap.typeKeyword != '\0' ? 1 : 0);
        EXPECT_EQ(wrapSideKeyword(wrap.name, sideText), *wrap.sideKeyword != '\0' ? 1 : 0);
        EXPECT_STREQ(typeText.text(), wrap.typeKeyword);
        EXPECT_STREQ(sideText.text(), wrap.sideKeyword);
    }
}

TEST(ShapeAnchoring, WrapTextAttributeChoosesTheSide) {
    ShapeXmlSnippet square(std::string("<wp:wrapSquare") + kShapeNamespaces + " wrapText=\"largest\"/>");
    ShapeXmlSnippet plain(std::string("<wp:wrapTight") + kShapeNamespaces + "/>");
    ShapeText text;
    EXPECT_EQ(wrapTextSide(square.root(), text), 1);
    EXPECT_EQ(wrapTextSide(plain.root(), text), 0);
    EXPECT_STREQ(text.text(), "\\shpwrk3");
}

TEST(ShapeAnchoring, RelationsGiveKeywordAndProperty) {
    const struct {
        bool horizontal;
        const char* relation;
        const char* keyword;
        const char* property;
    } cases[] = {
        {true, "margin", "\\shpbxmargin", "{\\sp{\\sn posrelh}{\\sv 0}}"},
        {true, "page", "\\shpbxpage", "{\\sp{\\sn posrelh}{\\sv 1}}"},
        {true, "column", "\\shpbxcolumn", "{\\sp{\\sn posrelh}{\\sv 2}}"},
        {true, "character", "\\shpbxcolumn", "{\\sp{\\sn posrelh}{\\sv 3}}"},
        {true, "leftMargin", "\\shpbxmargin", "{\\sp{\\sn posrelh}{\\sv 0}}"},
        {true, "rightMargin", "\\shpbxmargin", "{\\sp{\\sn posrelh}{\\sv 0}}"},
        {true, "insideMargin", "", ""},
        {false, "margin", "\\shpbymargin", "{\\sp{\\sn posrelv}{\\sv 0}}"},
        {false, "page", "\\shpbypage", "{\\sp{\\sn posrelv}{\\sv 1}}"},
        {false, "para", "\\shpbypara", "{\\sp{\\sn posrelv}{\\sv 2}}"},
        {false, "line", "\\shpbypara", "{\\sp{\\sn posrelv}{\\sv 3}}"},
        {false, "paragraph", "", ""},
    };
    for (const auto& relation : cases) {
        SCOPED_TRACE(relation.relation);
        ShapeText instance;
        ShapeText properties;
        if (relation.horizontal) {
            horizontalAnchorKeyword(relation.relation, instance, properties);
        } else {
            verticalAnchorKeyword(relation.relation, instance, properties);
        }
        EXPECT_STREQ(instance.text(), relation.keyword);
        EXPECT_STREQ(properties.text(), relation.property);
    }
}

TEST(ShapeAnchoring, AlignmentsGiveTheirCodes) {
    const struct {
        const char* align;
        const char* horizontal;
        const char* vertical;
    } cases[] = {
        {"center", "2", "2"},        {"right", "3", ""},         {"rightMargin", "3", ""},
        {"left", "1", ""},           {"leftMargin", "1", ""},    {"top", "", "1"},
        {"bottom", "", "3"},         {"bottomMargin", "", "3"},  {"inside", "4", "4"},
        {"insideMargin", "4", "4"},  {"outside", "5", "5"},      {"outsideMargin", "5", "5"},
        {"Center", "", ""},
    };
    for (const auto& align : cases) {
        SCOPED_TRACE(align.align);
        ShapeText horizontal;
        ShapeText vertical;
        horizontalAlignProperty(align.align, horizontal);
        verticalAlignProperty(align.align, vertical);
        EXPECT_EQ(horizontal.view(), *align.horizontal ? "{\\sp{\\sn posh}{\\sv " + std::string(align.horizontal) + "}}" : "");
        EXPECT_EQ(vertical.view(), *align.vertical ? "{\\sp{\\sn posv}{\\sv " + std::string(align.vertical) + "}}" : "");
    }
}

TEST(ShapeAnchoring, RectangleGoesToKeywordsOrGroupProperties) {
    ShapeText instance;
    ShapeText properties;
    shapeRectangleOutput(instance, properties, 0, -1440, 0, 720, 360);
    EXPECT_STREQ(instance.text(), "\\shpleft-1440\\shptop0\\shpright720\\shpbottom360");
    EXPECT_TRUE(properties.empty());
    instance.clear();
    shapeRectangleOutput(instance, properties, 1, 10, 20, 30, 40);
    EXPECT_TRUE(instance.empty());
    EXPECT_STREQ(properties.text(),
                 "{\\sp{\\sn relLeft}{\\sv 10}}{\\sp{\\sn relTop}{\\sv 20}}{\\sp{\\sn relRight}{\\sv 30}}"
                 "{\\sp{\\sn relBottom}{\\sv 40}}");
}

TEST(ShapeAnchoring, ExtentSetsTheRectangleInTwips) {
    ShapeXmlSnippet extent(std::string("<wp:extent") + kShapeNamespaces + " cx=\"914400\" cy=\"457200\"/>");
    LongRect rectangle{5, 5, 5, 5};
    const DrawingSize size = drawingExtent(extent.root(), rectangle);
    EXPECT_EQ(size.width, 1440);
    EXPECT_EQ(size.height, 720);
    EXPECT_EQ(rectangle.top, 0);
    EXPECT_EQ(rectangle.left, 0);
    EXPECT_EQ(rectangle.bottom, 720);
    EXPECT_EQ(rectangle.right, 1440);

    ShapeXmlSnippet empty(std::string("<wp:extent") + kShapeNamespaces + " cx=\"600\"/>");
    const DrawingSize nothing = drawingExtent(empty.root(), rectangle);  // below one twip
    EXPECT_EQ(nothing.width, 0);
    EXPECT_EQ(nothing.height, 0);
    EXPECT_EQ(rectangle.right, 1440);
}

TEST(ShapeAnchoring, LocksAndHiddenWriteOnlyTrueAttributes) {
    ShapeXmlSnippet locks(std::string("<a:graphicFrameLocks") + kShapeNamespaces +
                          " noChangeAspect=\"1\" noGrp=\"0\" noResize=\"true\" noSelect=\"off\"/>");
    ShapeText properties;
    frameLockProperties(locks.root(), properties);
    EXPECT_STREQ(properties.text(), "{\\sp{\\sn fLockAspectRatio}{\\sv 1}}{\\sp{\\sn fLockAdjustHandles}{\\sv 1}}");

    ShapeXmlSnippet hidden(std::string("<wp:docPr") + kShapeNamespaces + " id=\"1\" name=\"Picture 1\" hidden=\"1\"/>");
    ShapeXmlSnippet shown(std::string("<wp:docPr") + kShapeNamespaces + " id=\"1\" name=\"Picture 1\"/>");
    properties.clear();
    drawingPropertiesHidden(shown.root(), properties);
    EXPECT_TRUE(properties.empty());
    drawingPropertiesHidden(hidden.root(), properties);
    EXPECT_STREQ(properties.text(), "{\\sp{\\sn fHidden}{\\sv 1}}");
}
