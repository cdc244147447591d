// Word 2007 packages through the program: parts found through the package relationships, whatever the
// main part is called and in either vocabulary of relationship types; each kind of unreadable file told
// by its own reason, alone and in a batch; and no copy of the document left in the cache folder.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/app/ProgramRunSupport.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/FileBytes.h"

namespace {

using apptest::RunResult;
using testsupport::readBytes;
using testsupport::writeBytes;

using Parts = std::map<std::string, std::string>;

const char* const kTransitional = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const char* const kStrict = "http://purl.oclc.org/ooxml/officeDocument/relationships/";

std::string relationshipsOf(const std::map<std::string, std::string>& typeToTarget) {
    std::string xml = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int id = 0;
    for (const auto& [type, target] : typeToTarget)
        xml += "<Relationship Id=\"rId" + std::to_string(++id) + "\" Type=\"" + type + "\" Target=\"" + target + "\"/>";
    return xml + "</Relationships>";
}

std::string wordPart(const char* root, const std::string& content, const char* wordNamespace) {
    return std::string("<?xml version=\"1.0\"?><w:") + root + " xmlns:w=\"" + wordNamespace + "\">" + content +
           "</w:" + root + ">";
}

// A package whose main part is "word/document2.xml" (named by the package relationships) with its font
// table under another name, in the vocabulary of the domain; a decoy stands at word/document.xml.
Parts renamedPackage(const std::string& domain, const char* wordNamespace) {
    return {
        {"_rels/.rels", relationshipsOf({{domain + "officeDocument", "word/document2.xml"}})},
        {"word/_rels/document2.xml.rels", relationshipsOf({{domain + "fontTable", "typefaces.xml"}})},
        {"word/document2.xml",
         wordPart("document",
                  "<w:body><w:p><w:r><w:rPr><w:rFonts w:ascii=\"Found Face\" w:hAnsi=\"Found Face\"/></w:rPr>"
                  "<w:t>Found through the package</w:t></w:r></w:p></w:body>",
                  wordNamespace)},
        {"word/typefaces.xml", wordPart("fonts", "<w:font w:name=\"Found Face\"/>", wordNamespace)},
        {"word/document.xml",
         wordPart("document", "<w:body><w:p><w:r><w:t>Decoy</w:t></w:r></w:p></w:body>", wordNamespace)},
    };
}

const char* const kTransitionalWord = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
const char* const kStrictWord = "http://purl.oclc.org/ooxml/wordprocessingml/main";

class WordPackageRunTest : public apptest::ProgramRunTest {
protected:
    void writePackage(const std::string& name, const Parts& parts) {
        testsupport::ZipBuilder zip(temporary.file(name));
        for (const auto& [path, bytes] : parts) zip.add(path, bytes);
        ASSERT_TRUE(zip.close());
    }
    // The broken files, each with the reason it is told by.
    void writeBrokenFiles() {
        const Parts good = renamedPackage(kTransitional, kTransitionalWord);
        writePackage("good.docx", good);
        const std::string whole = readBytes(temporary.file("good.docx"));
        ASSERT_TRUE(writeBytes(temporary.file("truncated.docx"), whole.substr(0, whole.size() / 2)));
        {
            testsupport::ZipBuilder zip(temporary.file("damaged.docx"));
            const std::string& main = good.at("word/document2.xml");
            for (const auto& [path, bytes] : good)
                if (path != "word/document2.xml") zip.add(path, bytes);
            zip.addRaw("word/document2.xml", 0, main, main.size(), testsupport::crcOf(main) ^ 1u);
            ASSERT_TRUE(zip.close());
        }
        Parts notWellFormed = good;
        notWellFormed["word/document2.xml"] = "<w:document xmlns:w=\"" + std::string(kTransitionalWord) + "\"><w:body>";
        writePackage("notwellformed.docx", notWellFormed);
        writePackage("nomainpart.docx", {{"word/styles.xml", "<w:styles/>"}});
    }
};

TEST_F(WordPackageRunTest, TheMainPartAndItsPartsAreFoundThroughTheRelationshipsToRtfAndText) {
    writePackage("transitional.docx", renamedPackage(kTransitional, kTransitionalWord));
    writePackage("strict.docx", renamedPackage(kStrict, kStrictWord));
    for (const char* exporter : {"RTF", "Text"}) {
        convertDocumentsTo(exporter);
        const RunResult result = run({"transitional.docx", "strict.docx"});
        ASSERT_EQ(result.status, 0) << exporter << ": " << result.errors;
        for (const std::string stem : {"transitional", "strict"}) {
            const std::string extension = std::string(exporter) == "RTF" ? ".rtf" : ".txt";
            const std::string output = readBytes(temporary.file(stem + extension));
            EXPECT_NE(output.find("Found through the package"), std::string::npos) << stem << extension;
            EXPECT_EQ(output.find("Decoy"), std::string::npos) << stem << extension;
            if (extension == ".rtf") {
                EXPECT_NE(output.find("Found Face;"), std::string::npos) << stem << ": the font table names it";
            }
            std::filesystem::remove(temporary.file(stem + extension));
        }
    }
}

TEST_F(WordPackageRunTest, EachUnreadableFileIsToldByItsOwnReason) {
    writeBrokenFiles();
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"missing.docx", "because it does not exist."},
        {"truncated.docx", "because it is damaged: its package is incomplete"},
        {"damaged.docx", "because it is damaged: the part 'word/document2.xml' of its package cannot be unpacked "
                         "or does not match its checksum."},
        {"notwellformed.docx", "because the part 'word/document2.xml' of the document is not well-formed XML."},
        {"nomainpart.docx", "because this docx file was created with a beta version of Word 2007"},
    };
    for (const auto& item : cases) {
        const RunResult result = run({item.name});
        EXPECT_EQ(result.status, 1) << item.name;
        EXPECT_NE(result.errors.find(std::string("Could not convert the file '") + item.name + "' " + item.reason),
                  std::string::npos)
            << item.name << ": " << result.errors;
    }
}

