// Whole RTF documents against golden files in tests/data/export/rtf: one small document per feature,
// head tables included, written with the clock pinned.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace rtftest
