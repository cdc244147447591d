// Footnote and endnote settings as they reach the storage: the document's settings in every section,
// a section's own settings over them, and each number format, restart rule and position.
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class NotePropertiesTest : public WordMLImportTest {};

std::string paragraph(const std::string& text, const std::string& properties = "") {
    return "<w:p>" + properties + "<w:r><w:t>" + text + "</w:t></w:r></w:p>";
}

TEST_F(NotePropertiesTest, SectionsTakeTheDocumentSettingsAndTheirOwn) {
    const std::string settings =
        "<w:docPr><w:footnotePr><w:pos w:val=\"beneath-text\"/><w:numFmt w:val=\"lower-roman\"/>"
        "<w:numStart w:val=\"3\"/><w:numRestart w:val=\"each-page\"/></w:footnotePr>"
        "<w:endnotePr><w:pos w:val=\"sect-end\"/><w:numFmt w:val=\"upperLetter\"/><w:numRestart w:val=\"eachSect\"/>"
        "</w:endnotePr></w:docPr>";
    const std::string firstSection =
        "<w:pPr><w:sectPr><w:footnotePr><w:numFmt w:val=\"chicago\"/><w:numStart w:val=\"99999\"/></w:footnotePr>"
        "</w:sectPr></w:pPr>";
    const std::string lastSection = "<w:sectPr><w:endnotePr><w:pos w:val=\"docEnd\"/></w:endnotePr></w:sectPr>";
    ASSERT_EQ(import(wordDocument(paragraph("one", firstSection) + paragraph("two") + lastSection, settings)), 0);
    const auto main = story();
    ASSERT_GE(main->pageCount, 2);

    const XFootnote& firstFootnotes = main->pages[0].footnote;
    EXPECT_EQ(firstFootnotes.hasNotes, 1);
    EXPECT_EQ(firstFootnotes.format, 14) << "the section's own format";
    EXPECT_EQ(firstFootnotes.startAt, 3) << "a start beyond 16 bits keeps the document's";
    EXPECT_EQ(firstFootnotes.restartType, 3) << "from the document settings";
    EXPECT_EQ(firstFootnotes.pagePlacement, 0);

    const XFootnote& lastFootnotes = main->pages[1].footnote;
    EXPECT_EQ(lastFootnotes.format, 5) << "lower roman, from the document settings";
    EXPECT_EQ(lastFootnotes.startAt, 3);

    const XFootnote& firstEndnotes = main->pages[0].endnote;
    EXPECT_EQ(firstEndnotes.hasNotes, 1);
    EXPECT_EQ(firstEndnotes.format, 8);
    EXPECT_EQ(firstEndnotes.restartType, 2);
    EXPECT_EQ(firstEndnotes.docPlacement, 1);
    EXPECT_EQ(main->pages[1].endnote.docPlacement, 2) << "the last section's own position";
    EXPECT_EQ(main->pages[1].endnote.format, 8);
}

TEST_F(NotePropertiesTest, UnknownValuesGiveTheDefaultCodes) {
    const std::string settings =
        "<w:docPr><w:footnotePr><w:numFmt w:val=\"klingon\"/><w:numRestart w:val=\"\"/><w:pos w:val=\"nowhere\"/>"
        "<w:numStart/></w:footnotePr></w:docPr>";
    ASSERT_EQ(import(wordDocument(paragraph("x"), settings)), 0);
    const auto main = story();
    const XFootnote& notes = main->pages[0].footnote;
    EXPECT_EQ(notes.hasNotes, 1);
    EXPECT_EQ(notes.format, 1);
    EXPECT_EQ(notes.restartType, 1);
    EXPECT_EQ(notes.startAt, kDefaultFootnote.startAt);
    EXPECT_EQ(notes.pagePlacement, kDefaultFootnote.pagePlacement);
    EXPECT_EQ(notes.docPlacement, kDefaultFootnote.docPlacement);
}

}  // namespace
}  // namespace wordmltest
