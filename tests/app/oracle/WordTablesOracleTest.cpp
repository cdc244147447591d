// A styled, indented .docx table converted by the program to RTF, then laid out by LibreOffice twice: from
// the original and from our RTF. The first column's text stands where it stands in the original, whether
// the document asks for the older layout (the indent places the text) or for Word 2013's (it places the
// table's edge), and the table style's header row is bold in our RTF though no reader applies a table
// style's parts itself. The documents are converted once for the suite (starting LibreOffice costs
// seconds).
#include <libxml/xpathInternals.h>

#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FlatDocument.h"
#include "tests/support/OfficeOracle.h"
#include "tests/support/OracleSuite.h"

namespace {

using testsupport::OfficeOracle;

const std::string kPackageStart = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>";
const std::string kWordNamespace = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";

// A table style that sets the cell margins and a bold first row; the table's look turns the first row
// on, and no cell names its conditional parts itself.
std::string stylesPart() {
    return kPackageStart + "<w:styles " + kWordNamespace +
           "><w:style w:type=\"table\" w:styleId=\"Plain\"><w:name w:val=\"Plain\"/><w:tblPr><w:tblBorders>"
           "<w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>"
           "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/></w:tblBorders>"
           "<w:tblCellMar><w:left w:w=\"180\" w:type=\"dxa\"/><w:right w:w=\"180\" w:type=\"dxa\"/></w:tblCellMar>"
           "</w:tblPr><w:tblStylePr w:type=\"firstRow\"><w:rPr><w:b/></w:rPr></w:tblStylePr></w:style></w:styles>";
}

std::string cell(const char* text) {
    return "<w:tc><w:p><w:r><w:t>" + std::string(text) + "</w:t></w:r></w:p></w:tc>";
}

std::string documentPart() {
    return kPackageStart + "<w:document " + kWordNamespace +
           "><w:body><w:p><w:r><w:t>Before the table</w:t></w:r></w:p>"
           "<w:tbl><w:tblPr><w:tblStyle w:val=\"Plain\"/><w:tblW w:w=\"0\" w:type=\"auto\"/>"
           "<w:tblInd w:w=\"720\" w:type=\"dxa\"/><w:tblLook w:val=\"0020\"/></w:tblPr>"
           "<w:tblGrid><w:gridCol w:w=\"2500\"/><w:gridCol w:w=\"3000\"/></w:tblGrid>"
           "<w:tr>" + cell("Heading") + cell("Other") + "</w:tr>"
           "<w:tr>" + cell("Body") + cell("Text") + "</w:tr></w:tbl>"
           "<w:p><w:r><w:t>After the table</w:t></w:r></w:p>"
           "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/>"
           "<w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" w:left=\"1440\"/></w:sectPr></w:body></w:document>";
}

// Settings that ask for a layout version.
std::string settingsPart(int compatibilityMode) {
    return kPackageStart + "<w:settings " + kWordNamespace +
           "><w:compat><w:compatSetting w:name=\"compatibilityMode\" w:uri=\"http://schemas.microsoft.com/office/word\""
           " w:val=\"" + std::to_string(compatibilityMode) + "\"/></w:compat></w:settings>";
}

// The document; with a compatibility mode above 0 it has settings that ask for that layout.
bool writeDocx(const std::string& path, int compatibilityMode) {
    const std::string relationshipsStart =
        kPackageStart + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const std::string relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    testsupport::ZipBuilder zip(path);
    zip.add("[Content_Types].xml",
            kPackageStart +
                "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
                "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
                "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
                "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
                "<Override PartName=\"/word/settings.xml\" ContentType=\"application/"
                "vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/></Types>");
    zip.add("_rels/.rels", relationshipsStart + "<Relationship Id=\"rId1\" Type=\"" + relationships +
                               "officeDocument\" Target=\"word/document.xml\"/></Relationships>");
    std::string documentRelationships =
        relationshipsStart + "<Relationship Id=\"rId1\" Type=\"" + relationships + "styles\" Target=\"styles.xml\"/>";
    if (compatibilityMode > 0) {
        documentRelationships +=
            "<Relationship Id=\"rId2\" Type=\"" + relationships + "settings\" Target=\"settings.xml\"/>";
        zip.add("word/settings.xml", settingsPart(compatibilityMode));
    }
    zip.add("word/_rels/document.xml.rels", documentRelationships + "</Relationships>");
    zip.add("word/styles.xml", stylesPart());
    zip.add("word/document.xml", documentPart());
    return zip.close();
}

// The left edge, in points, of the first word with this text in pdftotext's word boxes; -1 without.
double leftOfWord(const std::string& boxes, const std::string& word) {
    const std::regex box("<word xMin=\"([0-9.]+)\"[^>]*>" + word + "</word>");
    std::smatch found;
    return std::regex_search(boxes, found, box) ? std::stod(found[1].str()) : -1;
}

struct WordTablesReading {
    testsupport::TemporaryFolder folder;
    std::map<std::string, std::string> originalBoxes;  // pdftotext's word boxes of LibreOffice's PDF of each .docx
    std::map<std::string, std::string> oursBoxes;      // and of its PDF of our RTF
    std::unique_ptr<testsupport::FlatDocument> ours;  // our RTF of the older layout, read back
    std::string problem;  // empty when everything was converted and read back
};

class WordTablesOracleTest : public testsupport::OracleSuite<WordTablesOracleTest, WordTablesReading, apptest::ProgramRunTest> {
protected:
    std::string missing() const override {
        return testsupport::programOnPath("pdftotext") ? std::string() : "pdftotext (poppler-utils) is not installed";
    }

