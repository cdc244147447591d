// Word 2003 documents converted by the program to RTF and read back by LibreOffice: the text it finds
// is the text the program writes as Unicode text.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "foundation/encoding/Utf8Codec.h"
#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/OfficeOracle.h"

namespace {

using apptest::RunResult;
using testsupport::readBytes;
using testsupport::writeBytes;

const std::string kImportFixtures = VDK_TEST_DATA_DIR "/../import/";
const char* const kFixtures[] = {"sample-page", "scripts", "tabs-breaks"};

// What both readings share whatever their conventions: lines without their ends and trailing blanks, no
// empty lines at the end, no optional or non-breaking hyphens (plain text leaves them out), and a
// symbol-font character (U+F020 to U+F0FF in RTF) as its code in the font.
std::u16string comparableText(const std::string& utf8) {
    std::u16string text = utf8ToUtf16String(utf8);
    if (!text.empty() && text[0] == u'\uFEFF') text.erase(0, 1);
    std::u16string lines;
    std::u16string line;
    for (char16_t c : text + u"\n") {
        if (c == u'\r' || c == u'\u00AD' || c == u'\u2011') continue;
        if (c >= 0xF020 && c <= 0xF0FF) c = static_cast<char16_t>(c - 0xF000);
        if (c != u'\n') {
            line += c;
            continue;
        }
        line.erase(line.find_last_not_of(u" \t") + 1);
        lines += line + u"\n";
        line.clear();
    }
    lines.erase(lines.find_last_not_of(u'\n') + 1);
    return lines;
}

using WordDocumentOracleTest = apptest::ProgramRunTest;

TEST_F(WordDocumentOracleTest, LibreOfficeReadsOurRtfAsOurText) {
    if (!testsupport::OfficeOracle::available()) GTEST_SKIP() << "soffice is not installed";
    std::vector<std::string> arguments;
    for (const char* fixture : kFixtures) {
        std::filesystem::copy_file(kImportFixtures + fixture + ".xml", temporary.file(std::string(fixture) + ".xml"));
        arguments.push_back(std::string(fixture) + ".xml");
    }
    convertDocumentsTo("Unicode");
    ASSERT_EQ(run(arguments).status, 0);
    std::filesystem::create_directories(temporary.file("text"));
    for (const char* fixture : kFixtures) {
        const std::string bytes = readBytes(temporary.file(std::string(fixture) + ".txt"));
        std::u16string units(bytes.size() / 2, u'\0');
        std::memcpy(units.data(), bytes.data(), units.size() * 2);
        ASSERT_TRUE(writeBytes(temporary.file("text/") + fixture + ".txt", utf16ToUtf8String(units)));
    }
    convertDocumentsTo("RTF");
    ASSERT_EQ(run(arguments).status, 0);

    std::vector<std::string> rtfFiles;
    for (const char* fixture : kFixtures) rtfFiles.push_back(temporary.file(std::string(fixture) + ".rtf"));
    std::filesystem::create_directories(temporary.file("office"));
    testsupport::OfficeOracle oracle;
    const testsupport::ProgramRun reading = oracle.convert(rtfFiles, "txt:Text (encoded):UTF8", temporary.file("office"));
    ASSERT_EQ(reading.exitStatus, 0) << reading.messages;
    for (const char* fixture : kFixtures) {
        const std::u16string office = comparableText(readBytes(temporary.file("office/") + fixture + ".txt"));
        const std::u16string ours = comparableText(readBytes(temporary.file("text/") + fixture + ".txt"));
        EXPECT_TRUE(office == ours) << fixture << ":\n" << utf16ToUtf8String(office) << "\n---\n" << utf16ToUtf8String(ours);
    }
}

}  // namespace
