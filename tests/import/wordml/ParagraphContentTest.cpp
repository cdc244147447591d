// What surrounds a run in a Word 2003 paragraph, as it reaches the storage: simple fields and hyperlinks
// as field runs, bookmarks and comment ranges as runs of their own, revision marks, section breaks.
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class ParagraphContentTest : public WordMLImportTest {
protected:
    // The character record of the run that holds the text unit at the position.
    const XForm& formAt(const storytest::LoadedStory& loaded, std::int32_t position) {
        std::int32_t found = 0;
        for (std::int32_t i = 0; i < loaded.formCount; ++i) {
            if (loaded.forms[i].position <= position) found = i;
        }
        return loaded.forms[found];
    }
};

std::string run(const std::string& text) {
    return "<w:r><w:t>" + text + "</w:t></w:r>";
}
std::string paragraph(const std::string& content) {
    return "<w:p>" + content + "</w:p>";
}

struct FieldCase {
    const char* title;
    std::string content;
    std::u16string text;        // the main story, paragraph end included
    std::int32_t firstTxtData;  // of the first run
    std::int16_t firstFieldType;
};

TEST_F(ParagraphContentTest, FieldsAndHyperlinksOpenWithTheirFirstRun) {
    const FieldCase cases[] = {
        {"a simple field delivers its whole result with its first run",
         "<w:fldSimple w:instr=\"PAGE\">" + run("1") + run("2") + "</w:fldSimple>", u"PAGE{12\r", 20, 1},
        {"a simple field without an instruction is its result alone",
         "<w:fldSimple>" + run("1") + run("2") + "</w:fldSimple>", u"12\r", 0, 0},
        {"two simple fields side by side each have their instruction",
         "<w:fldSimple w:instr=\"PAGE\">" + run("1") + "</w:fldSimple><w:fldSimple w:instr=\"DATE\">" + run("d") +
             "</w:fldSimple>",
         u"PAGE{1DATE{d\r", 20, 1},
        {"a hyperlink's later runs are plain text",
         "<w:hlink w:bookmark=\"top\">" + run("a") + run("b") + "</w:hlink>", u"HYPERLINK \\l \"top\"{ab\r", 20, 0},
        {"a target and an anchor",
         "<w:hlink w:dest=\"http://x.org/\" w:bookmark=\"s\">" + run("x") + "</w:hlink>",
         u"HYPERLINK \"http://x.org/\"\\l \"s\"{x\r", 20, 0},
        {"adjacent hyperlinks each keep their own link",
         "<w:hlink w:dest=\"a\">" + run("1") + "</w:hlink><w:hlink w:dest=\"b\">" + run("2") + "</w:hlink>",
         u"HYPERLINK \"a\"{1HYPERLINK \"b\"{2\r", 20, 0},
        {"instructions and targets are decoded as UTF-8",
         "<w:fldSimple w:instr=\"REF Gr\xC3\xBC\xC3\x9F\">" + run("r") + "</w:fldSimple><w:hlink w:dest=\"\xE2\x82\xAC\">" +
             run("e") + "</w:hlink>",
         u"REF Gr\u00FC\u00DF{rHYPERLINK \"\u20AC\"{e\r", 20, 1},
    };
    for (const FieldCase& test : cases) {
        SCOPED_TRACE(test.title);
        ASSERT_EQ(import(wordDocument(paragraph(test.content))), 0);
        const auto main = story();
        EXPECT_EQ(mainText(), test.text);
        EXPECT_EQ(main->forms[0].txtData, test.firstTxtData);
        EXPECT_EQ(main->forms[0].fieldType, test.firstFieldType);
    }
}

TEST_F(ParagraphContentTest, AHyperlinkDoesNotReachIntoTheNextParagraph) {
    ASSERT_EQ(import(wordDocument(paragraph("<w:hlink w:dest=\"a\">" + run("1") + "</w:hlink>") +
                                  paragraph(run("plain")))),
              0);
    EXPECT_EQ(mainText(), u"HYPERLINK \"a\"{1\rplain\r");
    EXPECT_EQ(formAt(*story(), 17).txtData, 0);
}

