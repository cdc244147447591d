// LibreOffice reads our RTF of each hostile place (tests/app/documents/HostileDocuments.h) as a flat ODF document:
// the document with the payload has the elements of the document with a harmless text, field for field
// and section for section, and its text is that document's text with the harmless text replaced by the
// payload wherever it shows. Every document is read in one call (starting LibreOffice costs seconds).
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/app/documents/HostileDocuments.h"
#include "tests/support/FileBytes.h"
#include "tests/support/OfficeOracle.h"

namespace {

using hostile::kHarmless;

// The body of a flat ODF document: the names of its elements in document order, and its text.
struct OfficeBody {
    bool parsed = false;
    std::vector<std::string> elements;
    std::string text;
};

void walk(const xmlNode* node, OfficeBody& body) {
    for (; node != nullptr; node = node->next) {
        if (node->type == XML_TEXT_NODE && node->content != nullptr) {
            body.text += reinterpret_cast<const char*>(node->content);
        } else if (node->type == XML_ELEMENT_NODE) {
            body.elements.push_back(reinterpret_cast<const char*>(node->name));
            walk(node->children, body);
        }
    }
}

OfficeBody readBody(const std::string& path) {
    OfficeBody body;
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_HUGE), xmlFreeDoc);
    if (!document) return body;
    for (const xmlNode* node = xmlDocGetRootElement(document.get())->children; node != nullptr; node = node->next) {
        if (node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, BAD_CAST "body")) {
            walk(node->children, body);
            body.parsed = true;
        }
    }
    return body;
}

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

using DocumentTextEscapingOracleTest = apptest::ProgramRunTest;

TEST_F(DocumentTextEscapingOracleTest, LibreOfficeFindsNoFieldOrGroupTheDocumentDidNotHave) {
    if (!testsupport::OfficeOracle::available()) GTEST_SKIP() << "soffice (libreoffice-writer-nogui) is not installed";
    std::vector<std::string> documents;
    for (const hostile::Place& place : hostile::places()) {
        for (const std::string* value : {place.payload, &kHarmless}) {
            const std::string name = std::string(place.name) + (value == &kHarmless ? "-harmless" : "-payload");
            ASSERT_TRUE(testsupport::writeBytes(temporary.file(name + ".xml"), hostile::wordDocument(place.parts(*value))));
            documents.push_back(name);
        }
    }
    std::vector<std::string> arguments;
    for (const std::string& name : documents) arguments.push_back(name + ".xml");
    convertDocumentsTo("RTF");
    const apptest::RunResult conversion = run(arguments);
    ASSERT_EQ(conversion.status, 0) << conversion.errors;
    std::vector<std::string> rtfFiles;
    for (const std::string& name : documents) rtfFiles.push_back(temporary.file(name + ".rtf"));
    std::filesystem::create_directories(temporary.file("office"));
    testsupport::OfficeOracle oracle;
    const testsupport::ProgramRun reading = oracle.convert(rtfFiles, "fodt", temporary.file("office"));
    ASSERT_EQ(reading.exitStatus, 0) << reading.messages;

    for (const hostile::Place& place : hostile::places()) {
        SCOPED_TRACE(place.name);
        const OfficeBody withPayload = readBody(temporary.file("office/") + place.name + "-payload.fodt");
        const OfficeBody harmless = readBody(temporary.file("office/") + place.name + "-harmless.fodt");
        ASSERT_TRUE(withPayload.parsed && harmless.parsed) << "LibreOffice did not read the RTF";
        EXPECT_EQ(withPayload.elements, harmless.elements);
        EXPECT_EQ(withPayload.text, replacedAll(harmless.text, kHarmless, *place.payload));
    }
}

}  // namespace
