// The style sheet of the document head: one group per style, in table order, with the style's kind,
// number, flags, changed properties, related styles and escaped name; a table style adds a group per
// conditional part.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/FieldMask.h"
#include "model/params/ParamBlockTables.h"
#include "tests/export/rtf/RTFCaptureEmitter.h"

namespace rtftest {
namespace {

class RTFStyleSheetTest : public ::testing::Test, protected CaptureFixture {
protected:
    // A style of the kind and number, related to no other style, added to the block's table.
    XStyle& addNamedStyle(std::int16_t kind, std::int32_t number, const char* name) {
        XStyle* style = newXStyle();
        initXForm(&style->styleForm);
        initXRule(&style->styleRule);
        // Only what a test changes is marked changed.
        std::memset(style->styleForm.changeBits, 0, sizeof style->styleForm.changeBits);
        std::memset(style->styleRule.changeBits, 0, sizeof style->styleRule.changeBits);
        style->styleType = kind;
        style->styleIndx = number;
        style->styleBase = style->styleNext = style->styleLink = -1;
        std::snprintf(style->styleName, sizeof style->styleName, "%s", name);
        addStyle(style, &block);
        return *style;
    }
    static XStyle* subStyle(XStyle& table, std::int16_t part) {
        XStyle* sub = newXStyle();
        sub->styleAttr = part;
        table.subStyles[table.styleSubCount++] = sub;
        return sub;
    }
    std::string sheet() {
        emitter->writeStyleSheet();
        return emitter->take();
    }
};

TEST_F(RTFStyleSheetTest, NoStylesWriteNoGroup) {
    EXPECT_EQ(sheet(), "");
}

TEST_F(RTFStyleSheetTest, EachKindOpensItsGroupAndStyleOneCarriesNoNumber) {
    addNamedStyle(3, 1, "Default");
    XStyle& heading = addNamedStyle(2, 2, "heading 1");
    heading.styleBase = 1;
    heading.styleNext = 3;
    heading.styleBits = 1 | 4 | 64;
    heading.styleRule.keepNext = 1;
    setMaskBit(heading.styleRule.changeBits, 27);
    heading.styleForm.txtFace = kFaceBold;
    setMaskBit(heading.styleForm.changeBits, 13);
    XStyle& strong = addNamedStyle(3, 3, "Strong");
    strong.styleLink = 2;
    strong.styleRule.keepNext = 1;  // a character style writes no paragraph words
    setMaskBit(strong.styleRule.changeBits, 27);
    addNamedStyle(1, 4, "Section");
    addNamedStyle(5, 5, "Numbering");  // never written
    addNamedStyle(9, 6, "Odd");         // an unknown kind is a paragraph style
    EXPECT_EQ(sheet(),
              "{\\stylesheet"
              "{ \\additive  Default;}"
              "{\\s1\\sautoupd\\ssemihidden\\sreply\\keepn\\b\\sbasedon0\\snext2 heading 1;}"
              "{\\*\\cs2 \\additive \\slink1 Strong;}"
              "{\\ds3 Section;}"
              "{\\s5 Odd;}"
              "}\r\n");
}

TEST_F(RTFStyleSheetTest, ATableStyleWritesAGroupPerConditionalPartUnderItsOwnNumberAndName) {
    XStyle& grid = addNamedStyle(4, 3, "Grid");
    grid.styleRule.rows.tblHeader = 1;
    setMaskBit(grid.styleRule.changeBits, 45);
    setMaskBit(grid.styleRule.rows.changeBits, 32);
    XStyle* firstRow = subStyle(grid, 1);
    firstRow->styleForm.txtFace = kFaceBold;
    setMaskBit(firstRow->styleForm.changeBits, 13);
    subStyle(grid, 2048);
    subStyle(grid, 4096);  // no conditional word
    EXPECT_EQ(sheet(),
              "{\\stylesheet"
              "{\\*\\ts2\\tsrowd\\trhdr Grid;}"
              "{\\*\\ts2\\b\\tscfirstrow Grid;}"
              "{\\*\\ts2\\tscswcell Grid;}"
              "{\\*\\ts2 Grid;}"
              "}\r\n");
}

TEST_F(RTFStyleSheetTest, NamesAreEscapedSoThatTheirGroupEndsWhereItShould) {
    addNamedStyle(2, 2, "a;b{c}");
    addNamedStyle(2, 3, "Caf\xC3\xA9");
    const std::string written = sheet();
    EXPECT_NE(written.find("{\\s1 a\\'3bb\\{c\\};}"), std::string::npos) << written;
    EXPECT_NE(written.find("{\\s2 Caf\\u233?;}"), std::string::npos) << written;
}

TEST_F(RTFStyleSheetTest, StyleNumbersBelowOneNameNoRelatedStyle) {
    XStyle& style = addNamedStyle(2, 2, "Body");
    style.styleBase = 0;
    style.styleNext = 0;
    style.styleLink = -7;
    EXPECT_EQ(sheet(), "{\\stylesheet{\\s1 Body;}}\r\n");
}

}  // namespace
}  // namespace rtftest
