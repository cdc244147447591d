// Word 2003 tracked changes wrap whole runs in an aml:annotation: the runs of a note that lies inside the
// annotation carry its revision mark, as the annotation's own run does; runs outside any annotation
// carry none.
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class AnnotationRevisionsTest : public WordMLImportTest {};

std::string insertion(const std::string& runs) {
    return "<aml:annotation aml:id=\"1\" w:type=\"Word.Insertion\" aml:author=\"Ann\" "
           "aml:createdate=\"2024-03-05T10:20:00Z\"><aml:content>" + runs + "</aml:content></aml:annotation>";
}

TEST_F(AnnotationRevisionsTest, ANoteInsideAnInsertionIsInsertedText) {
    const std::string note =
        "<w:r><w:rPr><w:i/></w:rPr><w:footnote><w:p><w:r><w:rPr><w:b/></w:rPr><w:t>added</w:t></w:r></w:p>"
        "</w:footnote></w:r>";
    const std::string plainNote =
        "<w:r><w:rPr><w:i/></w:rPr><w:footnote><w:p><w:r><w:rPr><w:b/></w:rPr><w:t>kept</w:t></w:r></w:p>"
        "</w:footnote></w:r>";
    ASSERT_EQ(import(wordDocument("<w:p>" + insertion(note) + plainNote + "</w:p>")), 0);
    const auto inserted = story(storykind::kFootnote, 0);
    ASSERT_NE(inserted, nullptr);
    ASSERT_EQ(inserted->textString(), u"added");
    const XForm& form = inserted->forms[0];
    EXPECT_EQ(form.txtFace & 0x1, 0x1) << "the run's own properties are read as well";
    EXPECT_EQ(form.revision.type, 2);
    EXPECT_EQ(form.revision.author, 1);
    EXPECT_EQ(static_cast<std::uint32_t>(form.revision.date), CWordMLImporter::parseDateTime("2024-03-05T10:20"));

    const auto kept = story(storykind::kFootnote, 1);
    ASSERT_NE(kept, nullptr);
    ASSERT_EQ(kept->textString(), u"kept");
    EXPECT_EQ(kept->forms[0].revision.type, 0);
}

}  // namespace
}  // namespace wordmltest
