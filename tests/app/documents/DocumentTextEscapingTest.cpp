// A document's text never becomes commands in our RTF: each place a Word document's text can reach the
// RTF gets a text that closes the group it stands in and opens a field. The program converts the
// document with that text and with a harmless one; both must give the same groups and control words,
// and the text must show as text. A .docx WordArt shape and the hostile documents of the shared
// corpus (when present) convert with the text shown as text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/app/documents/HostileDocuments.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/FileBytes.h"

namespace {

using hostile::kHarmless;
using hostile::kPayload;
using hostile::RtfReading;

// Both variants of every place, converted in one run of the program.
class DocumentTextEscapingTest : public apptest::ProgramRunTest {
protected:
    // The RTF of each document, read; empty with a failure added when the program did not convert it.
    std::vector<RtfReading> convert(const std::vector<std::string>& documents) {
        convertDocumentsTo("RTF");
        const apptest::RunResult result = run(documents);
        EXPECT_EQ(result.status, 0) << result.errors;
        std::vector<RtfReading> readings;
        for (const std::string& document : documents) {
            const std::string rtf = temporary.file(std::filesystem::path(document).stem().string() + ".rtf");
            readings.push_back(hostile::readRtf(testsupport::readBytes(rtf)));
        }
        return readings;
    }
};

void expectBalanced(const RtfReading& reading) {
    EXPECT_EQ(reading.lowestDepth, 0) << "a group closes that was never opened";
    EXPECT_EQ(reading.endDepth, 0) << "the groups do not balance";
}

TEST_F(DocumentTextEscapingTest, EveryPlaceKeepsTheDocumentTextAsText) {
    std::vector<std::string> documents;
    for (const hostile::Place& place : hostile::places()) {
        for (const std::string* value : {place.payload, &kHarmless}) {
            const std::string name = std::string(place.name) + (value == &kHarmless ? "-harmless.xml" : "-payload.xml");
            ASSERT_TRUE(testsupport::writeBytes(temporary.file(name), hostile::wordDocument(place.parts(*value))));
            documents.push_back(name);
        }
    }
    const std::vector<RtfReading> readings = convert(documents);
    ASSERT_EQ(readings.size(), documents.size());
    for (std::size_t i = 0; i < hostile::places().size(); ++i) {
        const hostile::Place& place = hostile::places()[i];
        SCOPED_TRACE(place.name);
        const RtfReading& withPayload = readings[2 * i];
        const RtfReading& harmless = readings[2 * i + 1];
        expectBalanced(withPayload);
        EXPECT_EQ(withPayload.commands, harmless.commands) << "the text changed the commands";
        if (!place.shown) continue;
        EXPECT_NE(harmless.text.find(kHarmless), std::string::npos) << "the place is not written";
        EXPECT_NE(withPayload.text.find(*place.payload), std::string::npos) << withPayload.text;
    }
}

// A .docx whose WordArt shape (its text and font), horizontal rule (its width), header, footer, link
// targets (the body's and the header's, each through its own part's relationships), link anchor and
// comment (its author and initials) carry the value.
bool writeDocx(const std::string& path, const std::string& value) {
    const std::string v = hostile::xmlEscaped(value);
    const std::string wordNamespaces =
        " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
        " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
        " xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\"";
    const std::string relationshipType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string partType = "application/vnd.openxmlformats-officedocument.wordprocessingml.";
    const std::string text = "<w:p><w:r><w:t>" + v + "</w:t></w:r></w:p>";
    testsupport::ZipBuilder zip(path);
    zip.add("[Content_Types].xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
            "content-types\"><Default Extension=\"rels\" ContentType=\"application/"
            "vnd.openxmlformats-package.relationships+xml\"/><Override PartName=\"/word/document.xml\" ContentType=\"" +
                partType + "document.main+xml\"/><Override PartName=\"/word/header1.xml\" ContentType=\"" + partType +
                "header+xml\"/><Override PartName=\"/word/footer1.xml\" ContentType=\"" + partType +
                "footer+xml\"/><Override PartName=\"/word/comments.xml\" ContentType=\"" + partType +
                "comments+xml\"/></Types>");
    zip.add("_rels/.rels",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
            "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"" +
                relationshipType + "officeDocument\" Target=\"word/document.xml\"/></Relationships>");
    zip.add("word/_rels/document.xml.rels",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
            "package/2006/relationships\"><Relationship Id=\"rIdH\" Type=\"" +
                relationshipType + "header\" Target=\"header1.xml\"/><Relationship Id=\"rIdF\" Type=\"" +
                relationshipType + "footer\" Target=\"footer1.xml\"/><Relationship Id=\"rIdL\" Type=\"" +
                relationshipType + "hyperlink\" Target=\"" + v + "\" TargetMode=\"External\"/><Relationship Id=\"rIdC\" Type=\"" +
                relationshipType + "comments\" Target=\"comments.xml\"/></Relationships>");
    // The header's link has an id of its own, which only the header's relationships resolve.
    zip.add("word/_rels/header1.xml.rels",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
            "package/2006/relationships\"><Relationship Id=\"rIdHL\" Type=\"" +
                relationshipType + "hyperlink\" Target=\"" + v + "\" TargetMode=\"External\"/></Relationships>");
    zip.add("word/header1.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:hdr" + wordNamespaces + ">" + text +
                                    "<w:p><w:hyperlink r:id=\"rIdHL\"><w:r><w:t>top</w:t></w:r></w:hyperlink></w:p></w:hdr>");
    zip.add("word/comments.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:comments" + wordNamespaces +
                                     "><w:comment w:id=\"0\" w:author=\"" + v + "\" w:initials=\"" + v +
                                     "\"><w:p><w:r><w:annotationRef/></w:r><w:r><w:t>remark</w:t></w:r></w:p></w:comment>"
                                     "</w:comments>");
    zip.add("word/footer1.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:ftr" + wordNamespaces + ">" + text + "</w:ftr>");
    zip.add("word/document.xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document" + wordNamespaces +
                "><w:body><w:p><w:r><w:pict><v:shape id=\"_x0000_s1025\" style=\"position:absolute;width:200pt;"
                "height:50pt\"><v:textpath on=\"t\" style=\"font-family:" +
                v + "\" string=\"" + v +
                "\"/></v:shape><v:rect id=\"_x0000_s1026\" style=\"width:100pt;height:2pt\" o:hr=\"t\" o:hrpct=\"" + v +
                "\"/></w:pict></w:r></w:p><w:p><w:hyperlink r:id=\"rIdL\"><w:r><w:t>target</w:t></w:r></w:hyperlink>"
                "<w:r><w:t> and </w:t></w:r><w:hyperlink w:anchor=\"" + v + "\"><w:r><w:t>anchor</w:t></w:r></w:hyperlink>"
                "<w:r><w:commentReference w:id=\"0\"/></w:r></w:p><w:sectPr><w:headerReference "
                "w:type=\"default\" r:id=\"rIdH\"/><w:footerReference w:type=\"default\" r:id=\"rIdF\"/></w:sectPr>"
                "</w:body></w:document>");
    return zip.close();
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

TEST_F(DocumentTextEscapingTest, DocxShapesHeadersFootersAndLinksKeepTheirTextsAsText) {
    ASSERT_TRUE(writeDocx(temporary.file("docx-payload.docx"), kPayload));
    ASSERT_TRUE(writeDocx(temporary.file("docx-harmless.docx"), kHarmless));
    const std::vector<RtfReading> readings = convert({"docx-payload.docx", "docx-harmless.docx"});
    ASSERT_EQ(readings.size(), 2u);
    expectBalanced(readings[0]);
    EXPECT_EQ(readings[0].commands, readings[1].commands);
    // The WordArt text and font, the rule's width, the header, the footer, the three links, and the
    // comment's author (in the revision table and before its mark) and initials.
    EXPECT_EQ(occurrences(readings[1].text, kHarmless), 11u) << readings[1].text;
    EXPECT_EQ(occurrences(readings[0].text, kPayload), 11u) << readings[0].text;
    // Each link keeps its field and its result; the comment keeps its text.
    for (const char* kept : {"target", "anchor", "top", "remark"})
        EXPECT_NE(readings[0].text.find(kept), std::string::npos) << kept;
}

// The hostile documents of the shared corpus, where the corpus is at hand.
TEST_F(DocumentTextEscapingTest, SharedHostileDocumentsConvertWithTheirTextAsText) {
    const std::filesystem::path corpus = std::filesystem::path(VDK_TEST_DATA_DIR "/../../../../shared/corpus/hostile");
    if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no shared corpus at " << corpus.string();
    std::vector<std::string> documents;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".rtf")) continue;
        std::filesystem::copy_file(entry.path(), temporary.file(name));
        documents.push_back(name);
    }
    ASSERT_FALSE(documents.empty());
    const std::vector<RtfReading> readings = convert(documents);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        SCOPED_TRACE(documents[i]);
        expectBalanced(readings[i]);
        for (const std::string& command : readings[i].commands) EXPECT_NE(command, "\\field");
        EXPECT_NE(readings[i].text.find("INCLUDETEXT"), std::string::npos) << "the WordArt text is not shown";
    }
}

}  // namespace
