// Documents as current word processors write them (AuthoredDocuments.h), converted by the program to
// RTF and read back by LibreOffice: it finds each link's address, the theme's typefaces and no theme
// alias, each comment's author, initials and date, and numbers no paragraph that its style or its own
// numbering takes out of the list.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/app/documents/AuthoredDocuments.h"
#include "tests/support/FileBytes.h"
#include "tests/support/OfficeOracle.h"

namespace {

using testsupport::OfficeOracle;
using testsupport::readBytes;

class AuthoredDocumentsOracleTest : public apptest::ProgramRunTest {};

TEST_F(AuthoredDocumentsOracleTest, LibreOfficeFindsTheLinksFontsCommentsAndLists) {
    if (!OfficeOracle::available()) GTEST_SKIP() << "soffice (libreoffice-writer-nogui) is not installed";
    ASSERT_TRUE(apptest::authored::writeLinks(temporary.file("links.docx")));
    ASSERT_TRUE(apptest::authored::writeFontsAndSwitches(temporary.file("fonts.docx")));
    ASSERT_TRUE(apptest::authored::writeCommentSymbolsAndNote(temporary.file("notes.docx")));
    ASSERT_TRUE(testsupport::writeBytes(temporary.file("older.xml"), apptest::authored::word2003Document()));
    testsupport::TemporaryFolder read;
    std::string problem;
    const std::vector<std::string> rtfFiles = convertToRtfInto({"links.docx", "fonts.docx", "notes.docx", "older.xml"},
                                                               {"links", "fonts", "notes", "older"}, read, problem);
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

    // Each comment is one annotation, with its author, initials and date.
    const struct {
        const char* stem;
        const char* author;
        const char* initials;
        const char* date;
    } comments[] = {{"notes", "Ann Author", "AA", "2021-03-04T05:06"}, {"older", "Bea Writer", "BW", "2022-01-02T03:04"}};
    for (const auto& comment : comments) {
        const std::string document = readBytes(read.file(std::string(comment.stem) + ".fodt"));
        const std::size_t start = document.find("<office:annotation");
        ASSERT_NE(start, std::string::npos) << comment.stem;
        EXPECT_EQ(document.find("<office:annotation", start + 1), std::string::npos) << comment.stem << ": one annotation";
        const std::string annotation = document.substr(start, document.find("</office:annotation>", start) - start);
        EXPECT_NE(annotation.find("<dc:creator>" + std::string(comment.author) + "</dc:creator>"), std::string::npos) << annotation;
        EXPECT_NE(annotation.find("<meta:creator-initials>" + std::string(comment.initials) + "</meta:creator-initials>"),
                  std::string::npos)
            << annotation;
        EXPECT_NE(annotation.find("<dc:date>" + std::string(comment.date)), std::string::npos) << annotation;
    }

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
