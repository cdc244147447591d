// The stories of a Word 2003 document: tables with their cells and rows, sections, headers and notes.
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class WordMLStoriesTest : public WordMLImportTest {};

std::string cell(const std::string& text) {
    return "<w:tc><w:p><w:r><w:t>" + text + "</w:t></w:r></w:p></w:tc>";
}

TEST_F(WordMLStoriesTest, ATableIsOneAnchorInItsStoryAndAStoryOfItsOwn) {
    const std::string table = "<w:tbl><w:tr>" + cell("a") + cell("b") + "</w:tr><w:tr>" + cell("c") +
                              "<w:tc><w:p><w:r><w:t>d1</w:t></w:r></w:p><w:p><w:r><w:t>d2</w:t></w:r></w:p></w:tc></w:tr></w:tbl>";
    ASSERT_EQ(import(wordDocument("<w:p><w:r><w:t>before</w:t></w:r></w:p>" + table +
                                  "<w:p><w:r><w:t>after</w:t></w:r></w:p>")),
              0);
    EXPECT_EQ(mainText(), u"before\r\nafter\r");
    const auto main = story();
    const std::int32_t tag = main->forms[1].txtData;
    EXPECT_EQ(main->forms[1].txtType >> 16, storycode::kTable);

    const auto tableStory = story(storykind::kTable);
    ASSERT_NE(tableStory, nullptr);
    EXPECT_EQ(tableStory->textString(), u"a\x10" u"b\x10\x10" u"c\x10" u"d1\r" u"d2\x10\x10");
    EXPECT_EQ(tableStory->storyMark, tag) << "the story is found again by the anchor's tag";
    // The runs that close a row carry the last-cell flag; every paragraph lies in a cell.
    std::vector<std::int32_t> rowEnds;
    for (std::int32_t i = 0; i + 1 < tableStory->ruleCount; ++i) {
        EXPECT_EQ(tableStory->rules[i].cellOfRow, 1);
        if (tableStory->rules[i].lastCellOfRow == 1) rowEnds.push_back(tableStory->rules[i].position);
    }
    EXPECT_EQ(rowEnds, (std::vector<std::int32_t>{4, 13}));
}

TEST_F(WordMLStoriesTest, TablesNestedInCellsAreStoriesInDocumentOrder) {
    const std::string inner = "<w:tbl><w:tr>" + cell("inner") + "</w:tr></w:tbl>";
    const std::string outer = "<w:tbl><w:tr><w:tc>" + inner + "<w:p/></w:tc></w:tr></w:tbl>";
    ASSERT_EQ(import(wordDocument(outer)), 0);
    const std::vector<std::int32_t> marks = storyMarks("tableStory");
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_NE(marks[0], marks[1]);
    EXPECT_EQ(story()->textString(), u"\n\r");
    EXPECT_EQ(tableStory(marks[0])->textString(), u"\n\x10\x10") << "a table anchor closes no paragraph";
    EXPECT_EQ(tableStory(marks[1])->textString(), u"inner\x10\x10");
}

TEST_F(WordMLStoriesTest, ANewSectionBreaksBeforeItsFirstParagraph) {
    const std::string body =
        "<w:p><w:pPr><w:sectPr/></w:pPr><w:r><w:t>one</w:t></w:r></w:p>"
        "<w:p><w:r><w:t>two</w:t></w:r></w:p><w:sectPr/>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    const auto main = story();
    EXPECT_EQ(main->textString(), u"one\r\btwo\r\r");
    EXPECT_EQ(main->forms[1].txtType >> 16, storycode::kSectionBreak);
    EXPECT_EQ(main->forms[1].txtData, 1) << "a section without a start type starts as the default";
}

TEST_F(WordMLStoriesTest, EmptyParagraphsThatCarryOrOpenASectionGetNoMark) {
    const std::string body =
        "<w:p><w:pPr><w:sectPr/></w:pPr></w:p>"                             // ends the first section, no runs
        "<w:p/>"                                                             // opens the next: used up by the break
        "<w:p><w:r><w:t>two</w:t></w:r></w:p><w:sectPr/>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    EXPECT_EQ(mainText(), u"\btwo\r");
}

TEST_F(WordMLStoriesTest, HeadersFootersAndNotesAreHandedOutOnce) {
    const std::string body =
        "<w:p><w:r><w:t>x</w:t></w:r><w:r><w:footnote><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t>note</w:t></w:r></w:p></w:footnote></w:r></w:p>"
        "<w:p><w:r><w:endnote><w:p><w:r><w:t>end</w:t></w:r></w:p></w:endnote></w:r></w:p>"
        "<w:sectPr><w:hdr w:type=\"odd\"><w:p><w:r><w:t>odd</w:t></w:r></w:p></w:hdr>"
        "<w:hdr w:type=\"first\"><w:p><w:r><w:t>first</w:t></w:r></w:p></w:hdr>"
        "<w:hdr w:type=\"sideways\"><w:p/></w:hdr>"
        "<w:ftr w:type=\"even\"><w:p><w:r><w:t>even</w:t></w:r></w:p></w:ftr></w:sectPr>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    EXPECT_EQ(mainText(), u"x\x17\r\x18\r");
    const auto odd = story(storykind::kHeader, 0);
    const auto first = story(storykind::kHeader, 1);
    EXPECT_EQ(odd->textString(), u"odd\r");
    EXPECT_EQ(first->textString(), u"first\r");
    EXPECT_EQ(odd->storyType, 1);
    EXPECT_EQ(first->storyType, 0);
    EXPECT_EQ(odd->storyMark, first->storyMark) << "both belong to one section";
    EXPECT_EQ(story(storykind::kHeader, 2), nullptr) << "a header of an unknown type is no story";
    const auto footer = story(storykind::kFooter, 0);
    EXPECT_EQ(footer->textString(), u"even\r");
    EXPECT_EQ(footer->storyType, 2);
    // Inside a note its number mark is 2, and its paragraphs end without 13.
    EXPECT_EQ(story(storykind::kFootnote, 0)->textString(), u"\x02note");
    EXPECT_EQ(story(storykind::kEndnote, 0)->textString(), u"end");
}

TEST_F(WordMLStoriesTest, ATextBoxIsAGraphicStoryNamedByItsShape) {
    const std::string body =
        "<w:p><w:r><w:pict><v:shape id=\"box1\"><v:textbox><w:txbxContent><w:p><w:r><w:t>boxed</w:t></w:r></w:p>"
        "</w:txbxContent></v:textbox></v:shape><v:shape><v:textbox/></v:shape></w:pict></w:r></w:p>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    const auto box = graphicStory("box1");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->textString(), u"boxed\r");
    EXPECT_STREQ(box->storyName, "box1");
    EXPECT_EQ(storyMarks("graphicStory").size(), 1u) << "a shape without an id gives no story";
}

}  // namespace
}  // namespace wordmltest