TEST_F(WordPackageRunTest, AnUnreadableFileIsToldAsSuch) {
    writePackage("locked.docx", renamedPackage(kTransitional, kTransitionalWord));
    ASSERT_EQ(chmod(temporary.file("locked.docx").c_str(), 0), 0);
    if (access(temporary.file("locked.docx").c_str(), R_OK) == 0) GTEST_SKIP() << "this user reads every file";
    const RunResult result = run({"locked.docx"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("Could not convert the file 'locked.docx' because it cannot be read"),
              std::string::npos)
        << result.errors;
}

// A batch asks nothing, but names each file that failed with its reason on a line of its own.
TEST_F(WordPackageRunTest, ABatchNamesEachFailedFileOnALineOfItsOwn) {
    writeBrokenFiles();
    const RunResult result = run({"good.docx", "missing.docx", "truncated.docx", "damaged.docx"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(std::filesystem::exists(temporary.file("good.rtf")));
    for (const char* name : {"missing.docx", "truncated.docx", "damaged.docx"}) {
        const std::string line = std::string("Could not convert the file '") + name + "' because ";
        const std::size_t at = result.errors.find(line);
        ASSERT_NE(at, std::string::npos) << name << ": " << result.errors;
        EXPECT_EQ(result.errors.find(line, at + 1), std::string::npos) << name << " is told once";
    }
    EXPECT_EQ(result.errors.find("'good.docx' because"), std::string::npos) << result.errors;
}

// The storage holds a copy of the document: a conversion leaves none behind in the cache folder.
TEST_F(WordPackageRunTest, NoStorageFileRemainsAfterAConversion) {
    writePackage("kept.docx", renamedPackage(kTransitional, kTransitionalWord));
    const RunResult result = run({"kept.docx"});
    ASSERT_EQ(result.status, 0) << result.errors;
    ASSERT_TRUE(std::filesystem::exists(temporary.file("kept.rtf")));
    const std::filesystem::path cache = home() + "cache";
    ASSERT_TRUE(std::filesystem::exists(cache)) << "the program made its temporary folder";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(cache))
        EXPECT_FALSE(entry.is_regular_file()) << entry.path();
}

}  // namespace
