// Whole RTF documents against golden files in tests/data/export/rtf: one small document per feature,
// head tables included, written with the clock pinned.
#include <gtest/gtest.h>

#include <string>

#include "model/story/StoryKinds.h"
#include "tests/export/WriterTestSupport.h"
#include "tests/export/rtf/RTFFeatureDocuments.h"

namespace rtftest {
namespace {

TEST(RTFGoldenDocumentTest, EachFeatureDocumentMatchesItsGolden) {
    TemporaryFilesScope temporaryFiles;
    for (const FeatureDocument& document : featureDocuments()) {
        SCOPED_TRACE(document.name);
        const std::string bytes = writeFeatureDocument(document, temporaryFiles.folder().file(document.name + ".rtf"));
        ASSERT_FALSE(bytes.empty());
        exporttest::expectGoldenBytes("rtf/" + document.name + ".rtf", bytes);
    }
}

TEST(RTFGoldenDocumentTest, AListNumberIsWrittenOnceAtTheFirstRunOfItsParagraph) {
    TemporaryFilesScope temporaryFiles;
    for (const FeatureDocument& document : featureDocuments()) {
        if (document.name != "list") continue;
        const std::string rtf = writeFeatureDocument(document, temporaryFiles.folder().file("list.rtf"));
        // Two paragraphs of two runs each: two numbers, each before the paragraph's first run.
        std::size_t numbers = 0;
        for (std::size_t at = rtf.find("{\\listtext"); at != std::string::npos; at = rtf.find("{\\listtext", at + 1))
            ++numbers;
        EXPECT_EQ(numbers, 2u) << rtf;
        const std::size_t second = rtf.find("{\\listtext\\pard\\plain 2.\\tab}");
        ASSERT_NE(second, std::string::npos) << rtf;
        EXPECT_LT(rtf.find("First "), rtf.find("item"));
        EXPECT_LT(rtf.rfind("item", second), second) << "the second number follows the first paragraph";
    }
}

// Readers draw the line between the text and its footnotes only when the head names the separators:
// a document with a footnote names them among the document's properties, before its first section;
// one without footnotes (endnotes alone included) does not.
TEST(RTFGoldenDocumentTest, TheHeadNamesTheFootnoteSeparatorsOfADocumentWithFootnotes) {
    TemporaryFilesScope temporaryFiles;
    const std::string separators = "{\\*\\ftnsep\\chftnsep}{\\*\\ftnsepc\\chftnsepc}";
    for (const FeatureDocument& document : featureDocuments()) {
        if (document.name != "notes" && document.name != "characters") continue;
        SCOPED_TRACE(document.name);
        const std::string rtf = writeFeatureDocument(document, temporaryFiles.folder().file(document.name + ".rtf"));
        const std::size_t at = rtf.find(separators);
        if (document.name == "characters") {
            EXPECT_EQ(at, std::string::npos);
            continue;
        }
        ASSERT_NE(at, std::string::npos) << rtf;
        EXPECT_EQ(rtf.find(separators, at + 1), std::string::npos) << "named once";
        EXPECT_LT(at, rtf.find("\\sectd")) << rtf;
        // The same document with its endnote alone.
        FeatureDocument endnoteOnly = document;
        endnoteOnly.sideStories.erase(endnoteOnly.sideStories.begin());
        std::erase_if(endnoteOnly.mainStory.runs,
                      [](const rtftest::Run& run) { return run.text == std::u16string(1, storycode::kFootnoteReference); });
        const std::string withoutFootnote = writeFeatureDocument(endnoteOnly, temporaryFiles.folder().file("endnote.rtf"));
        ASSERT_NE(withoutFootnote.find("\\ftnalt"), std::string::npos) << withoutFootnote;
        EXPECT_EQ(withoutFootnote.find("ftnsep"), std::string::npos) << withoutFootnote;
    }
}

}  // namespace
}  // namespace rtftest
