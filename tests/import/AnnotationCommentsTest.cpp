// Word 2003 comments as they reach the storage: the annotation's run is the comment's mark in the text,
// its content the comment's story, which opens with the comment's author and date; the comment's text
// never runs into the text it comments, and its mark is no second annotation.
#include "tests/import/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class AnnotationCommentsTest : public WordMLImportTest {};

std::string comment(const std::string& author, const std::string& initials, const std::string& text) {
    return "<w:r><aml:annotation aml:id=\"0\" aml:author=\"" + author + "\" w:initials=\"" + initials +
           "\" aml:createdate=\"2024-03-05T10:20:00Z\" w:type=\"Word.Comment\"><aml:content><w:p>"
           "<w:r><w:annotationRef/></w:r><w:r><w:t>" + text + "</w:t></w:r></w:p></aml:content></aml:annotation></w:r>";
}

// The comment story's annotation information (its author and date); null for a story without one.
const XForm* information(const storytest::LoadedStory& remark) {
    for (std::int32_t i = 0; i < remark.formCount; ++i)
        if (remark.forms[i].txtData == 84) return &remark.forms[i];
    return nullptr;
}

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

    const struct {
        const char16_t* text;
        std::int16_t author;
    } comments[] = {{u"first remark", 1}, {u"second remark", 2}};
    for (std::int32_t index = 0; index < 2; ++index) {
        const auto remark = story(storykind::kComment, index);
        ASSERT_NE(remark, nullptr) << index;
        EXPECT_NE(remark->textString().find(comments[index].text), std::u16string::npos) << "the comment's own paragraph";
        const XForm* told = information(*remark);
        ASSERT_NE(told, nullptr) << index;
        EXPECT_EQ(told->revision.author, comments[index].author) << index;
        EXPECT_EQ(static_cast<std::uint32_t>(told->revision.date), CWordMLImporter::parseDateTime("2024-03-05T10:20"));
    }
    EXPECT_EQ(story(storykind::kComment, 2), nullptr);
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
    const struct {
        const char16_t* text;
        std::int16_t author;
    } comments[] = {{u"among runs", 1}, {u"in a run", 2}};
    for (std::int32_t index = 0; index < 2; ++index) {
        const auto remark = story(storykind::kComment, index);
        ASSERT_NE(remark, nullptr) << index;
        EXPECT_NE(remark->textString().find(comments[index].text), std::u16string::npos) << index;
        const XForm* told = information(*remark);
        ASSERT_NE(told, nullptr) << index;
        EXPECT_EQ(told->revision.author, comments[index].author) << index;
    }
}

}  // namespace
}  // namespace wordmltest
