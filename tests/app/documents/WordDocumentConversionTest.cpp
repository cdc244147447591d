// Word 2003 documents through the program: each fixture to text (compared byte for byte with its golden
// file) and to RTF; a protected document refused alone while the rest of its batch converts; documents
// that are not well-formed failing cleanly.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/app/ProgramRunSupport.h"
#include "tests/package/CompoundFileBuilder.h"
#include "tests/support/FileBytes.h"

namespace {

using apptest::RunResult;
using testsupport::readBytes;
using testsupport::writeBytes;

const std::string kImportFixtures = VDK_TEST_DATA_DIR "/../import/";
const std::string kGoldenFolder = VDK_TEST_DATA_DIR "/";

class WordDocumentConversionTest : public apptest::ProgramRunTest {
protected:
    void copyFixture(const std::string& name) {
        std::filesystem::copy_file(kImportFixtures + name, temporary.file(name),
                                   std::filesystem::copy_options::overwrite_existing);
    }
};

const char* const kFixtures[] = {"sample-page", "scripts", "tabs-breaks"};

// Plain text holds each run in the code page of its language (these runs name none, so the default
// language's); the Unicode text keeps every script, beyond the basic plane too.
TEST_F(WordDocumentConversionTest, FixturesConvertToTheirGoldenText) {
    const struct {
        const char* fixture;
        const char* exporter;
    } cases[] = {
        {"sample-page", "Text"}, {"tabs-breaks", "Text"}, {"scripts", "Text"}, {"scripts", "Unicode"},
    };
    for (const auto& item : cases) {
        convertDocumentsTo(item.exporter);
        copyFixture(std::string(item.fixture) + ".xml");
        std::filesystem::remove(temporary.file(std::string(item.fixture) + ".txt"));
        const RunResult result = run({std::string(item.fixture) + ".xml"});
        ASSERT_EQ(result.status, 0) << item.fixture << ": " << result.errors;
        const std::string text = readBytes(temporary.file(std::string(item.fixture) + ".txt"));
        const std::string golden = kGoldenFolder + item.fixture + "-" + item.exporter + ".txt";
        if (std::getenv("VDK_UPDATE_GOLDEN") != nullptr) {
            ASSERT_TRUE(writeBytes(golden, text));
            ADD_FAILURE() << "rewrote " << golden;
        }
        EXPECT_EQ(text, readBytes(golden)) << item.fixture << " as " << item.exporter;
    }
}

TEST_F(WordDocumentConversionTest, FixturesConvertToRtfByDefault) {
    for (const char* fixture : kFixtures) copyFixture(std::string(fixture) + ".xml");
    const RunResult result = run({"sample-page.xml", "scripts.xml", "tabs-breaks.xml"});
    ASSERT_EQ(result.status, 0) << result.errors;
    for (const char* fixture : kFixtures) {
        const std::string rtf = readBytes(temporary.file(std::string(fixture) + ".rtf"));
        EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << fixture;
        EXPECT_EQ(rtf.substr(rtf.find_last_not_of("\r\n"), 1), "}") << fixture << ": the group is closed";
    }
}

std::string protectedDocument() {
    testsupport::CompoundFileBuilder builder;
    const std::int32_t info = builder.addStream(u"EncryptionInfo", std::string(64, 'i'));
    const std::int32_t package = builder.addStream(u"EncryptedPackage", std::string(5000, 'e'));
    builder.setChildren(0, {info, package});
    builder.layOut();
    return builder.bytes();
}

TEST_F(WordDocumentConversionTest, AProtectedDocumentIsRefusedAloneAndTheBatchGoesOn) {
    ASSERT_TRUE(writeBytes(temporary.file("Secret.docx"), protectedDocument()));
    const RunResult alone = run({"Secret.docx"});
    EXPECT_EQ(alone.status, 1);
    EXPECT_NE(alone.errors.find("protected by a password"), std::string::npos) << alone.errors;
    EXPECT_EQ(alone.errors.find("Could not convert"), std::string::npos) << "no second message: " << alone.errors;

    copyFixture("tabs-breaks.xml");
    const RunResult batch = run({"Secret.docx", "tabs-breaks.xml"});
    EXPECT_EQ(batch.status, 1);
    EXPECT_TRUE(std::filesystem::exists(temporary.file("tabs-breaks.rtf"))) << batch.errors;
    EXPECT_FALSE(std::filesystem::exists(temporary.file("Secret.rtf")));
}

TEST_F(WordDocumentConversionTest, DocumentsThatAreNotWellFormedFailCleanly) {
    const std::string start = "<?xml version=\"1.0\"?>\n"
                              "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\">";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"mismatched.xml", start + "<w:body><w:p><w:r><w:t>text</w:r></w:p></w:body></w:wordDocument>"},
        {"truncated.xml", start + "<w:body><w:p><w:r><w:t>text that stops"},
        {"entities.xml", "<?xml version=\"1.0\"?>\n<!DOCTYPE w:wordDocument [<!ENTITY a \"aaaaaaaaaa\">"
                         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                         "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>"
                         "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\"><w:body>"
                         "<w:p><w:r><w:t>&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;</w:t></w:r></w:p></w:body></w:wordDocument>"},
    };
    for (const auto& item : cases) {
        ASSERT_TRUE(writeBytes(temporary.file(item.name), item.bytes));
        const RunResult result = run({item.name});
        EXPECT_EQ(result.status, 1) << item.name << ": " << result.errors;
        const std::string output = temporary.file(std::string(item.name).substr(0, std::strlen(item.name) - 4) + ".rtf");
        EXPECT_FALSE(std::filesystem::exists(output)) << item.name;
    }
}

}  // namespace
