// Documents as current word processors write them (AuthoredDocuments.h), converted by the program to
// RTF and to Unicode text: what a reader of each sees is what the document holds, and nothing of a
// drawing's layout, a picture's bytes or an alternative branch appears as text.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/encoding/Utf8Codec.h"
#include "import/wordml/CWordMLImporter.h"
#include "tests/app/ProgramRunSupport.h"
#include "tests/app/documents/AuthoredDocuments.h"
#include "tests/support/FileBytes.h"

namespace {

using testsupport::readBytes;

const char* const kStems[] = {"textboxes", "links", "fonts", "notes", "tables", "lists"};

class AuthoredDocumentsTest : public apptest::ProgramRunTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(apptest::authored::writeTextBoxes(temporary.file("textboxes.docx")));
        ASSERT_TRUE(apptest::authored::writeLinks(temporary.file("links.docx")));
        ASSERT_TRUE(apptest::authored::writeFontsAndSwitches(temporary.file("fonts.docx")));
        ASSERT_TRUE(apptest::authored::writeCommentSymbolsAndNote(temporary.file("notes.docx")));
        ASSERT_TRUE(apptest::authored::writeTables(temporary.file("tables.docx")));
        ASSERT_TRUE(apptest::authored::writeLists(temporary.file("lists.docx")));
        ASSERT_TRUE(testsupport::writeBytes(temporary.file("older.xml"), apptest::authored::word2003Document()));
    }
    // Converts every document with the exporter; answers the outputs' texts by stem.
    std::map<std::string, std::string> convertAll(const char* exporter, const char* extension) {
        convertDocumentsTo(exporter);
        std::vector<std::string> arguments;
        for (const char* stem : kStems) arguments.push_back(std::string(stem) + ".docx");
        arguments.push_back("older.xml");
        const apptest::RunResult result = run(arguments);
        EXPECT_EQ(result.status, 0) << result.errors;
        std::map<std::string, std::string> outputs;
        for (const char* stem : {"textboxes", "links", "fonts", "notes", "tables", "lists", "older"}) {
            const std::string output = temporary.file(std::string(stem) + extension);
            outputs[stem] = readBytes(output);
            std::filesystem::remove(output);  // the next conversion writes its own
        }
        return outputs;
    }
    // The UTF-16 text file as UTF-8, without its byte order mark.
    static std::string unicodeText(const std::string& bytes) {
        std::u16string units(bytes.size() / 2, u'\0');
        std::memcpy(units.data(), bytes.data(), units.size() * 2);
        if (!units.empty() && units.front() == u'\uFEFF') units.erase(0, 1);
        return utf16ToUtf8String(units);
    }
    // The lines of a text, each without its CR LF; empty lines at the end are left out.
    static std::vector<std::string> linesOf(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        if (start < text.size()) lines.push_back(text.substr(start));
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
        return lines;
    }
};

TEST_F(AuthoredDocumentsTest, TheRtfCarriesWhatTheDocumentsHold) {
    const auto rtf = convertAll("RTF", ".rtf");
    const std::string authorDate =
        "{\\*\\atndate " + std::to_string(CWordMLImporter::parseDateTime("2021-03-04T05:06")) + "}";
    const struct {
        const char* stem;
        const char* what;
        std::string present;
    } found[] = {
        {"textboxes", "the fallback's text box at its anchor", "{\\shptxt "},
        {"textboxes", "the fallback's text", "Boxed fallback"},
        {"textboxes", "the drawing's own text box", "{\\sp{\\sn shapeType}{\\sv 202}}"},
        {"textboxes", "the drawing's text", "Boxed alone"},
        {"links", "the body's link", "HYPERLINK \"http://example.com/body\""},
        {"links", "the header's link, by the header's own id", "HYPERLINK \"http://example.com/header\""},
        {"links", "the footnote's link", "HYPERLINK \"http://example.com/note?a=1&b=2\""},
        {"links", "the internal link", "HYPERLINK \\\\l \"Here\""},
        {"fonts", "the major theme font", "Cambria;"},
        {"fonts", "the minor theme font", "Calibri;"},
        {"fonts", "the style's underline", "\\uldb Doubled"},
        {"fonts", "out of the style's list", "\\ls0 "},
        {"notes", "the comment's initials and author before its mark", "{\\*\\atnid AA}{\\*\\atnauthor Ann Author}\\chatn{"},
        {"notes", "the comment's date", authorDate},
        {"notes", "00DA is the letter", "\\u218\\'da"},
        {"notes", "F0DA is the symbol font's own code", "\\fcharset2 Wingdings;"},
        {"notes", "2192 is the arrow", "\\u8594"},
        {"notes", "the endnote's text beside its mark", "Shared run text."},
        {"older", "the Word 2003 comment's initials and author", "{\\*\\atnid BW}{\\*\\atnauthor Bea Writer}\\chatn{"},
        {"older", "the nested run under the outer run's bold", "\\b\\i bold italic"},
    };
    for (const auto& item : found)
        EXPECT_NE(rtf.at(item.stem).find(item.present), std::string::npos) << item.stem << ": " << item.what;
    const struct {
        const char* stem;
        const char* what;
        const char* absent;
    } lost[] = {
        {"textboxes", "the choice branch", "Boxed choice"},
        {"textboxes", "the anchor's alignment", "center"},
        {"textboxes", "the anchor's offset", "1119505"},
        {"fonts", "a theme alias as a font", "minorHAnsi"},
        {"fonts", "a theme alias as a font", "majorHAnsi"},
        {"fonts", "a theme alias as a font", "minorBidi"},
        {"fonts", "the underline taken away", "\\uldb Plain"},
        {"older", "a picture's bytes as text", "iVBORw0KGgo"},
    };
    for (const auto& item : lost)
        EXPECT_EQ(rtf.at(item.stem).find(item.absent), std::string::npos) << item.stem << ": " << item.what;
    // Each picture of the Word 2003 document stays a picture: in the nested link, the plain link, the field.
    std::size_t pictures = 0;
    for (std::size_t at = rtf.at("older").find("\\pngblip"); at != std::string::npos;
         at = rtf.at("older").find("\\pngblip", at + 1))
        ++pictures;
    EXPECT_EQ(pictures, 3u);
    // The Word 2003 comment is one annotation: its mark opens no second one around it.
    const std::string& older = rtf.at("older");
    const std::size_t annotation = older.find("\\chatn");
    ASSERT_NE(annotation, std::string::npos);
    EXPECT_EQ(older.find("\\chatn", annotation + 1), std::string::npos) << older.substr(annotation);
}

