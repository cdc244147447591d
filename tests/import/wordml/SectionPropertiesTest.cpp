// Section page setup as it reaches the storage: each section's own size, margins, columns, numbering
// and options; and the references later sections inherit.
#include "import/wordml/sections/TSectionsArray.h"
#include "package/xml/XmlNodeHelpers.h"
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class SectionPropertiesTest : public WordMLImportTest {};

std::string paragraph(const std::string& text, const std::string& properties = "") {
    return "<w:p>" + properties + "<w:r><w:t>" + text + "</w:t></w:r></w:p>";
}

TEST_F(SectionPropertiesTest, EachSectionCarriesItsOwnPageSetup) {
    const std::string first =
        "<w:pPr><w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/>"
        "<w:pgMar w:top=\"1000\" w:right=\"1100\" w:bottom=\"1200\" w:left=\"1300\" w:header=\"500\" w:footer=\"600\" w:gutter=\"70\"/>"
        "<w:cols w:num=\"3\" w:space=\"400\"/><w:titlePg/></w:sectPr></w:pPr>";
    const std::string last =
        "<w:sectPr><w:pgSz w:w=\"16838.5\" w:h=\"11906\" w:orient=\"landscape\"/><w:titlePg w:val=\"off\"/>"
        "<w:lnNumType w:count-by=\"5\" w:start=\"0\" w:restart=\"newSection\"/><w:pgNumType/><w:bidi/><w:rtlGutter/>"
        "<w:pgBorders w:z-order=\"back\" w:offset-from=\"page\"><w:top w:val=\"apples\" w:sz=\"12\"/>"
        "<w:right w:val=\"single\" w:sz=\"4\"/></w:pgBorders><w:vAlign w:val=\"center\"/>"
        "<w:cols w:num=\"2\" w:equalWidth=\"off\"><w:col w:w=\"3000\" w:space=\"200\"/><w:col w:w=\"5000\"/></w:cols>"
        "</w:sectPr>";
    ASSERT_EQ(import(wordDocument(paragraph("one", first) + paragraph("two") + last)), 0);
    const auto main = story();
    ASSERT_EQ(main->textString().substr(0, 9), u"one\r\btwo\r");
    ASSERT_GE(main->pageCount, 3) << "two sections and the sentinel";
    const XPage& one = main->pages[0];
    EXPECT_EQ(one.pageWidth, 12240);
    EXPECT_EQ(one.pageHeight, 15840);
    EXPECT_EQ(one.orientation, 0);
    EXPECT_EQ((std::array<std::int16_t, 7>{one.topMargin, one.rightMargin, one.bottomMargin, one.leftMargin,
                                           one.headerEdge, one.footerEdge, one.gutter}),
              (std::array<std::int16_t, 7>{1000, 1100, 1200, 1300, 500, 600, 70}));
    EXPECT_EQ(one.columns, 3);
    EXPECT_EQ(one.spaceBetweenColumns, 400);
    EXPECT_EQ(one.notEqualWidthColumns, 0) << "no column slots without equalWidth";
    EXPECT_EQ(one.titlePage, 1) << "an on/off element without a value is on";
    EXPECT_EQ(one.lineNumber.hasLineNumber, 0);

    const XPage& two = main->pages[1];
    EXPECT_EQ(two.pageWidth, 16838);
    EXPECT_EQ(two.pageHeight, 11906);
    EXPECT_EQ(two.orientation, 1);
    EXPECT_EQ(two.leftMargin, 1800) << "a margin the section does not name keeps its default";
    EXPECT_EQ(two.lineNumber.hasLineNumber, 1);
    EXPECT_EQ(two.lineNumber.countBy, 5);
    EXPECT_EQ(two.lineNumber.startAt, 1);
    EXPECT_EQ(two.lineNumber.restartType, 2);
    EXPECT_EQ(two.pageNumber.hasPageNumber, 1);
    EXPECT_EQ(two.pageNumber.restartType, 1);
    EXPECT_EQ(two.titlePage, 0) << "val off turns the title page off";
    EXPECT_EQ(two.direction, 1);
    EXPECT_EQ(two.rtlGutter, 1);
    EXPECT_EQ(two.borderOptions, 0x82);
    EXPECT_EQ(two.borderType, 1 | 4);
    EXPECT_EQ(two.borderArt, 0) << "the art code is the last side's";
    EXPECT_NE(two.borderRight.borderType, 0);
    EXPECT_NE(two.textVerticalAlignment, one.textVerticalAlignment);
    EXPECT_EQ(two.columns, 2);
    EXPECT_EQ(two.notEqualWidthColumns, 1);
    EXPECT_EQ(two.columnWidth[0], 3000);
    EXPECT_EQ(two.columnSpace[0], 200);
    EXPECT_EQ(two.columnWidth[1], 5000);
    EXPECT_NE(one.uniqueBits, two.uniqueBits);
}

TEST_F(SectionPropertiesTest, LengthsOutside16BitsLeaveTheDefault) {
    ASSERT_EQ(import(wordDocument(paragraph("x") + "<w:sectPr><w:pgSz w:w=\"70000\" w:h=\"-40000\"/></w:sectPr>")), 0);
    const auto main = story();
    const XPage& page = main->pages[0];
    EXPECT_EQ(page.pageWidth, kLetterPageWidth);
    EXPECT_EQ(page.pageHeight, kLetterPageHeight);
}

}  // namespace
}  // namespace wordmltest

namespace wordmltest {
namespace {

TEST(SectionsArrayTest, LaterSectionsInheritTheReferencesTheyLack) {
    const std::string xml =
        "<body><sectPr defaultHeaderRefTag=\"7\" evenFooterRefTag=\"0\"/><sectPr/>"
        "<sectPr evenFooterRefTag=\"9\"/></body>";
    xmlDoc* document = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET);
    ASSERT_NE(document, nullptr);
    TSectionsArray sections;
    for (xmlNode* node = xmlDocGetRootElement(document)->children; node != nullptr; node = node->next) sections.addSection(node);
    sections.inheritReferences();
    const auto value = [](xmlNode* node, const char* name) {
        std::int16_t present = 0;
        return xmlGetAttrInt(node, nullptr, name, &present);
    };
    xmlNode* first = xmlDocGetRootElement(document)->children;
    xmlNode* second = first->next;
    xmlNode* third = second->next;
    EXPECT_EQ(value(second, "defaultHeaderRefTag"), 7);
    EXPECT_EQ(value(third, "defaultHeaderRefTag"), 7);
    EXPECT_EQ(value(third, "evenFooterRefTag"), 9) << "a section's own reference stays";
    EXPECT_EQ(value(first, "evenFooterRefTag"), 0) << "the first section never inherits";
    EXPECT_EQ(value(second, "firstHeaderRefTag"), 0);
    xmlFreeDoc(document);
}

}  // namespace
}  // namespace wordmltest
