// LibreOffice reads the whole scripted document back: its text with the list numbers (the restarted
// list counting from 1 again), its tables row by row and cell by cell with the nested table in its cell,
// the page size of each section, and the non-ASCII title and author of the information group. Skips
// itself when LibreOffice is not installed.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/export/rtf/RTFWholeDocument.h"
#include "tests/support/FileBytes.h"
#include "tests/support/OfficeOracle.h"
#include "tests/support/OracleSuite.h"

namespace rtftest {
namespace {

using testsupport::OfficeOracle;

// The document converted once to text and once to flat OpenDocument (one XML file).
struct WholeDocumentReading {
    TemporaryFilesScope temporaryFiles;
    testsupport::TemporaryFolder folder;
    testsupport::ProgramRun textRun;
    testsupport::ProgramRun flatRun;
    std::string problem;  // empty when the document was written
};

class RTFWholeDocumentOracleTest : public testsupport::OracleSuite<RTFWholeDocumentOracleTest, WholeDocumentReading> {
protected:
    void prepare(WholeDocumentReading& work) override {
        const std::string path = work.folder.file("whole.rtf");
        if (writeFeatureDocument(wholeDocument(), path).empty()) work.problem = "the document was not written";
        OfficeOracle oracle;
        work.textRun = oracle.convert({path}, "txt:Text", work.folder.path());
        work.flatRun = oracle.convert({path}, "fodt", work.folder.path());
    }
};

// The lines of LibreOffice's text, without the byte-order mark and with the indentation of list items
// trimmed.
std::vector<std::string> textLines(const std::string& text) {
    std::string body = text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(3) : text;
    std::vector<std::string> lines;
    std::istringstream in(body);
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        const std::size_t first = line.find_first_not_of(' ');
        lines.push_back(first == std::string::npos ? "" : line.substr(first));
    }
    return lines;
}

// A flat OpenDocument file parsed by libxml2, asked with XPath in its namespaces.
class FlatDocument {
public:
    explicit FlatDocument(const std::string& xml)
        : document(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET),
                   xmlFreeDoc),
          context(document ? xmlXPathNewContext(document.get()) : nullptr, xmlXPathFreeContext) {
        if (!context) return;
        const std::pair<const char*, const char*> namespaces[] = {
            {"office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
            {"table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
            {"text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
            {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
            {"fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
            {"meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0"},
            {"dc", "http://purl.org/dc/elements/1.1/"},
        };
        for (const auto& [prefix, uri] : namespaces)
            xmlXPathRegisterNs(context.get(), reinterpret_cast<const xmlChar*>(prefix),
                               reinterpret_cast<const xmlChar*>(uri));
    }
    bool parsed() const { return context != nullptr; }
    // The number an expression evaluates to (count(...)); NaN when it cannot be evaluated.
    double number(const std::string& expression) const {
        return evaluate(expression, [](xmlXPathObject* found) { return xmlXPathCastToNumber(found); }, NAN);
    }
    // The string value of an expression.
    std::string string(const std::string& expression) const {
        return evaluate(
            expression,
            [](xmlXPathObject* found) {
                xmlChar* value = xmlXPathCastToString(found);
                std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
                xmlFree(value);
                return text;
            },
            std::string());
    }

private:
    template <typename Cast, typename Result>
    Result evaluate(const std::string& expression, Cast cast, Result otherwise) const {
        if (!context) return otherwise;
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression.c_str()), context.get()),
            xmlXPathFreeObject);
        return found ? cast(found.get()) : otherwise;
    }

    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document;
    std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context;
};

TEST_F(RTFWholeDocumentOracleTest, TheTextComesBackWithTheListNumbersAndTheRestart) {
    ASSERT_EQ(shared->textRun.exitStatus, 0) << shared->textRun.messages;
    const std::vector<std::string> lines = textLines(testsupport::readBytes(shared->folder.file("whole.txt")));
    // Bullets are the reader's own characters; only the items behind them are compared.
    const std::vector<std::string> expected = {
        "Report", "Body with a note1 and a strong remark.", "Numbers", "1. One", "a) Sub a", "b) Sub b", "i. Deep",
        "2. Two", "* Dot", "* Circle", "* Square", "1. Again", "A1", "B1", "N1", "N2", "", "A2", "B2",
        "After the table.", "Second section, in two columns.", "The end."};
    ASSERT_EQ(lines.size(), expected.size()) << testsupport::readBytes(shared->folder.file("whole.txt"));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i].rfind("* ", 0) == 0) {
            const std::string item = expected[i].substr(1);
            EXPECT_TRUE(lines[i].size() > item.size() && lines[i].compare(lines[i].size() - item.size(), item.size(), item) == 0)
                << "line " << i << ": " << lines[i];
        } else {
            EXPECT_EQ(lines[i], expected[i]) << "line " << i;
        }
    }
}

