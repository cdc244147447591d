// Markup-compatibility blocks: the importer reads the fallback and never a choice, also when the
// choice comes after the fallback or blocks nest.
#include <gtest/gtest.h>

#include <string>

#include "model/story/StoryKinds.h"
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

std::string paragraphWith(const std::string& content) {
    return "<w:p xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\"><w:r><w:t>a</w:t></w:r>" + content +
           "<w:r><w:t>z</w:t></w:r></w:p>";
}

class AlternateContentTest : public WordMLImportTest {};

TEST_F(AlternateContentTest, OnlyTheFallbackBranchIsRead) {
    const struct {
        const char* title;
        const char* content;
        const char16_t* expected;
    } cases[] = {
        {"choice first", "<mc:AlternateContent><mc:Choice Requires=\"wps\"><w:r><w:t>C</w:t></w:r></mc:Choice>"
                         "<mc:Fallback><w:r><w:t>F</w:t></w:r></mc:Fallback></mc:AlternateContent>", u"aFz"},
        {"fallback first, two choices", "<mc:AlternateContent><mc:Fallback><w:r><w:t>F</w:t></w:r></mc:Fallback>"
                                        "<mc:Choice Requires=\"x\"><w:r><w:t>C</w:t></w:r></mc:Choice>"
                                        "<mc:Choice Requires=\"y\"><w:r><w:t>D</w:t></w:r></mc:Choice></mc:AlternateContent>", u"aFz"},
        {"nested blocks", "<mc:AlternateContent><mc:Choice Requires=\"x\"><w:r><w:t>C</w:t></w:r></mc:Choice><mc:Fallback>"
                          "<mc:AlternateContent><mc:Choice Requires=\"y\"><w:r><w:t>D</w:t></w:r></mc:Choice>"
                          "<mc:Fallback><w:r><w:t>F</w:t></w:r></mc:Fallback></mc:AlternateContent>"
                          "</mc:Fallback></mc:AlternateContent>", u"aFz"},
        {"no fallback reads nothing", "<mc:AlternateContent><mc:Choice Requires=\"x\"><w:r><w:t>C</w:t></w:r></mc:Choice>"
                                      "</mc:AlternateContent>", u"az"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(import(wordDocument(paragraphWith(c.content))), 0) << c.title;
        EXPECT_EQ(mainText(), std::u16string(c.expected) + u"\r") << c.title;
    }
}

}  // namespace
}  // namespace wordmltest