TEST_F(AuthoredDocumentsTest, TheTextHoldsTheTextAndNothingOfTheLayout) {
    const auto outputs = convertAll("Unicode", ".txt");
    // A text box's text comes at its anchor, once; its layout and the branch not taken never come.
    const std::string boxes = unicodeText(outputs.at("textboxes"));
    EXPECT_EQ(linesOf(boxes), (std::vector<std::string>{"BeforeBoxed fallback", "Between", "ThenBoxed alone", "After"}))
        << boxes;
    for (const char* absent : {"center", "1119505", "Boxed choice"})
        EXPECT_EQ(boxes.find(absent), std::string::npos) << absent << " in " << boxes;
    const std::string notes = unicodeText(outputs.at("notes"));
    EXPECT_NE(notes.find("\u00DA"), std::string::npos) << notes;
    EXPECT_NE(notes.find("\u2192"), std::string::npos) << notes;
    EXPECT_EQ(notes.find("\u0192"), std::string::npos) << "no code cut to 12 bits";
    const std::string older = unicodeText(outputs.at("older"));
    EXPECT_NE(older.find("bold italic"), std::string::npos) << older;
    EXPECT_EQ(older.find("iVBORw0KGgo"), std::string::npos) << "a picture's bytes as text";
}

}  // namespace

namespace {

// Every cell ends its line, a cell of two paragraphs gives two lines, an empty cell an empty line, and a
// table in a cell comes in its place; the row's end adds nothing. A listed paragraph starts with its
// number or bullet and the tab after it. Both text writers alike, but for the bullets that the 8-bit
// text's code page has no room for.
TEST_F(AuthoredDocumentsTest, TablesAndListNumbersReachBothTextWriters) {
    const std::vector<std::string> cells = {"Above", "A1", "B1 first", "B1 second", "", "N1", "N2", "", "Below"};
    const std::vector<std::string> numbered = {"1.\tFirst", "1.i)\tSub one", "1.ii)\tSub two", "2.\tSecond",
                                               "2.i)\tSub again"};
    for (const bool unicode : {false, true}) {
        const char* exporter = unicode ? "Unicode" : "Text";
        const auto outputs = convertAll(exporter, ".txt");
        const std::string tables = unicode ? unicodeText(outputs.at("tables")) : outputs.at("tables");
        EXPECT_EQ(linesOf(tables), cells) << exporter << ":\n" << tables;
        const std::string lists = unicode ? unicodeText(outputs.at("lists")) : outputs.at("lists");
        std::vector<std::string> lines = linesOf(lists);
        ASSERT_EQ(lines.size(), 8u) << exporter << ":\n" << lists;
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5), numbered) << exporter;
        EXPECT_EQ(lines[5], unicode ? "\u2022\tDot" : "\x95\tDot") << exporter;
        EXPECT_EQ(lines[7], "Plain") << exporter;
        if (unicode) {
            EXPECT_EQ(lines[6], "\u25E6\tHollow");
        }
    }
}

}  // namespace
