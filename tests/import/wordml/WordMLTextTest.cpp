// The text of Word 2003 documents as the import engine stores it: paragraphs, run content, long and
// malformed text, and the walk's special items.
#include <algorithm>

#include "foundation/encoding/Utf8Codec.h"
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class WordMLTextTest : public WordMLImportTest {};

std::string paragraph(const std::string& runs) {
    return "<w:p>" + runs + "</w:p>";
}
std::string run(const std::string& content) {
    return "<w:r>" + content + "</w:r>";
}

TEST_F(WordMLTextTest, ParagraphsAndRunsBecomeTextWithParagraphEnds) {
    const std::string body = "\n  " + paragraph("\n    " + run("<w:t>Hello</w:t>") + "\n    " + run("<w:t xml:space=\"preserve\"> world</w:t>")) +
                             "\n  " + paragraph("") + "\n  " + paragraph(run("<w:t>  </w:t>")) + "\n";
    ASSERT_EQ(import(wordDocument(body)), 0);
    EXPECT_EQ(mainText(), u"Hello world\r\r  \r");
}

struct RunCase {
    const char* title;
    const char* content;
    std::u16string expected;  // the paragraph's text, its paragraph end included
};

TEST_F(WordMLTextTest, RunContentGivesItsControlCodes) {
    const RunCase cases[] = {
        {"tab before the run's text", "<w:t>a</w:t><w:tab/><w:t>b</w:t>", u"\tab\r"},
        {"line break without a type", "<w:br/>", u"\x05\r"},
        {"page break", "<w:br w:type=\"page\"/>", u"\x07\r"},
        {"column break", "<w:br w:type=\"column\"/>", u"\x06\r"},
        {"text wrapping, Word 2003 spelling", "<w:br w:type=\"text-wrapping\"/>", u"\x05\r"},
        {"text wrapping, Word 2007 spelling", "<w:br w:type=\"textWrapping\"/>", u"\x05\r"},
        {"unknown break type", "<w:br w:type=\"sideways\"/><w:t>x</w:t>", u"x\r"},
        {"two breaks give one code", "<w:br/><w:br/>", u"\x05\r"},
        {"soft hyphen", "<w:softHyphen/>", u"\x12\r"},
        {"non-breaking hyphen", "<w:noBreakHyphen/>", u"\x13\r"},
        {"symbol in upper-case hex", "<w:sym w:font=\"Wingdings\" w:char=\"F04A\"/>", u"J\r"},
        {"symbol in lower-case hex", "<w:sym w:font=\"Wingdings\" w:char=\"f04a\"/>", u"J\r"},
        {"symbol below 0x20 is no anchor", "<w:sym w:font=\"Wingdings\" w:char=\"F00A\"/>", u"\r"},
        {"symbol stops the run's text", "<w:sym w:char=\"F041\"/><w:t>gone</w:t>", u"A\r"},
        {"field start", "<w:fldChar w:fldCharType=\"begin\"/>", u"\x14\r"},
        {"field instruction", "<w:instrText> PAGE </w:instrText>", u" PAGE \r"},
        {"deleted instruction", "<w:delInstrText>PAGE</w:delInstrText>", u"\r"},
        {"field separator and end", "<w:fldChar w:fldCharType=\"separate\"/>", u"\x15\r"},
        {"inline footnote is a reference", "<w:footnote><w:p><w:r><w:t>note</w:t></w:r></w:p></w:footnote>", u"\x17\r"},
        {"control characters in text", "<w:t>a&#9;b</w:t>", u"a b\r"},
    };
    for (const RunCase& item : cases) {
        SCOPED_TRACE(item.title);
        ASSERT_EQ(import(wordDocument(paragraph(run(item.content)))), 0);
        EXPECT_EQ(mainText(), item.expected);
    }
}

TEST_F(WordMLTextTest, TextAcrossScriptsArrivesWhole) {
    ASSERT_EQ(import(wordDocument(paragraph(run("<w:t>Ωμέγα Привет שלום 日本語 😀</w:t>")))), 0);
    EXPECT_EQ(mainText(), u"Ωμέγα Привет שלום 日本語 😀\r");
}

TEST_F(WordMLTextTest, ARunLongerThanOneAnswerArrivesWhole) {
    std::string letters;
    for (int i = 0; i < 100000; ++i) letters += static_cast<char>('a' + i % 26);
    // A four-byte character lands on the first piece's edge, so its surrogate pair must not be split.
    const std::string text = std::string(kDeliveryUnits - 1, 'x') + "😀" + letters;
    ASSERT_EQ(import(wordDocument(paragraph(run("<w:t>" + text + "</w:t>")))), 0);
    const std::u16string stored = mainText();
    ASSERT_EQ(stored.size(), kDeliveryUnits - 1 + 2 + 100000 + 1);
    EXPECT_EQ(stored.substr(kDeliveryUnits - 1, 2), u"😀");
    EXPECT_EQ(stored.substr(stored.size() - 4), u"bcd\r");
}

TEST_F(WordMLTextTest, BytesThatAreNotUtf8FailTheFileOrAreReadInTheDeclaredEncoding) {
    ASSERT_EQ(import(wordDocument(paragraph(run("<w:t>ab\xC3</w:t>")))), result::kNullObject)
        << "the parser refuses bytes that are not UTF-8 in a UTF-8 document";
    // Declared as Latin-1, the same byte is a letter, and the text after it is kept.
    std::string latin = wordDocument(paragraph(run("<w:t>ab\xC3z</w:t>")));
    latin.replace(latin.find("UTF-8"), 5, "ISO-8859-1");
    ASSERT_EQ(import(latin), 0);
    EXPECT_EQ(mainText(), u"ab\u00C3z\r");
}

TEST_F(WordMLTextTest, WrappedRunsAndHeadersInTheBody) {
    const std::string body =
        paragraph("<w:hlink><w:r><w:t>link</w:t></w:r></w:hlink><w:fldSimple w:instr=\"PAGE\"><w:r><w:t>7</w:t></w:r></w:fldSimple>"
                  "<aml:annotation w:type=\"Word.Insertion\"><aml:content><w:r><w:t>new</w:t></w:r></aml:content></aml:annotation>") +
        "<w:sectPr><w:hdr w:type=\"odd\"><w:p><w:r><w:t>header text</w:t></w:r></w:p></w:hdr></w:sectPr>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    EXPECT_EQ(mainText(), u"HYPERLINK {linkPAGE{7new\r") << "the header's paragraphs belong to the header story";
    const auto header = story(storykind::kHeader, 0);
    EXPECT_EQ(header->textString(), u"header text\r");
    EXPECT_EQ(header->storyType, 1);
    EXPECT_NE(header->storyMark, 0);
}

}  // namespace
}  // namespace wordmltest

namespace wordmltest {
namespace {

// Each fixture's main story against its golden text (UTF-8, a line per paragraph).
TEST_F(WordMLTextTest, FixturesGiveTheirGoldenText) {
    for (const char* name : {"sample-page", "scripts", "tabs-breaks"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(import(fixture(std::string(name) + ".xml")), 0);
        std::u16string expected = utf8ToUtf16String(fixture(std::string(name) + ".story.txt"));
        std::replace(expected.begin(), expected.end(), u'\n', u'\r');
        EXPECT_EQ(mainText(), expected);
    }
}

}  // namespace
}  // namespace wordmltest
