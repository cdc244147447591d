// LibreOffice and pandoc read the RTF our writer produces: the text of each feature document comes back
// whole, and the properties written are found in LibreOffice's HTML rendering of it. Every test skips
// itself when the program it needs is not installed.
#include <gtest/gtest.h>
#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/export/rtf/RTFFeatureDocuments.h"
#include "tests/support/FileBytes.h"
#include "tests/support/OfficeOracle.h"
#include "tests/support/OracleSuite.h"

namespace rtftest {
namespace {

using testsupport::OfficeOracle;

// The feature documents and the two bracket paragraphs, written once and converted once per format
// (starting LibreOffice costs seconds, so all files go in one call).
struct FeatureReading {
    TemporaryFilesScope temporaryFiles;
    testsupport::TemporaryFolder folder;
    std::vector<std::string> files;
    testsupport::ProgramRun textRun;
    testsupport::ProgramRun htmlRun;
    std::string problem;  // the documents that were not written
};

class RTFOracleTest : public testsupport::OracleSuite<RTFOracleTest, FeatureReading> {
protected:
    void prepare(FeatureReading& work) override {
        std::vector<FeatureDocument> documents = featureDocuments();
        documents.push_back(bracketDocument(1025));
        documents.push_back(bracketDocument(1037));
        for (const FeatureDocument& document : documents) {
            const std::string path = work.folder.file(document.name + ".rtf");
            if (writeFeatureDocument(document, path).empty()) work.problem += document.name + " was not written; ";
            work.files.push_back(path);
        }
        OfficeOracle oracle;
        work.textRun = oracle.convert(work.files, "txt:Text", work.folder.path());
        work.htmlRun = oracle.convert(work.files, "html", work.folder.path());
    }

    // LibreOffice's text of a document, without its byte-order mark and final line end.
    static std::string textOf(const std::string& name) {
        std::string text = testsupport::readBytes(shared->folder.file(name + ".txt"));
        if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }
};

// An HTML document parsed by libxml2, asked with XPath.
class HtmlDocument {
public:
    explicit HtmlDocument(const std::string& html)
        : document(htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                                  HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET),
                   xmlFreeDoc) {}
    bool parsed() const { return document != nullptr; }
    // The number of nodes the expression finds.
    int count(const std::string& expression) const {
        if (!document) return 0;
        std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(xmlXPathNewContext(document.get()),
                                                                                 xmlXPathFreeContext);
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression.c_str()), context.get()),
            xmlXPathFreeObject);
        if (!found || found->nodesetval == nullptr) return 0;
        return found->nodesetval->nodeNr;
    }

private:
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document;
};

TEST_F(RTFOracleTest, LibreOfficeReadsBackTheTextOfEveryDocument) {
    ASSERT_EQ(shared->textRun.exitStatus, 0) << shared->textRun.messages;
    const std::map<std::string, std::string> expected = {
        {"characters", "Plain Bold Italic Underlined Large Red Mono {x}"},
        {"paragraphs", "Centred\nRight\nIndented\nSpaced"},
        {"fields", "Page 1 of the site Example site."},
        {"notes", "Noted1 and endedi."},
        {"bookmarks", "Before marked after."},
        {"revision", "Kept inserted text."},
        {"list", "    1. First item\n    2. Second item"},  // LibreOffice indents list items
    };
    for (const auto& [name, text] : expected) EXPECT_EQ(textOf(name), text) << name;
}

TEST_F(RTFOracleTest, BracketsInRightToLeftParagraphsReadBackAsTyped) {
    ASSERT_EQ(shared->textRun.exitStatus, 0) << shared->textRun.messages;
    EXPECT_EQ(textOf("brackets-arabic"), "(a) [b]");
    EXPECT_EQ(textOf("brackets-hebrew"), "(a) [b]");
}

struct PropertyCase {
    const char* document;
    const char* what;
    std::string expression;
};

TEST_F(RTFOracleTest, LibreOfficeFindsTheRunParagraphNoteAndLinkProperties) {
    ASSERT_EQ(shared->htmlRun.exitStatus, 0) << shared->htmlRun.messages;
    const std::vector<PropertyCase> cases = {
        {"characters", "bold", "//b[contains(., 'Bold')]"},
        {"characters", "italic", "//i[contains(., 'Italic')]"},
        {"characters", "underline", "//u[contains(., 'Underlined')]"},
        {"characters", "size", "//font[contains(@style, 'font-size: 24pt')][contains(., 'Large')]"},
        {"characters", "colour", "//font[@color='#ff0000'][contains(., 'Red')]"},
        {"characters", "font", "//font[starts-with(@face, 'Liberation Mono')][contains(., 'Mono')]"},
        {"characters", "the plain run is neither bold nor italic", "//font[contains(., 'Plain')][not(.//b)][not(.//i)]"},
        {"paragraphs", "centred", "//p[@align='center'][contains(., 'Centred')]"},
        {"paragraphs", "right aligned", "//p[@align='right'][contains(., 'Right')]"},
        {"paragraphs", "indents",
         "//p[contains(@style, 'margin-left: 1in')][contains(@style, 'margin-right: 0.5in')]"
         "[contains(@style, 'text-indent: 0.25in')][contains(., 'Indented')]"},
        {"paragraphs", "spacing",
         "//p[contains(@style, 'line-height: 150%')][contains(@style, 'margin-top: 0.17in')]"
         "[contains(@style, 'margin-bottom: 0.33in')][contains(., 'Spaced')]"},
        {"notes", "footnote text", "//div[@id='sdfootnote1'][contains(., 'Footnote text.')]"},
        {"notes", "endnote text", "//div[@id='sdendnote1'][contains(., 'Endnote text.')]"},
        {"fields", "hyperlink target", "//a[@href='http://example.com/target'][. = 'Example site']"},
        {"fields", "page field", "//sdfield[@type='PAGE']"},
        {"bookmarks", "bookmark name", "//a[@name='Caf\xC3\xA9{1}']"},
    };
    std::map<std::string, std::unique_ptr<HtmlDocument>> pages;
    for (const PropertyCase& c : cases) {
        auto& page = pages[c.document];
        if (!page)
            page = std::make_unique<HtmlDocument>(testsupport::readBytes(shared->folder.file(std::string(c.document) + ".html")));
        ASSERT_TRUE(page->parsed()) << c.document;
        EXPECT_GE(page->count(c.expression), 1) << c.document << ": " << c.what << "\n  " << c.expression;
    }
}

TEST(RTFPandocOracleTest, PandocParsesEveryDocumentTheTestsWrite) {
    if (!testsupport::pandocAvailable()) GTEST_SKIP() << "pandoc is not installed";
    TemporaryFilesScope temporaryFiles;
    std::vector<FeatureDocument> documents = featureDocuments();
    documents.push_back(bracketDocument(1025));
    documents.push_back(bracketDocument(1037));
    for (const FeatureDocument& document : documents) {
        const std::string path = temporaryFiles.folder().file(document.name + ".rtf");
        ASSERT_FALSE(writeFeatureDocument(document, path).empty()) << document.name;
        std::string text;
        const testsupport::ProgramRun run = testsupport::pandocReadRTF(path, text);
        EXPECT_EQ(run.exitStatus, 0) << document.name << "\n" << run.messages;
        EXPECT_FALSE(text.empty()) << document.name;
    }
}

}  // namespace
}  // namespace rtftest
