// Documents as current word processors write them (AuthoredDocuments.h), converted by the program to
// RTF and to Unicode text: what a reader of each sees is what the document holds, and nothing of a
// drawing's layout, a picture's bytes or an alternative branch appears as text.
#include <cstring>
#include <string>
#include <vector>

#include "foundation/Utf8Codec.h"
#include "import/wordml/CWordMLImporter.h"
#include "tests/app/AuthoredDocuments.h"
#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FileBytes.h"

namespace {

using testsupport::readBytes;

const char* const kStems[] = {"textboxes", "links", "fonts", "notes"};

class AuthoredDocumentsTest : public apptest::ProgramRunTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(apptest::authored::writeTextBoxes(temporary.file("textboxes.docx")));
        ASSERT_TRUE(apptest::authored::writeLinks(temporary.file("links.docx")));
        ASSERT_TRUE(apptest::authored::writeFontsAndSwitches(temporary.file("fonts.docx")));
        ASSERT_TRUE(apptest::authored::writeCommentSymbolsAndNote(temporary.file("notes.docx")));
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
        for (const char* stem : {"textboxes", "links", "fonts", "notes", "older"})
            outputs[stem] = readBytes(temporary.file(std::string(stem) + extension));
        return outputs;
    }
    // The UTF-16 text file as UTF-8.
    static std::string unicodeText(const std::string& bytes) {
        std::u16string units(bytes.size() / 2, u'\0');
        std::memcpy(units.data(), bytes.data(), units.size() * 2);
        return utf16ToUtf8String(units);
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
    const std::string boxes = unicodeText(outputs.at("textboxes"));
    EXPECT_NE(boxes.find("BeforeBetween"), std::string::npos) << boxes;
    EXPECT_NE(boxes.find("ThenAfter"), std::string::npos) << boxes;
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
