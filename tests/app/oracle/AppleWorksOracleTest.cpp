// The RTF of the shared AppleWorks samples read back by LibreOffice (as flat ODF): the text, the fonts,
// the bold and italic runs, the first-line indent and the page size arrive. The samples are converted
// once for the suite; without them or without LibreOffice the tests skip, saying why.
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FlatDocument.h"
#include "tests/support/OfficeOracle.h"
#include "tests/support/OracleSuite.h"

namespace {

using testsupport::OfficeOracle;

const std::string kCorpus = VDK_TEST_DATA_DIR "/../../../../shared/corpus/cwk/";
const char* const kSamples[] = {"test_files__brownfox_5.0v1_win", "test_files__brownfoxstyle_5.0v1_win",
                                "test_files__brownfoxstyle_6.2.9_osx", "test_files__brownfox_indent_6.2.9_osx",
                                "test_files__loremstyle_6.2.9_osx", "test_files__alice_6.2.9_osx"};

using testsupport::FlatDocument;

struct Finding {
    const char* sample;
    const char* what;
    std::string expression;
};

// A span or paragraph holding the text whose automatic style has the text property.
std::string textWith(const std::string& property, const std::string& text) {
    return "//*[self::text:span or self::text:p][contains(., '" + text + "')][@text:style-name = //style:style[style:text-properties/@" +
           property + "]/@style:name]";
}

struct AppleWorksReading {
    testsupport::TemporaryFolder folder;
    std::string problem;
    std::map<std::string, std::unique_ptr<FlatDocument>> documents;
};

class AppleWorksOracle : public testsupport::OracleSuite<AppleWorksOracle, AppleWorksReading, apptest::ProgramRunTest> {
protected:
    std::string missing() const override {
        return std::filesystem::is_directory(kCorpus) ? std::string() : "the shared AppleWorks samples are not at " + kCorpus;
    }

    static void expectFindings(const std::vector<Finding>& findings) {
        for (const Finding& finding : findings) {
            EXPECT_GE(shared->documents.at(finding.sample)->evaluate(finding.expression), 1)
                << finding.sample << ": " << finding.what << "\n  " << finding.expression;
        }
    }

private:
    void prepare(AppleWorksReading& work) override {
        std::vector<std::string> arguments;
        std::vector<std::string> stems;
        for (const char* stem : kSamples) {
            std::filesystem::copy_file(kCorpus + stem + ".cwk", temporary.file(std::string(stem) + ".cwk"));
            arguments.push_back(std::string(stem) + ".cwk");
            stems.push_back(stem);
        }
        const std::vector<std::string> rtfFiles = convertToRtfInto(arguments, stems, work.folder, work.problem);
        if (rtfFiles.empty()) return;
        OfficeOracle oracle;
        const testsupport::ProgramRun reading = oracle.convert(rtfFiles, "fodt", work.folder.path());
        if (reading.exitStatus != 0) {
            work.problem = "LibreOffice did not read the RTF: " + reading.messages;
            return;
        }
        for (const char* stem : kSamples)
            work.documents[stem] = std::make_unique<FlatDocument>(work.folder.file(std::string(stem) + ".fodt"));
    }
};

class AppleWorksOracleTest : public AppleWorksOracle {};

TEST_F(AppleWorksOracleTest, TextAndFontsArrive) {
    expectFindings({
        {"test_files__brownfox_5.0v1_win", "the text", "//text:p[contains(., 'The quick brown fox jumped over the lazy dog.')]"},
        {"test_files__alice_6.2.9_osx", "the text", "//text:p[contains(., 'Alice was beginning to get very tired')]"},
        {"test_files__brownfox_5.0v1_win", "the font Arial", textWith("style:font-name = 'Arial'", "quick")},
        {"test_files__brownfoxstyle_5.0v1_win", "Times New Roman on 'jumped'",
         textWith("style:font-name = 'Times New Roman'", "jumped")},
        {"test_files__brownfoxstyle_6.2.9_osx", "Times on 'jumped'", textWith("style:font-name = 'Times'", "jumped")},
    });
}

TEST_F(AppleWorksOracleTest, BoldAndItalicRunsArrive) {
    expectFindings({
        {"test_files__brownfoxstyle_5.0v1_win", "bold 'brown'", textWith("fo:font-weight = 'bold'", "brown")},
        {"test_files__brownfoxstyle_6.2.9_osx", "bold 'brown'", textWith("fo:font-weight = 'bold'", "brown")},
        {"test_files__loremstyle_6.2.9_osx", "bold text", textWith("fo:font-weight = 'bold'", "BOLDTEXT")},
        {"test_files__loremstyle_6.2.9_osx", "italic text", textWith("fo:font-style = 'italic'", "ITALICSTEXT")},
    });
}

TEST_F(AppleWorksOracleTest, IndentAndPageSizeArrive) {
    // The sample indents its first line by 42 points; its pages are US Letter.
    expectFindings({
        {"test_files__brownfox_indent_6.2.9_osx", "the first-line indent",
         "//text:p[contains(., 'brown fox')][@text:style-name = //style:style[style:paragraph-properties[starts-with(@fo:text-indent, '0.58')]]/@style:name]"},
        {"test_files__brownfox_5.0v1_win", "the page width", "//style:page-layout-properties[@fo:page-width = '8.5in']"},
        {"test_files__alice_6.2.9_osx", "the page height", "//style:page-layout-properties[@fo:page-height = '11in']"},
    });
}

}  // namespace
