// Word 2003 feature documents (tests/data/app/features-*.xml) converted by the program to RTF and read
// back by LibreOffice as flat ODF: the run properties, comment, tables, link, bookmark, fields, tracked
// changes, sections, lists and styles that LibreOffice finds are the ones the documents hold. The
// documents are converted once for the whole suite (starting LibreOffice costs seconds).
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/support/OfficeOracle.h"

namespace {

using testsupport::OfficeOracle;

const std::string kFixtures = VDK_TEST_DATA_DIR "/";
const char* const kDocuments[] = {"features-text", "features-tables", "features-sections", "features-lists",
                                  "features-styles"};

// A flat ODF document parsed by libxml2, asked with XPath under the usual ODF prefixes.
class FlatDocument {
public:
    explicit FlatDocument(const std::string& path)
        : document(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_HUGE), xmlFreeDoc) {}
    bool parsed() const { return document != nullptr; }
    // The number of nodes the expression finds, or the value of a numeric expression.
    double evaluate(const std::string& expression) const {
        if (!document) return 0;
        std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(xmlXPathNewContext(document.get()),
                                                                                 xmlXPathFreeContext);
        for (const auto& [prefix, uri] : kNamespaces)
            xmlXPathRegisterNs(context.get(), reinterpret_cast<const xmlChar*>(prefix),
                               reinterpret_cast<const xmlChar*>(uri));
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression.c_str()), context.get()),
            xmlXPathFreeObject);
        if (!found) return 0;
        if (found->type == XPATH_NUMBER) return found->floatval;
        return found->nodesetval != nullptr ? found->nodesetval->nodeNr : 0;
    }

