// .docx documents of lists, notes and frames converted by the program to RTF and read back by
// LibreOffice: bullets and numbers in table cells, a list label's own font and size, a numbering that
// restarts, list numbers that replace a level's number format, the line above the footnotes, a drop cap beside its paragraph and a text box that keeps its
// line. The documents are converted once for the suite (starting LibreOffice costs seconds).
#include <regex>
#include <string>
#include <vector>

#include "tests/app/documents/AuthoredDocuments.h"
#include "tests/app/oracle/OfficeReadBack.h"
#include "tests/support/FileBytes.h"

namespace {

using namespace apptest::authored;

std::string listItem(int numId, int ilvl, const std::string& text, const std::string& style = "") {
    return "<w:p><w:pPr>" + (style.empty() ? "" : "<w:pStyle w:val=\"" + style + "\"/>") + "<w:numPr><w:ilvl w:val=\"" +
           std::to_string(ilvl) + "\"/><w:numId w:val=\"" + std::to_string(numId) + "\"/></w:numPr></w:pPr><w:r><w:t>" +
           text + "</w:t></w:r></w:p>";
}

std::string styledParagraph(const std::string& style, const std::string& text) {
    return "<w:p><w:pPr><w:pStyle w:val=\"" + style + "\"/></w:pPr><w:r><w:t>" + text + "</w:t></w:r></w:p>";
}

// A table whose cells hold a bulleted list (numbered directly, and through a paragraph style), then a
// numbered list whose labels are Courier New, 20 points and red, and the same list restarted by an
// instance that overrides its first level's start.
bool writeListsInCells(const std::string& path) {
    const std::string styles =
        "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\"/><w:sz w:val=\"22\"/></w:rPr>"
        "</w:rPrDefault></w:docDefaults><w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/>"
        "</w:style><w:style w:type=\"paragraph\" w:styleId=\"LB\"><w:name w:val=\"List Bullet\"/><w:basedOn w:val=\"Normal\"/>"
        "<w:pPr><w:numPr><w:numId w:val=\"1\"/></w:numPr></w:pPr></w:style>";
    const std::string numbering =
        "<w:abstractNum w:abstractNumId=\"1\"><w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:numFmt w:val=\"bullet\"/>"
        "<w:lvlText w:val=\"\xE2\x80\xA2\"/><w:pPr><w:ind w:left=\"360\" w:hanging=\"360\"/></w:pPr></w:lvl></w:abstractNum>"
        "<w:abstractNum w:abstractNumId=\"2\"><w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:numFmt w:val=\"decimal\"/>"
        "<w:lvlText w:val=\"%1.\"/><w:pPr><w:ind w:left=\"720\" w:hanging=\"360\"/></w:pPr><w:rPr>"
        "<w:rFonts w:ascii=\"Courier New\" w:hAnsi=\"Courier New\"/><w:color w:val=\"FF0000\"/><w:sz w:val=\"40\"/></w:rPr>"
        "</w:lvl></w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"1\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"2\"/></w:num><w:num w:numId=\"3\"><w:abstractNumId w:val=\"2\"/>"
        "<w:lvlOverride w:ilvl=\"0\"><w:startOverride w:val=\"1\"/></w:lvlOverride></w:num>";
    const std::string table = "<w:tbl><w:tblGrid><w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"3000\"/></w:tblGrid><w:tr>" +
                              cell(listItem(1, 0, "Cell bullet one") + listItem(1, 0, "Cell bullet two")) +
                              cell(styledParagraph("LB", "Style bullet")) + "</w:tr></w:tbl>";
    const std::string body = paragraph("Above") + table + listItem(2, 0, "Red first") + listItem(2, 0, "Red second") +
                             listItem(3, 0, "Restarted");
    return writeDocx(path, body, relationship("rIdS", "styles", "styles.xml") + relationship("rIdN", "numbering", "numbering.xml"),
                     {{"word/styles.xml", part("styles", styles)}, {"word/numbering.xml", part("numbering", numbering)}});
}

// One level of a list, numbered in `format` with the number text given.
std::string listLevel(int ilvl, const std::string& format, const std::string& text, int start, int indent) {
    return "<w:lvl w:ilvl=\"" + std::to_string(ilvl) + "\"><w:start w:val=\"" + std::to_string(start) + "\"/>" + format +
           "<w:lvlText w:val=\"" + text + "\"/><w:pPr><w:ind w:left=\"" + std::to_string(indent) +
           "\" w:hanging=\"360\"/></w:pPr></w:lvl>";
}

std::string numberFormat(const std::string& format) {
    return "<w:numFmt w:val=\"" + format + "\"/>";
}

// A two-level decimal list, the same list through a number that replaces its second level with letters
// ("a)"), and a number that restarts it at 4 with its first level replaced by roman numbers ("IV:").
bool writeLevelOverrides(const std::string& path) {
    const std::string numbering =
        "<w:abstractNum w:abstractNumId=\"1\">" + listLevel(0, numberFormat("decimal"), "%1.", 1, 720) +
        listLevel(1, numberFormat("decimal"), "%2.", 1, 1440) + "</w:abstractNum>"
        "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"1\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"1\"/><w:lvlOverride w:ilvl=\"1\">" +
        listLevel(1, numberFormat("lowerLetter"), "%2)", 1, 1440) + "</w:lvlOverride></w:num>"
        "<w:num w:numId=\"3\"><w:abstractNumId w:val=\"1\"/><w:lvlOverride w:ilvl=\"0\"><w:startOverride w:val=\"4\"/>" +
        listLevel(0, numberFormat("upperRoman"), "%1:", 4, 720) + "</w:lvlOverride></w:num>";
    const std::string body = listItem(1, 0, "Plain first") + listItem(1, 1, "Plain sub") + listItem(2, 0, "Replaced first") +
                             listItem(2, 1, "Replaced sub") + listItem(2, 1, "Replaced sub two") +
                             listItem(3, 0, "Restarted roman");
    return writeDocx(path, body, relationship("rIdN", "numbering", "numbering.xml"),
                     {{"word/numbering.xml", part("numbering", numbering)}});
}

// The same list with letters on its second level in a Word 2003 XML document, where a list number is a
// "w:list" of a "w:listDef".
std::string levelOverrides2003() {
    const auto item = [](int ilfo, int ilvl, const std::string& text) {
        return "<w:p><w:pPr><w:listPr><w:ilvl w:val=\"" + std::to_string(ilvl) + "\"/><w:ilfo w:val=\"" +
               std::to_string(ilfo) + "\"/></w:listPr></w:pPr><w:r><w:t>" + text + "</w:t></w:r></w:p>";
    };
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\"><w:lists>"
           "<w:listDef w:listDefId=\"1\"><w:plt w:val=\"HybridMultilevel\"/>" +
           listLevel(0, "<w:nfc w:val=\"0\"/>", "%1.", 1, 720) + listLevel(1, "<w:nfc w:val=\"0\"/>", "%2.", 1, 1440) +
           "</w:listDef><w:list w:ilfo=\"1\"><w:ilst w:val=\"1\"/></w:list><w:list w:ilfo=\"2\"><w:ilst w:val=\"1\"/>"
           "<w:lvlOverride w:ilvl=\"1\">" + listLevel(1, "<w:nfc w:val=\"4\"/>", "%2)", 1, 1440) +
           "</w:lvlOverride></w:list></w:lists><w:body>" + item(1, 0, "Plain first") + item(1, 1, "Plain sub") +
           item(2, 0, "Replaced first") + item(2, 1, "Replaced sub") + item(2, 1, "Replaced sub two") +
           "</w:body></w:wordDocument>";
}

// A drop cap whose frame names no anchor, the paragraph it drops into with a footnote, and a VML text box
// that its style leaves in the line of text, followed by a paragraph. The document has no styles part:
// LibreOffice puts a drop cap's frame beside its paragraph only in an RTF file whose style sheet defines
// no default paragraph style (style 0), whatever the frame's own words say.
bool writeNotesAndFrames(const std::string& path) {
    const std::string dropCap =
        "<w:p><w:pPr><w:framePr w:dropCap=\"drop\" w:lines=\"3\" w:wrap=\"around\"/><w:spacing w:line=\"720\" "
        "w:lineRule=\"exact\"/></w:pPr><w:r><w:rPr><w:sz w:val=\"96\"/></w:rPr><w:t>D</w:t></w:r></w:p>"
        "<w:p><w:r><w:t>rop cap paragraph, long enough to wrap beside the dropped letter for three lines of text, and "
        "then a few words more so that it goes on below the letter as well.</w:t></w:r>"
        "<w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>";
    const std::string textBox =
        "<w:p><w:r><w:pict><v:shape id=\"Box2\" style=\"width:300pt;height:100pt;mso-position-horizontal-relative:char;"
        "mso-position-vertical-relative:line\" stroked=\"t\"><v:textbox><w:txbxContent><w:p><w:r><w:t>Boxed in line</w:t>"
        "</w:r></w:p></w:txbxContent></v:textbox></v:shape></w:pict></w:r></w:p>";
    const std::string footnotes =
        "<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
        "<w:footnote w:type=\"continuationSeparator\" w:id=\"0\"><w:p><w:r><w:continuationSeparator/></w:r></w:p></w:footnote>"
        "<w:footnote w:id=\"1\"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t xml:space=\"preserve\"> The note.</w:t></w:r></w:p>"
        "</w:footnote>";
    return writeDocx(path, dropCap + textBox + paragraph("Below the box"),
                     relationship("rIdF", "footnotes", "footnotes.xml"), {{"word/footnotes.xml", part("footnotes", footnotes)}});
}

class ListsNotesFramesOracleTest : public apptest::ReadBackSuite<ListsNotesFramesOracleTest> {
protected:
    static double evaluate(const std::string& stem, const std::string& expression) {
        return shared->documents.at(stem)->evaluate(expression);
    }
    // Whether a line of LibreOffice's plain text of the document matches the pattern whole.
    static bool hasLine(const std::string& stem, const std::string& pattern) {
        const std::regex expression(pattern);
        for (const std::string& line : shared->lines(stem))
            if (std::regex_match(line, expression)) return true;
        return false;
    }

private:
    void prepare(apptest::OfficeReadBack& readBack) override {
        const std::vector<std::string> stems = {"lists", "frames", "overrides", "overrides2003"};
        if (!writeListsInCells(temporary.file("lists.docx")) || !writeNotesAndFrames(temporary.file("frames.docx")) ||
            !writeLevelOverrides(temporary.file("overrides.docx")) ||
            !testsupport::writeBytes(temporary.file("overrides2003.xml"), levelOverrides2003())) {
            readBack.problem = "the documents were not written";
            return;
        }
        const std::vector<std::string> rtfFiles = convertToRtfInto(
            {"lists.docx", "frames.docx", "overrides.docx", "overrides2003.xml"}, stems, readBack.folder, readBack.problem);
        if (!rtfFiles.empty()) readBack.read(rtfFiles, stems);
    }
};

TEST_F(ListsNotesFramesOracleTest, ListsInTableCellsKeepTheirBullets) {
    for (const char* item : {"Cell bullet one", "Cell bullet two", "Style bullet"}) {
        EXPECT_GE(evaluate("lists", "//table:table-cell//text:list-item[normalize-space(.)='" + std::string(item) + "']"), 1)
            << item << " is no list item in its cell";
        EXPECT_TRUE(hasLine("lists", "\\s*\u2022\\s+" + std::string(item))) << item << " has no bullet";
    }
}

TEST_F(ListsNotesFramesOracleTest, ALabelKeepsItsFontAndSizeAndAnOverrideRestartsTheNumbering) {
    // The label's colour is not checked: LibreOffice takes no colour for a list label from any RTF.
    EXPECT_GE(evaluate("lists", "//text:list-level-style-number[@text:level='1'][@text:style-name = "
                                "//style:style[style:text-properties[@fo:font-size='20pt'][@style:font-name='Courier New']]"
                                "/@style:name]"),
              1);
    for (const char* line : {"\\s*1\\.\\s+Red first", "\\s*2\\.\\s+Red second", "\\s*1\\.\\s+Restarted"})
        EXPECT_TRUE(hasLine("lists", line)) << line;
}

// A number that replaces a level shows the replaced level's format and still counts with its list.
TEST_F(ListsNotesFramesOracleTest, AListNumberShowsTheFormatOfTheLevelItReplaces) {
    const struct {
        const char* stem;
        std::vector<const char*> lines;
    } cases[] = {
        {"overrides",
         {"\\s*1\\.\\s+Plain first", "\\s*1\\.\\s+Plain sub", "\\s*2\\.\\s+Replaced first", "\\s*a\\)\\s+Replaced sub",
          "\\s*b\\)\\s+Replaced sub two", "\\s*IV:\\s+Restarted roman"}},
        {"overrides2003",
         {"\\s*1\\.\\s+Plain sub", "\\s*2\\.\\s+Replaced first", "\\s*a\\)\\s+Replaced sub", "\\s*b\\)\\s+Replaced sub two"}},
    };
    for (const auto& c : cases)
        for (const char* line : c.lines) EXPECT_TRUE(hasLine(c.stem, line)) << c.stem << ": " << line;
}

TEST_F(ListsNotesFramesOracleTest, TheFootnotesHaveTheirSeparatorLine) {
    EXPECT_GE(evaluate("frames", "//style:footnote-sep[@style:rel-width != '0%']"), 1);
}

TEST_F(ListsNotesFramesOracleTest, ADropCapStandsBesideItsParagraphAndATextBoxKeepsItsLine) {
    EXPECT_GE(evaluate("frames", "//draw:frame[@text:anchor-type='paragraph']/draw:text-box[normalize-space(.)='D']"), 1)
        << "the drop cap is no frame beside its paragraph";
    // Wrap "none" keeps the box's lines free of text; "run-through" would print the next paragraph
    // through the box.
    EXPECT_GE(evaluate("frames", "//draw:frame[@draw:style-name = //style:style[style:graphic-properties/@style:wrap='none']"
                                 "/@style:name][draw:text-box[normalize-space(.)='Boxed in line']]"),
              1);
}

}  // namespace
