// The styles part of a Word 2007 package: read like a Word 2003 style sheet, with the document defaults
// that Word 2007 writes, and applied to the body's paragraphs and runs.
#include <memory>

#include "engine/export/parameters/StyleTableReader.h"
#include "model/tables/CStyleArray.h"
#include "tests/import/wordml/WordMLImportSupport.h"
#include "tests/package/ZipBuilder.h"

namespace wordmltest {
namespace {

const std::string kNamespaces = " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";

class DocxStylesTest : public WordMLImportTest {
protected:
    // The paragraph record in force at the first unit of the text.
    static const XRule* ruleOf(const storytest::LoadedStory& story, const std::u16string& text) {
        const std::int32_t unit = static_cast<std::int32_t>(story.textString().find(text));
        const XRule* found = nullptr;
        for (std::int32_t i = 0; i + 1 < story.ruleCount; ++i)
            if (story.rules[i].position <= unit) found = &story.rules[i];
        return found;
    }
    std::int32_t storedStyleCount() {
        CStyleArray table;
        XParamBlock block{};
        block.styles = &table;
        CStream documentElement(storage->rootStream(), "Zevozav", 0);
        readStyleTable(documentElement, block);
        return table.getCount();
    }
};

const std::string kDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document" + kNamespaces + "><w:body>"
    "<w:p><w:r><w:t>Plain</w:t></w:r></w:p>"
    "<w:p><w:pPr><w:pStyle w:val=\"Title\"/></w:pPr><w:r><w:t>Titled</w:t></w:r></w:p>"
    "</w:body></w:document>";

TEST_F(DocxStylesTest, TheStylesPartFormatsTheBody) {
    const std::string styles =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:styles" + kNamespaces + ">"
        "<w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val=\"24\"/></w:rPr></w:rPrDefault>"
        "<w:pPrDefault><w:pPr><w:spacing w:after=\"160\"/></w:pPr></w:pPrDefault></w:docDefaults>"
        "<w:latentStyles w:count=\"376\"><w:lsdException w:name=\"Normal\" w:uiPriority=\"0\" w:qFormat=\"1\"/></w:latentStyles>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Title\"><w:name w:val=\"Title\"/><w:basedOn w:val=\"Normal\"/>"
        "<w:uiPriority w:val=\"10\"/><w:qFormat/><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:rPr><w:sz w:val=\"56\"/></w:rPr></w:style>"
        "</w:styles>";
    ASSERT_EQ(importPackage({{"word/document.xml", kDocument}, {"word/styles.xml", styles}}), 0);
    EXPECT_EQ(storedStyleCount(), 2) << "latent styles add nothing";
    const auto main = story();
    ASSERT_NE(main, nullptr);
    ASSERT_GE(main->formCount, 2);
    ASSERT_GE(main->ruleCount, 2);
    EXPECT_EQ(main->forms[0].txtSize, 120);
    EXPECT_EQ(main->rules[0].spaceAfter, 160);
    EXPECT_EQ(main->rules[0].justification, 0);
    const std::int32_t titled = static_cast<std::int32_t>(main->textString().find(u"Titled"));
    const XForm* titleForm = nullptr;
    for (std::int32_t i = 0; i + 1 < main->formCount; ++i)
        if (main->forms[i].position <= titled) titleForm = &main->forms[i];
    const XRule* titleRule = ruleOf(*main, u"Titled");
    ASSERT_NE(titleForm, nullptr);
    ASSERT_NE(titleRule, nullptr);
    EXPECT_EQ(titleForm->txtSize, 280);
    EXPECT_EQ(titleRule->styleTag, 2);
    EXPECT_EQ(titleRule->justification, 1);
    EXPECT_EQ(titleRule->spaceAfter, 160);
}

TEST_F(DocxStylesTest, APackageWithoutStylesConverts) {
    ASSERT_EQ(importPackage({{"word/document.xml", kDocument}}), 0);
    EXPECT_EQ(storedStyleCount(), 0);
    const auto main = story();
    ASSERT_NE(main, nullptr);
    const XRule* titleRule = ruleOf(*main, u"Titled");
    ASSERT_NE(titleRule, nullptr);
    EXPECT_EQ(titleRule->styleTag, -1) << "a style that names nothing";
}

}  // namespace
}  // namespace wordmltest