TEST_F(ParagraphContentTest, BookmarksAndCommentRangesAreRunsOfTheirOwn) {
    const std::string content =
        "<w:bookmarkStart w:name=\"caf\xC3\xA9\"/>" + run("x") + "<w:bookmarkEnd/>"
        "<aml:annotation w:type=\"Word.Bookmark.Start\" w:name=\"b2\"/><aml:annotation w:type=\"Word.Bookmark.End\"/>"
        "<w:hlink w:dest=\"u\"><w:bookmarkStart w:name=\"inside\"/>" + run("l") + "</w:hlink>"
        "<w:commentRangeStart w:id=\"3\"/>" + run("c") + "<w:commentRangeEnd/>";
    ASSERT_EQ(import(wordDocument(paragraph(content))), 0);
    const auto main = story();
    EXPECT_EQ(mainText(), u"caf\u00E9x\x1D" u"b2\x1D" u"HYPERLINK \"u\"{l\x19" u"c\x19\r")
        << "a bookmark inside a hyperlink gives nothing";
    struct Expected {
        std::int32_t position;
        std::int32_t txtData;
    };
    for (const Expected& expected : {Expected{0, 28}, Expected{5, 29}, Expected{6, 28}, Expected{8, 29},
                                     Expected{24, 30}, Expected{26, 31}}) {
        SCOPED_TRACE(expected.position);
        EXPECT_EQ(formAt(*main, expected.position).txtData, expected.txtData);
    }
    EXPECT_EQ(formAt(*main, 24).revision.id, 3);
    EXPECT_EQ(formAt(*main, 26).revision.id, -333) << "a range without an id";
}

TEST_F(ParagraphContentTest, RevisionsCarryTheirTypeAuthorAndDate) {
    const std::string content =
        "<aml:annotation w:type=\"Word.Insertion\" aml:author=\"Ann\" aml:createdate=\"2024-03-05T10:20:00Z\">"
        "<aml:content>" + run("new") + "</aml:content></aml:annotation>" +
        "<aml:annotation w:type=\"Word.Deletion\" aml:author=\"Bob\"><aml:content><w:r><w:delText>old</w:delText></w:r>"
        "</aml:content></aml:annotation>" + run("same");
    ASSERT_EQ(import(wordDocument(paragraph(content))), 0);
    const auto main = story();
    EXPECT_EQ(mainText(), u"newoldsame\r");
    const XForm& inserted = formAt(*main, 0);
    EXPECT_EQ(inserted.revision.type, 2);
    EXPECT_EQ(inserted.revision.author, 1);
    EXPECT_EQ(static_cast<std::uint32_t>(inserted.revision.date), CWordMLImporter::parseDateTime("2024-03-05T10:20"));
    const XForm& deleted = formAt(*main, 3);
    EXPECT_EQ(deleted.revision.type, 1);
    EXPECT_EQ(deleted.revision.author, 2);
    EXPECT_EQ(deleted.revision.date, 0);
    EXPECT_EQ(formAt(*main, 6).revision.type, 0);
}

struct SectionCase {
    const char* title;
    std::string type;             // the w:type element of the second section, or none
    std::u16string text;
    std::int32_t breakKind;       // txtData of the unit 8; unused without a break
};

TEST_F(ParagraphContentTest, ANewSectionBreaksWithItsStartType) {
    const SectionCase cases[] = {
        {"odd page, Word 2007 spelling", "<w:type w:val=\"oddPage\"/>", u"one\r\btwo\r", 5},
        {"even page", "<w:type w:val=\"even-page\"/>", u"one\r\btwo\r", 6},
        {"next column", "<w:type w:val=\"next-column\"/>", u"one\r\btwo\r", 3},
        {"next page", "<w:type w:val=\"next-page\"/>", u"one\r\btwo\r", 2},
        {"continuous", "<w:type w:val=\"continuous\"/>", u"one\r\btwo\r", 4},
        {"an unknown type", "<w:type w:val=\"sideways\"/>", u"one\r\btwo\r", 1},
        {"no type", "", u"one\r\btwo\r", 1},
        {"a type without a value makes no break", "<w:type/>", u"one\rtwo\r", 0},
    };
    for (const SectionCase& test : cases) {
        SCOPED_TRACE(test.title);
        const std::string body = "<w:p><w:pPr><w:sectPr/></w:pPr>" + run("one") + "</w:p>" + paragraph(run("two")) +
                                 "<w:sectPr>" + test.type + "</w:sectPr>";
        ASSERT_EQ(import(wordDocument(body)), 0);
        EXPECT_EQ(mainText(), test.text);
        if (test.breakKind != 0) {
            EXPECT_EQ(formAt(*story(), 4).txtData, test.breakKind);
        }
    }
}

}  // namespace
}  // namespace wordmltest