    // The documents by stem, with the layout version each asks for (0: no settings).
    static constexpr std::pair<const char*, int> kLayouts[] = {{"older", 0}, {"word2013", 15}};

private:
    void prepare(WordTablesReading& work) override {
        std::vector<std::string> documents;
        std::vector<std::string> stems;
        std::vector<std::string> originals;
        for (const auto& [stem, mode] : kLayouts) {
            const std::string name = std::string(stem) + ".docx";
            originals.push_back(work.folder.file(std::string("original-") + name));
            if (!writeDocx(temporary.file(name), mode) || !std::filesystem::copy_file(temporary.file(name), originals.back())) {
                work.problem = "the documents were not written";
                return;
            }
            documents.push_back(name);
            stems.push_back(stem);
        }
        const std::vector<std::string> rtfFiles = convertToRtfInto(documents, stems, work.folder, work.problem);
        if (rtfFiles.empty()) return;
        std::vector<std::string> toLayOut = originals;
        toLayOut.insert(toLayOut.end(), rtfFiles.begin(), rtfFiles.end());
        OfficeOracle oracle;
        const testsupport::ProgramRun pdf = oracle.convert(toLayOut, "pdf", work.folder.path());
        const testsupport::ProgramRun flat = oracle.convert({rtfFiles[0]}, "fodt", work.folder.path());
        if (pdf.exitStatus != 0 || flat.exitStatus != 0) {
            work.problem = "LibreOffice failed: " + pdf.messages + flat.messages;
            return;
        }
        for (const std::string& stem : stems) {
            work.originalBoxes[stem] = boxesOf("original-" + stem);
            work.oursBoxes[stem] = boxesOf(stem);
        }
        work.ours = std::make_unique<testsupport::FlatDocument>(work.folder.file(stems[0] + ".fodt"));
    }
    std::string boxesOf(const std::string& stem) {
        const std::string boxes = shared->folder.file(stem + ".html");
        const testsupport::ProgramRun run = testsupport::runProgram(
            {"pdftotext", "-bbox", shared->folder.file(stem + ".pdf"), boxes}, OfficeOracle::kLimitSeconds);
        if (run.exitStatus != 0) shared->problem = "pdftotext failed on " + stem + ": " + run.messages;
        return testsupport::readBytes(boxes);
    }
};

TEST_F(WordTablesOracleTest, TheFirstColumnsTextStandsWhereItStandsInTheOriginal) {
    for (const auto& [stem, mode] : kLayouts) {
        SCOPED_TRACE(stem);
        const std::string& original = shared->originalBoxes.at(stem);
        const std::string& ours = shared->oursBoxes.at(stem);
        // The paragraph after the table stays at the margin, outside it.
        for (const char* word : {"Heading", "Body", "Other", "After"}) {
            ASSERT_GE(leftOfWord(original, word), 0) << word << " is not in the original's PDF";
            ASSERT_GE(leftOfWord(ours, word), 0) << word << " is not in the PDF of our RTF";
            EXPECT_NEAR(leftOfWord(ours, word), leftOfWord(original, word), 1.0) << word;
        }
    }
    // The two layouts do place the table apart: the test tells them apart.
    EXPECT_GT(leftOfWord(shared->originalBoxes.at("word2013"), "Body") - leftOfWord(shared->originalBoxes.at("older"), "Body"), 5);
}

TEST_F(WordTablesOracleTest, TheTableStylesHeaderRowIsBoldAndTheOtherRowsAreNot) {
    const auto boldText = [](const char* text) {
        return "//*[self::text:span or self::text:p][contains(., '" + std::string(text) +
               "')][@text:style-name = //style:style[style:text-properties/@fo:font-weight = 'bold']/@style:name]";
    };
    EXPECT_GE(shared->ours->evaluate(boldText("Heading")), 1);
    EXPECT_GE(shared->ours->evaluate(boldText("Other")), 1);
    EXPECT_EQ(shared->ours->evaluate(boldText("Body")), 0);
    EXPECT_EQ(shared->ours->evaluate(boldText("Before the table")), 0);
}

}  // namespace
