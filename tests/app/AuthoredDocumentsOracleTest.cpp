// Documents as current word processors write them (AuthoredDocuments.h), converted by the program to
// RTF and read back by LibreOffice: it finds each link's address, the theme's typefaces and no theme
// alias, and numbers no paragraph that its style or its own numbering takes out of the list.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/AuthoredDocuments.h"
#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/OfficeOracle.h"

namespace {

using testsupport::OfficeOracle;
using testsupport::readBytes;

class AuthoredDocumentsOracleTest : public apptest::ProgramRunTest {};

TEST_F(AuthoredDocumentsOracleTest, LibreOfficeFindsTheLinksFontsAndLists) {
    if (!OfficeOracle::available()) GTEST_SKIP() << "soffice (libreoffice-writer-nogui) is not installed";
    ASSERT_TRUE(apptest::authored::writeLinks(temporary.file("links.docx")));
    ASSERT_TRUE(apptest::authored::writeFontsAndSwitches(temporary.file("fonts.docx")));
    testsupport::TemporaryFolder read;
    std::string problem;
    const std::vector<std::string> rtfFiles = convertToRtfInto({"links.docx", "fonts.docx"}, {"links", "fonts"}, read, problem);
    ASSERT_FALSE(rtfFiles.empty()) << problem;
    OfficeOracle oracle;
    ASSERT_EQ(oracle.convert(rtfFiles, "fodt", read.path()).exitStatus, 0);
    ASSERT_EQ(oracle.convert(rtfFiles, "txt:Text (encoded):UTF8", read.path()).exitStatus, 0);

    const std::string links = readBytes(read.file("links.fodt"));
    for (const char* address : {"http://example.com/body", "http://example.com/header", "http://example.com/note?a=1&amp;b=2"})
        EXPECT_NE(links.find("xlink:href=\"" + std::string(address) + "\""), std::string::npos) << address;
    EXPECT_NE(links.find("xlink:href=\"#Here\""), std::string::npos) << "the internal link keeps its bookmark";

    const std::string fonts = readBytes(read.file("fonts.fodt"));
    for (const char* typeface : {"Cambria", "Calibri"})
        EXPECT_NE(fonts.find("style:font-name=\"" + std::string(typeface) + "\""), std::string::npos) << typeface;
    for (const char* alias : {"minorHAnsi", "majorHAnsi", "minorBidi", "minorEastAsia"})
        EXPECT_EQ(fonts.find(alias), std::string::npos) << alias;

    // LibreOffice's text writes a list number before a numbered paragraph.
    const std::string text = readBytes(read.file("fonts.txt"));
    EXPECT_NE(text.find("1. Numbered"), std::string::npos) << text;
    for (const char* unnumbered : {"Own zero", "Style zero"}) {
        const std::size_t at = text.find(unnumbered);
        ASSERT_NE(at, std::string::npos) << unnumbered;
        const std::size_t lineStart = text.rfind('\n', at);
        const std::string line = text.substr(lineStart == std::string::npos ? 0 : lineStart + 1, at - lineStart);
        EXPECT_EQ(line.find('.'), std::string::npos) << unnumbered << " is numbered: " << line;
    }
}

}  // namespace