private:
    static constexpr std::pair<const char*, const char*> kNamespaces[] = {
        {"office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
        {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
        {"text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
        {"table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
        {"fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
        {"xlink", "http://www.w3.org/1999/xlink"},
        {"dc", "http://purl.org/dc/elements/1.1/"},
    };
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document;
};

// One property that LibreOffice must find: the document, what is looked for, and an XPath expression
// that finds at least one node when it is there.
struct Finding {
    const char* document;
    const char* what;
    std::string expression;
};

// The automatic or named text style of a span, by a property of its text properties.
std::string spanWith(const std::string& property, const std::string& text) {
    return "//text:span[contains(., '" + text + "')][@text:style-name = //style:style[style:text-properties/@" + property +
           "]/@style:name]";
}

class WordFeaturesOracleTest : public apptest::ProgramRunTest {
protected:
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }
    void SetUp() override {
        if (!OfficeOracle::available()) GTEST_SKIP() << "soffice (libreoffice-writer-nogui) is not installed";
        if (shared == nullptr) convertOnce();
        ASSERT_TRUE(shared->problem.empty()) << shared->problem;
    }

    static void expectFindings(const std::vector<Finding>& findings) {
        for (const Finding& finding : findings) {
            const FlatDocument& document = *shared->documents.at(finding.document);
            EXPECT_GE(document.evaluate(finding.expression), 1)
                << finding.document << ": " << finding.what << "\n  " << finding.expression;
        }
    }
    static double evaluate(const char* document, const std::string& expression) {
        return shared->documents.at(document)->evaluate(expression);
    }

private:
    // The program converts every document to RTF in one run; LibreOffice reads them all in one call.
    void convertOnce() {
        shared = new Shared;
        std::vector<std::string> arguments;
        for (const char* name : kDocuments) {
            std::filesystem::copy_file(kFixtures + name + ".xml", temporary.file(std::string(name) + ".xml"));
            arguments.push_back(std::string(name) + ".xml");
        }
        convertDocumentsTo("RTF");
        const apptest::RunResult conversion = run(arguments);
        if (conversion.status != 0) {
            shared->problem = "the program failed: " + conversion.errors;
            return;
        }
        std::vector<std::string> rtfFiles;
        for (const char* name : kDocuments) {
            const std::string rtf = shared->folder.file(std::string(name) + ".rtf");
            std::filesystem::copy_file(temporary.file(std::string(name) + ".rtf"), rtf);
            rtfFiles.push_back(rtf);
        }
        OfficeOracle oracle;
        const testsupport::ProgramRun reading = oracle.convert(rtfFiles, "fodt", shared->folder.path());
        if (reading.exitStatus != 0) {
            shared->problem = "LibreOffice failed: " + reading.messages;
            return;
        }
        for (const char* name : kDocuments) {
            auto document = std::make_unique<FlatDocument>(shared->folder.file(std::string(name) + ".fodt"));
            if (!document->parsed()) shared->problem += std::string(name) + ".fodt was not read back; ";
            shared->documents[name] = std::move(document);
        }
    }

    struct Shared {
        testsupport::TemporaryFolder folder;
        std::map<std::string, std::unique_ptr<FlatDocument>> documents;
        std::string problem;  // empty when every document was converted and read back
    };
    static Shared* shared;
};

WordFeaturesOracleTest::Shared* WordFeaturesOracleTest::shared = nullptr;

TEST_F(WordFeaturesOracleTest, RunsKeepTheirProperties) {
    expectFindings({
        {"features-text", "bold", spanWith("fo:font-weight='bold'", "Bold")},
        {"features-text", "italic", spanWith("fo:font-style='italic'", "Italic")},
        {"features-text", "size", spanWith("fo:font-size='24pt'", "Large")},
        {"features-text", "colour", spanWith("fo:color='#ff0000'", "Red")},
    });
    EXPECT_EQ(evaluate("features-text", spanWith("fo:font-weight='bold'", "Plain")), 0) << "the plain run stays plain";
}

TEST_F(WordFeaturesOracleTest, ACommentIsAnAnnotationBesideItsText) {
    expectFindings({
        {"features-text", "the comment", "//office:annotation[contains(., 'A remark.')]"},
        {"features-text", "the comment's text is not in the paragraph",
         "//text:p[text:span[contains(., 'commented')]][not(text:span[contains(., 'A remark')])]"},
    });
}

TEST_F(WordFeaturesOracleTest, LinksBookmarksAndFields) {
    expectFindings({
        {"features-text", "hyperlink", "//text:a[@xlink:href='http://example.com/target'][. = 'Example site']"},
        {"features-text", "bookmark", "//text:bookmark-start[@text:name='Target'] | //text:bookmark[@text:name='Target']"},
        {"features-text", "page field", "//text:page-number"},
        {"features-text", "date field", "//text:date"},
    });
}

TEST_F(WordFeaturesOracleTest, TrackedChangesKeepTheirKindAndAuthor) {
    const auto changed = [](const char* kind, const char* text) {
        return "//text:change-start[@text:change-id = //text:changed-region[text:" + std::string(kind) +
               "/office:change-info/dc:creator = 'Ann Author']/@text:id]/following-sibling::*[1][. = '" + text + "']";
    };
    expectFindings({
        {"features-text", "insertion", changed("insertion", "inserted")},
        {"features-text", "deletion", changed("deletion", "removed")},
    });
}

TEST_F(WordFeaturesOracleTest, ATableWithMergedCellsAndANestedTable) {
    const std::string outer = "/office:document/office:body/office:text/table:table";
    EXPECT_EQ(evaluate("features-tables", "count(" + outer + ")"), 1);
    EXPECT_EQ(evaluate("features-tables", "count(" + outer + "/table:table-row)"), 3);
    expectFindings({
        {"features-tables", "cells merged across",
         outer + "/table:table-row[1]/table:table-cell[@table:number-columns-spanned='2'][normalize-space(.)='Wide']"},
        {"features-tables", "cells merged down",
         outer + "/table:table-row[1]/table:table-cell[@table:number-rows-spanned='2'][normalize-space(.)='Tall']"},
        {"features-tables", "the nested table in its cell",
         outer + "/table:table-row[2]/table:table-cell[2]/table:table/table:table-row/table:table-cell[normalize-space(.)='Inner2']"},
        {"features-tables", "the cell's own text after the nested table",
         outer + "/table:table-row[2]/table:table-cell[2]/text:p[normalize-space(.)='B2']"},
        {"features-tables", "the last row", outer + "/table:table-row[3]/table:table-cell[3][normalize-space(.)='C3']"},
    });
}

TEST_F(WordFeaturesOracleTest, TwoSectionsKeepTheirPageSizes) {
    const auto layout = [](const char* width, const char* height) {
        return "//style:page-layout[style:page-layout-properties[@fo:page-width='" + std::string(width) +
               "'][@fo:page-height='" + height + "']]/@style:name";
    };
    // The first section's page is the document's first page style; the second starts a page style of
    // its own at its first paragraph.
    expectFindings({
        {"features-sections", "the letter section",
         "//style:master-page[@style:name='Standard'][@style:page-layout-name = " + layout("8.5in", "11in") + "]"},
        {"features-sections", "the first paragraph starts no page style",
         "//text:p[contains(., 'On a letter page.')][not(@text:style-name = //style:style[@style:master-page-name]/@style:name)]"},
        {"features-sections", "the landscape section",
         "//text:p[contains(., 'On a landscape page.')][@text:style-name = //style:style[@style:master-page-name = "
         "//style:master-page[@style:page-layout-name = " + layout("11in", "8.5in") + "]/@style:name]/@style:name]"},
    });
}

}  // namespace
