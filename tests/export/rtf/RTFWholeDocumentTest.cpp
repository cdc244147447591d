// The whole scripted document against its golden file, written with the clock pinned: every head table,
// both sections, the side stories in their places and the nested table.
#include <gtest/gtest.h>

#include <string>

#include "tests/export/WriterTestSupport.h"
#include "tests/export/rtf/RTFWholeDocument.h"

namespace rtftest {
namespace {

class RTFWholeDocumentTest : public ::testing::Test {
protected:
    TemporaryFilesScope temporaryFiles;
    std::string write() { return writeFeatureDocument(wholeDocument(), temporaryFiles.folder().file("whole.rtf")); }
};

TEST_F(RTFWholeDocumentTest, MatchesItsGolden) {
    const std::string bytes = write();
    ASSERT_FALSE(bytes.empty());
    exporttest::expectGoldenBytes("rtf/whole-document.rtf", bytes);
}

TEST_F(RTFWholeDocumentTest, TheHeadDescribesWhatTheBodyRefersTo) {
    const std::string rtf = write();
    ASSERT_FALSE(rtf.empty());
    const std::size_t body = rtf.find("\\pard");
    const std::string head = rtf.substr(0, body);
    // The head groups in their order, each before the body.
    std::size_t last = 0;
    for (const char* group : {"{\\fonttbl", "{\\colortbl", "{\\*\\revtbl", "{\\stylesheet", "{\\*\\listtable",
                              "{\\*\\listoverridetable", "{\\info"}) {
        const std::size_t at = head.find(group);
        ASSERT_NE(at, std::string::npos) << group;
        EXPECT_GT(at, last) << group;
        last = at;
    }
    // Based-on styles, the table style and its conditional part, the character style.
    EXPECT_NE(head.find("{\\s2\\outlinelevel1\\widctlpar\\fs28\\b\\i\\sbasedon1\\snext0 heading 2;}"), std::string::npos) << head;
    EXPECT_NE(head.find("{\\*\\ts3\\widctlpar\\tsrowd\\trbrdrt"), std::string::npos) << head;
    EXPECT_NE(head.find("{\\*\\ts3\\b\\tscfirstrow Table Grid;}"), std::string::npos) << head;
    EXPECT_NE(head.find("{\\*\\cs4 \\additive \\b Strong;}"), std::string::npos) << head;
    // Three list numbers; the one that restarts the numbered list names a copy of it.
    EXPECT_NE(head.find("{\\listoverride\\listid1001\\listoverridecount0\\ls1}{\\listoverride\\listid1002"
                        "\\listoverridecount0\\ls2}{\\listoverride\\listid1003\\listoverridecount0\\ls3}"),
              std::string::npos)
        << head;
    EXPECT_NE(head.find("{\\listname Numbers;}\\listid1003}"), std::string::npos) << head;
    // The body: the restarted list number, the second section's page and columns.
    EXPECT_NE(rtf.find("\\ls3\\ilvl0", body), std::string::npos);
    EXPECT_NE(rtf.find("\\sect", body), std::string::npos);
    EXPECT_NE(rtf.find("\\cols2", body), std::string::npos);
    EXPECT_NE(rtf.find("\\pgwsxn16838\\pghsxn11906", body), std::string::npos);
}

}  // namespace
}  // namespace rtftest
