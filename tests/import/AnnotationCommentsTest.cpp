// Word 2003 comments as they reach the storage: the annotation's run is the comment's mark in the text,
// with the comment's author and date, and its content is the comment's story; the comment's text never
// runs into the text it comments.
#include "tests/import/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class AnnotationCommentsTest : public WordMLImportTest {};

std::string comment(const std::string& author, const std::string& text) {
    return "<w:r><aml:annotation aml:id=\"0\" aml:author=\"" + author +
           "\" aml:createdate=\"2024-03-05T10:20:00Z\" w:type=\"Word.Comment\"><aml:content><w:p>"
           "<w:r><w:annotationRef/></w:r><w:r><w:t>" + text + "</w:t></w:r></w:p></aml:content></aml:annotation></w:r>";
}

TEST_F(AnnotationCommentsTest, EachCommentIsAMarkAndAStory) {
    const std::string body = "<w:p><w:r><w:t>one</w:t></w:r>" + comment("Ann", "first remark") +
                             "<w:r><w:t> two</w:t></w:r>" + comment("Bob", "second remark") + "</w:p>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    const auto main = story();
    EXPECT_EQ(mainText(), u"one\x0E two\x0E\r");
    std::int32_t marks = 0;
    for (std::int32_t i = 0; i < main->formCount; ++i) {
        const XForm& form = main->forms[i];
        if (form.position != 3 && form.position != 8) continue;
        ++marks;
        EXPECT_EQ(form.revision.type, 5) << "at " << form.position;
        EXPECT_EQ(form.revision.author, form.position == 3 ? 1 : 2);
        EXPECT_EQ(static_cast<std::uint32_t>(form.revision.date), CWordMLImporter::parseDateTime("2024-03-05T10:20"));
    }
    EXPECT_EQ(marks, 2) << "each mark is a run of its own";

    const auto first = story(storykind::kComment, 0);
    const auto second = story(storykind::kComment, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->textString().find(u"first remark"), std::u16string::npos) << "the comment's own paragraph";
    EXPECT_NE(second->textString().find(u"second remark"), std::u16string::npos);
    EXPECT_EQ(story(storykind::kComment, 2), nullptr);
}

}  // namespace
}  // namespace wordmltest
