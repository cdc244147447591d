// Which files the Word 2003 importer and the protected-document detector take, and how documents that
// go wrong fail: alone, with a code, never through the XML library.
#include "tests/import/wordml/WordMLImportSupport.h"
#include "tests/package/CompoundFileBuilder.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/language/UIStrings.h"
#include "model/params/XParamBlock.h"

namespace wordmltest {
namespace {

class WordMLDetectionTest : public WordMLImportTest {};

const std::string kBody = "<w:p><w:r><w:t>text</w:t></w:r></w:p>";

TEST_F(WordMLDetectionTest, FilesThatAreNotWord2003DocumentsFindNoImporter) {
    const std::string document = wordDocument(kBody);
    const struct {
        const char* title;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"three bytes of the declaration", "<?x"},
        {"a byte-order mark first", "\xEF\xBB\xBF" + document},
        {"a Word 2007 main part", "<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                                  "wordprocessingml/2006/main\"><w:body/></w:document>"},
        {"the Word 2003 name in a known other namespace",
         "<?xml version=\"1.0\"?><w:wordDocument xmlns:w=\"urn:schemas-microsoft-com:vml\"/>"},
        {"not XML after the declaration's start", "<?xml \x01\x02\x03"},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.title);
        EXPECT_EQ(import(item.bytes), result::kErrUnknownFormat);
    }
}

TEST_F(WordMLDetectionTest, ADocumentThatGoesWrongFailsWithBadData) {
    const std::string document = wordDocument(kBody);
    std::string bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE w:wordDocument [<!ENTITY a \"aaaaaaaaaa\">";
    for (char level = 'b'; level <= 'j'; ++level) {
        bomb += std::string("<!ENTITY ") + level + " \"";
        for (int i = 0; i < 10; ++i) bomb += std::string("&") + static_cast<char>(level - 1) + ";";
        bomb += "\">";
    }
    bomb += "]>\n" + wordDocument("<w:p><w:r><w:t>&j;</w:t></w:r></w:p>").substr(document.find('\n') + 1);
    const struct {
        const char* title;
        std::string bytes;
    } cases[] = {
        {"not well-formed", wordDocument("<w:p><w:r><w:t>text</w:r></w:p>")},
        {"cut short", document.substr(0, document.size() / 2)},
        {"an entity bomb", bomb},
        {"no body", "<?xml version=\"1.0\"?><w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\"/>"},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.title);
        EXPECT_EQ(import(item.bytes), result::kNullObject);
        ASSERT_NE(lastFailure, nullptr);
        EXPECT_STRNE(lastFailure->fileName, "BEngineImp") << "the failure tells what went wrong";
    }
    EXPECT_EQ(import(document), 0) << "the importer goes on with the next file";
    EXPECT_EQ(import(wordDocument("<w:p></w:body>")), result::kNullObject);
    EXPECT_STREQ(lastFailure->fileName, "line 7; Opening and ending tag mismatch; p line 7 and body")
        << "the parser's message, for the report log's line";
    EXPECT_TRUE(asker.shown.empty()) << "a failed document shows no message of its own";
}

TEST_F(WordMLDetectionTest, TheParsersMessageIsLeftAsTheReason) {
    enginetest::writeBytes(folder.file("Bad.xml"), wordDocument("<w:p></w:body>"));
    CWinWord2003Importer importer(&importerDescriptors[importer::kWord2003]);
    XParamBlock block{};
    initXParamBlock(nullptr, &block);
    block.fileSpec = enginetest::specOf(enginetest::itemIn(folder, "Bad.xml"));
    block.selector = ::request::kSelDocument;
    EXPECT_EQ(importer.dispatch(&block), result::kNullObject);
    ASSERT_NE(block.reasonText, nullptr);
    const std::u16string reason(block.reasonText);
    EXPECT_NE(reason.find(u"line 7: Opening and ending tag mismatch"), std::u16string::npos) << std::string(reason.begin(), reason.end());
    disposeXParamBlock(&block);
}

std::string compoundFile(const std::u16string& streamName) {
    testsupport::CompoundFileBuilder builder;
    const std::int32_t info = builder.addStream(u"\x06" u"DataSpaces", std::string(64, 'd'));
    const std::int32_t stream = builder.addStream(streamName, std::string(5000, 'e'));
    builder.setChildren(0, {info, stream});
    builder.layOut();
    return builder.bytes();
}

TEST_F(WordMLDetectionTest, AProtectedDocumentIsRefusedAloneWithItsMessage) {
    char16_t message[256];
    loadUniText(message, kProtectedDocumentMessage);
    EXPECT_EQ(import(compoundFile(u"EncryptedPackage"), "Secret.docx"), result::kErrCancelled)
        << "the code that ends the file without a second message";
    ASSERT_EQ(asker.shown.size(), 1u);
    EXPECT_EQ(asker.shown[0].text, std::u16string(message));
    EXPECT_NE(std::u16string(message).find(u"password"), std::u16string::npos);

    // In a quiet batch nothing is shown: the failure carries the text for the report log.
    request.quiet = 1;
    task = std::make_unique<CImportTask>(&request);
    EXPECT_EQ(import(compoundFile(u"EncryptedPackage"), "Secret2.docx"), result::kErrCancelled);
    EXPECT_EQ(asker.shown.size(), 1u);
    ASSERT_NE(lastFailure, nullptr);
    EXPECT_NE(std::string(lastFailure->fileName).find("password"), std::string::npos);

    EXPECT_EQ(import(wordDocument(kBody)), 0);
    EXPECT_EQ(import(compoundFile(u"WordDocument"), "Old.doc"), result::kErrUnknownFormat)
        << "an old compound document is not convertible";

    enginetest::writeBytes(folder.file("Secret.docx"), compoundFile(u"EncryptedPackage"));
    CEncryptedImporter importer(&importerDescriptors[importer::kEncryptedDocument]);
    XParamBlock block{};
    initXParamBlock(nullptr, &block);
    block.fileSpec = enginetest::specOf(enginetest::itemIn(folder, "Secret.docx"));
    block.selector = ::request::kSelDocument;
    EXPECT_EQ(importer.dispatch(&block), static_cast<std::uint16_t>(result::kErrCancelled));
    ASSERT_NE(block.reasonText, nullptr);
    EXPECT_EQ(std::u16string(block.reasonText), std::u16string(message));
    disposeXParamBlock(&block);
}

}  // namespace
}  // namespace wordmltest
