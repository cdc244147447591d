// Word 2003 comments as they reach the storage: the annotation's run is the comment's mark in the text,
// its content the comment's story, which opens with the comment's author and date; the comment's text
// never runs into the text it comments, and its mark is no second annotation.
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

std::string comment(const std::string& author, const std::string& initials, const std::string& text) {
    return "<w:r><aml:annotation aml:id=\"0\" aml:author=\"" + author + "\" w:initials=\"" + initials +
           "\" aml:createdate=\"2024-03-05T10:20:00Z\" w:type=\"Word.Comment\"><aml:content><w:p>"
           "<w:r><w:annotationRef/></w:r><w:r><w:t>" + text + "</w:t></w:r></w:p></aml:content></aml:annotation></w:r>";
}

// A comment story expected in the document's order: a text of its paragraph and its author's index.
struct ExpectedComment {
    const char16_t* text;
    std::int16_t author;
};

class AnnotationCommentsTest : public WordMLImportTest {
protected:
    // Each comment story in order holds its text and opens with its author (and the date every
    // fixture comment has, when dated); no story is left over.
    void expectStories(std::initializer_list<ExpectedComment> expected, bool dated) {
        std::int32_t index = 0;
        for (const ExpectedComment& comment : expected) {
            const auto remark = story(storykind::kComment, index);
            ASSERT_NE(remark, nullptr) << index;
            EXPECT_NE(remark->textString().find(comment.text), std::u16string::npos) << index;
            const XForm* told = nullptr;
            for (std::int32_t i = 0; i < remark->formCount && told == nullptr; ++i)
                if (remark->forms[i].txtData == 84) told = &remark->forms[i];
            ASSERT_NE(told, nullptr) << index << ": no annotation information";
            EXPECT_EQ(told->revision.author, comment.author) << index;
            if (dated) {
                EXPECT_EQ(static_cast<std::uint32_t>(told->revision.date), CWordMLImporter::parseDateTime("2024-03-05T10:20"));
            }
            ++index;
        }
        EXPECT_EQ(story(storykind::kComment, index), nullptr);
    }
};

TEST_F(AnnotationCommentsTest, EachCommentIsAMarkAndAStoryThatNamesItsAuthor) {
    const std::string body = "<w:p><w:r><w:t>one</w:t></w:r>" + comment("Ann", "AL", "first remark") +
                             "<w:r><w:t> two</w:t></w:r>" + comment("Bob", "BB", "second remark") + "</w:p>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    const auto main = story();
    EXPECT_EQ(mainText(), u"one\x0E two\x0E\r");
    std::int32_t marks = 0;
    for (std::int32_t i = 0; i < main->formCount; ++i) {
        const XForm& form = main->forms[i];
        if (form.position != 3 && form.position != 8) continue;
        ++marks;
        // A mark that were an annotation of its own would open a second one around the comment's.
        EXPECT_EQ(form.revision.type, 0) << "at " << form.position;
    }
    EXPECT_EQ(marks, 2) << "each mark is a run of its own";

    expectStories({{u"first remark", 1}, {u"second remark", 2}}, true);
}

// A comment annotation straight among the runs, as some writers put it, is a mark as well: otherwise
// its story would be paired with the next comment's mark, and that comment's story with none.
TEST_F(AnnotationCommentsTest, ACommentAmongTheRunsIsAMarkToo) {
    const std::string body = "<w:p><w:r><w:t>one</w:t></w:r>"
                             "<aml:annotation aml:author=\"Cy\" w:type=\"Word.Comment\"><aml:content><w:p><w:r>"
                             "<w:t>among runs</w:t></w:r></w:p></aml:content></aml:annotation>"
                             "<w:r><w:t> two</w:t></w:r>" + comment("Di", "DD", "in a run") + "</w:p>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    EXPECT_EQ(mainText(), u"one\x0E two\x0E\r");
    expectStories({{u"among runs", 1}, {u"in a run", 2}}, false);
}

}  // namespace
}  // namespace wordmltest