TEST_F(RTFWholeDocumentOracleTest, TablesComeBackRowByRowWithTheNestedTableInItsCell) {
    ASSERT_EQ(shared->flatRun.exitStatus, 0) << shared->flatRun.messages;
    const FlatDocument flat(testsupport::readBytes(shared->folder.file("whole.fodt")));
    ASSERT_TRUE(flat.parsed());
    const std::string outer = "//office:text/table:table";
    EXPECT_EQ(flat.number("count(" + outer + ")"), 1);
    EXPECT_EQ(flat.number("count(" + outer + "/table:table-row)"), 2);
    const std::string firstRow = outer + "/table:table-row[1]/table:table-cell";
    const std::string secondRow = outer + "/table:table-row[2]/table:table-cell";
    EXPECT_EQ(flat.number("count(" + firstRow + ")"), 2);
    EXPECT_EQ(flat.string(firstRow + "[1]/text:p"), "A1");
    EXPECT_EQ(flat.string(firstRow + "[2]/text:p[1]"), "B1");
    const std::string nested = firstRow + "[2]/table:table";
    EXPECT_EQ(flat.number("count(" + nested + "/table:table-row)"), 1);
    EXPECT_EQ(flat.string(nested + "/table:table-row/table:table-cell[1]/text:p"), "N1");
    EXPECT_EQ(flat.string(nested + "/table:table-row/table:table-cell[2]/text:p"), "N2");
    EXPECT_EQ(flat.number("count(" + secondRow + ")"), 2);
    EXPECT_EQ(flat.string(secondRow + "[1]/text:p"), "A2");
    EXPECT_EQ(flat.string(secondRow + "[2]/text:p"), "B2");
}

TEST_F(RTFWholeDocumentOracleTest, TheNonAsciiTitleAndAuthorComeBackAsTheyWere) {
    ASSERT_EQ(shared->flatRun.exitStatus, 0) << shared->flatRun.messages;
    const FlatDocument flat(testsupport::readBytes(shared->folder.file("whole.fodt")));
    ASSERT_TRUE(flat.parsed());
    EXPECT_EQ(flat.string("//office:meta/dc:title"), "Rapport d'\xC3\xA9t\xC3\xA9");
    // The reader keeps the author as the document's first creator; some versions name it the creator.
    std::string author = flat.string("//office:meta/meta:initial-creator");
    if (author.empty()) author = flat.string("//office:meta/dc:creator");
    EXPECT_EQ(author, "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m");
}

// A length of the flat file ("8.5in") in twips.
double twips(const std::string& length) {
    const double inches = std::atof(length.c_str());
    return length.size() > 2 && length.compare(length.size() - 2, 2, "in") == 0 ? inches * 1440 : NAN;
}

TEST_F(RTFWholeDocumentOracleTest, EachSectionKeepsItsPageSizeAndTheSecondItsColumns) {
    ASSERT_EQ(shared->flatRun.exitStatus, 0) << shared->flatRun.messages;
    const FlatDocument flat(testsupport::readBytes(shared->folder.file("whole.fodt")));
    ASSERT_TRUE(flat.parsed());
    // The page layout of the master page each section's first paragraph starts, or the default one.
    const auto pageOf = [&flat](const std::string& master) {
        const std::string layout =
            "//style:page-layout[@style:name=//style:master-page[@style:name='" + master + "']/@style:page-layout-name]"
            "/style:page-layout-properties/";
        return std::make_pair(twips(flat.string(layout + "@fo:page-width")), twips(flat.string(layout + "@fo:page-height")));
    };
    const auto [firstWidth, firstHeight] = pageOf("Standard");
    EXPECT_NEAR(firstWidth, 12240, 5);
    EXPECT_NEAR(firstHeight, 15840, 5);
    // The second section starts a page of its own: its first paragraph's style names the master page.
    const std::string secondMaster = flat.string(
        "//style:style[@style:name=//text:section//text:p[1]/@text:style-name]/@style:master-page-name");
    ASSERT_FALSE(secondMaster.empty());
    const auto [secondWidth, secondHeight] = pageOf(secondMaster);
    EXPECT_NEAR(secondWidth, 16838, 5);
    EXPECT_NEAR(secondHeight, 11906, 5);
    EXPECT_EQ(flat.string("//style:style[@style:name=//text:section/@text:style-name]//style:columns/@fo:column-count"),
              "2");
}

}  // namespace
}  // namespace rtftest
