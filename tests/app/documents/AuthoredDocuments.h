#pragma once
// Small documents as current word processors write them, made in the test's folder: a drawing text box
// with and without its VML fallback, links in the body, a header and a footnote, theme fonts, a
// comment with its author and date, symbols, an endnote whose text shares its mark's run, underline
// and numbering switched off, a table with a table in a cell, numbered and bulleted lists, and a Word 2003 document with a picture in
// a link and a comment.
#include <map>
#include <string>

#include "tests/package/ZipBuilder.h"

namespace apptest {

namespace authored {

inline const std::string kNamespaces =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\" "
    "xmlns:v=\"urn:schemas-microsoft-com:vml\" mc:Ignorable=\"wps\"";
inline const std::string kRelationshipTypes = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

inline std::string part(const std::string& root, const std::string& content) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:" + root + " " + kNamespaces + ">" + content + "</w:" + root + ">";
}
inline std::string relationship(const std::string& id, const std::string& type, const std::string& target,
                                bool external = false) {
    return "<Relationship Id=\"" + id + "\" Type=\"" + kRelationshipTypes + type + "\" Target=\"" + target + "\"" +
           (external ? " TargetMode=\"External\"" : "") + "/>";
}
inline std::string relationships(const std::string& content) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
           "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" + content + "</Relationships>";
}

// Writes a .docx whose body and main-part relationships are given, with further parts beside them.
inline bool writeDocx(const std::string& path, const std::string& body, const std::string& mainRelationships,
                      const std::map<std::string, std::string>& parts = {}) {
    testsupport::ZipBuilder zip(path);
    zip.add("[Content_Types].xml",
            "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>");
    zip.add("_rels/.rels", relationships(relationship("rId1", "officeDocument", "word/document.xml")));
    zip.add("word/document.xml", part("document", "<w:body>" + body + "</w:body>"));
    zip.add("word/_rels/document.xml.rels", relationships(mainRelationships));
    for (const auto& [name, bytes] : parts) zip.add(name, bytes);
    return zip.close();
}

// A drawing anchored in a run whose shape holds a text box; its layout values must never become text.
inline std::string drawingTextBox(const std::string& text) {
    return "<w:drawing><wp:anchor><wp:positionH relativeFrom=\"column\"><wp:align>center</wp:align></wp:positionH>"
           "<wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>1119505</wp:posOffset></wp:positionV>"
           "<wp:extent cx=\"1828800\" cy=\"457200\"/><wp:docPr id=\"7\" name=\"Text Box 7\"/><a:graphic>"
           "<a:graphicData uri=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\"><wps:wsp><wps:txbx>"
           "<w:txbxContent><w:p><w:r><w:t>" + text + "</w:t></w:r></w:p></w:txbxContent></wps:txbx></wps:wsp>"
           "</a:graphicData></a:graphic></wp:anchor></w:drawing>";
}

inline bool writeTextBoxes(const std::string& path) {
    const std::string withFallback =
        "<w:p><w:r><w:t>Before</w:t></w:r><w:r><mc:AlternateContent><mc:Choice Requires=\"wps\">" +
        drawingTextBox("Boxed choice") +
        "</mc:Choice><mc:Fallback><w:pict><v:shape id=\"Box1\" style=\"width:144pt;height:36pt\"><v:textbox>"
        "<w:txbxContent><w:p><w:r><w:t>Boxed fallback</w:t></w:r></w:p></w:txbxContent></v:textbox></v:shape>"
        "</w:pict></mc:Fallback></mc:AlternateContent></w:r><w:r><w:t>Between</w:t></w:r></w:p>";
    const std::string alone = "<w:p><w:r><w:t>Then</w:t></w:r><w:r>" + drawingTextBox("Boxed alone") +
                              "</w:r><w:r><w:t>After</w:t></w:r></w:p>";
    return writeDocx(path, withFallback + alone, "");
}

inline std::string paragraph(const std::string& text) {
    return text.empty() ? "<w:p/>" : "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>";
}
inline std::string cell(const std::string& content) {
    return "<w:tc>" + content + "</w:tc>";
}

// A table between two paragraphs: a cell of two paragraphs, an empty cell, and a cell holding a table
// of its own followed by its closing paragraph.
inline bool writeTables(const std::string& path) {
    const std::string nested = "<w:tbl><w:tr>" + cell(paragraph("N1")) + cell(paragraph("N2")) + "</w:tr></w:tbl>";
    const std::string table = "<w:tbl><w:tr>" + cell(paragraph("A1")) + cell(paragraph("B1 first") + paragraph("B1 second")) +
                              "</w:tr><w:tr>" + cell(paragraph("")) + cell(nested + paragraph("")) + "</w:tr></w:tbl>";
    return writeDocx(path, paragraph("Above") + table + paragraph("Below"), "");
}

// A numbered list whose second level counts in Roman numerals under the first level's number (and
// starts over under each new first-level item), a bulleted list with Symbol's bullet and the hollow
// "o", and a paragraph out of any list.
inline bool writeLists(const std::string& path) {
    const auto level = [](int ilvl, const std::string& format, const std::string& text, const std::string& font = "") {
        return "<w:lvl w:ilvl=\"" + std::to_string(ilvl) + "\"><w:start w:val=\"1\"/><w:numFmt w:val=\"" + format +
               "\"/><w:lvlText w:val=\"" + text + "\"/>" +
               (font.empty() ? "" : "<w:rPr><w:rFonts w:ascii=\"" + font + "\" w:hAnsi=\"" + font + "\"/></w:rPr>") +
               "</w:lvl>";
    };
    const std::string numbering =
        "<w:abstractNum w:abstractNumId=\"1\">" + level(0, "decimal", "%1.") + level(1, "lowerRoman", "%1.%2)") +
        "</w:abstractNum><w:abstractNum w:abstractNumId=\"2\">" + level(0, "bullet", "\xEF\x82\xB7", "Symbol") +
        level(1, "bullet", "o", "Courier New") +
        "</w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"1\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"2\"/></w:num>";
    const auto item = [](int numId, int ilvl, const std::string& text) {
        return "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"" + std::to_string(ilvl) + "\"/><w:numId w:val=\"" +
               std::to_string(numId) + "\"/></w:numPr></w:pPr><w:r><w:t>" + text + "</w:t></w:r></w:p>";
    };
    const std::string body = item(1, 0, "First") + item(1, 1, "Sub one") + item(1, 1, "Sub two") + item(1, 0, "Second") +
                             item(1, 1, "Sub again") + item(2, 0, "Dot") + item(2, 1, "Hollow") + paragraph("Plain");
    return writeDocx(path, body, relationship("rIdL", "numbering", "numbering.xml"),
                     {{"word/numbering.xml", part("numbering", numbering)}});
}

inline bool writeLinks(const std::string& path) {
    const std::string body =
        "<w:p><w:hyperlink r:id=\"rIdB\"><w:r><w:t>body link</w:t></w:r></w:hyperlink><w:r><w:t> and </w:t></w:r>"
        "<w:hyperlink w:anchor=\"Here\"><w:r><w:t>inner link</w:t></w:r></w:hyperlink>"
        "<w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>"
        "<w:p><w:bookmarkStart w:id=\"0\" w:name=\"Here\"/><w:r><w:t>Target</w:t></w:r><w:bookmarkEnd w:id=\"0\"/></w:p>"
        "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdH\"/></w:sectPr>";
    // The header and the notes name their links by ids of their own, one of them the body's id.
    return writeDocx(
        path, body,
        relationship("rIdB", "hyperlink", "http://example.com/body", true) + relationship("rIdH", "header", "header1.xml") +
            relationship("rIdF", "footnotes", "footnotes.xml"),
        {{"word/header1.xml",
          part("hdr", "<w:p><w:hyperlink r:id=\"rIdB\"><w:r><w:t>header link</w:t></w:r></w:hyperlink></w:p>")},
         {"word/_rels/header1.xml.rels", relationships(relationship("rIdB", "hyperlink", "http://example.com/header", true))},
         {"word/footnotes.xml",
          part("footnotes", "<w:footnote w:id=\"1\"><w:p><w:r><w:footnoteRef/></w:r><w:hyperlink r:id=\"rIdN\">"
                            "<w:r><w:t>note link</w:t></w:r></w:hyperlink></w:p></w:footnote>")},
         {"word/_rels/footnotes.xml.rels",
          relationships(relationship("rIdN", "hyperlink", "http://example.com/note?a=1&amp;b=2", true))}});
}

// Theme fonts in a run and in the defaults, an underline a run takes away from its style, and
// paragraphs out of their style's list (by their own numbering id 0, and by their style's).
inline bool writeFontsAndSwitches(const std::string& path) {
    const std::string theme =
        "<?xml version=\"1.0\"?><a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"T\">"
        "<a:themeElements><a:fontScheme name=\"F\"><a:majorFont><a:latin typeface=\"Cambria\"/><a:ea typeface=\"\"/>"
        "<a:cs typeface=\"Times New Roman\"/></a:majorFont><a:minorFont><a:latin typeface=\"Calibri\"/><a:ea typeface=\"\"/>"
        "<a:cs typeface=\"Arial\"/></a:minorFont></a:fontScheme></a:themeElements></a:theme>";
    const std::string styles =
        "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:asciiTheme=\"minorHAnsi\" w:hAnsiTheme=\"minorHAnsi\" "
        "w:eastAsiaTheme=\"minorEastAsia\" w:cstheme=\"minorBidi\"/></w:rPr></w:rPrDefault></w:docDefaults>"
        "<w:style w:type=\"character\" w:styleId=\"U\"><w:name w:val=\"Doubled\"/><w:rPr><w:u w:val=\"double\"/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"L\"><w:name w:val=\"Listed\"/><w:pPr><w:numPr><w:numId w:val=\"1\"/></w:numPr></w:pPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Z\"><w:name w:val=\"Unlisted\"/><w:basedOn w:val=\"L\"/><w:pPr><w:numPr>"
        "<w:numId w:val=\"0\"/></w:numPr></w:pPr></w:style>";
    const std::string numbering =
        "<w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:numFmt w:val=\"decimal\"/>"
        "<w:lvlText w:val=\"%1.\"/></w:lvl></w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>";
    const std::string body =
        "<w:p><w:r><w:rPr><w:rFonts w:asciiTheme=\"majorHAnsi\" w:hAnsiTheme=\"majorHAnsi\"/></w:rPr><w:t>Major text</w:t></w:r></w:p>"
        "<w:p><w:r><w:t>Minor text</w:t></w:r></w:p>"
        "<w:p><w:r><w:rPr><w:rStyle w:val=\"U\"/><w:u w:val=\"none\"/></w:rPr><w:t>Plain</w:t></w:r>"
        "<w:r><w:rPr><w:rStyle w:val=\"U\"/></w:rPr><w:t>Doubled</w:t></w:r></w:p>"
        "<w:p><w:pPr><w:pStyle w:val=\"L\"/></w:pPr><w:r><w:t>Numbered</w:t></w:r></w:p>"
        "<w:p><w:pPr><w:pStyle w:val=\"L\"/><w:numPr><w:numId w:val=\"0\"/></w:numPr></w:pPr><w:r><w:t>Own zero</w:t></w:r></w:p>"
        "<w:p><w:pPr><w:pStyle w:val=\"Z\"/></w:pPr><w:r><w:t>Style zero</w:t></w:r></w:p>";
    return writeDocx(path, body,
                     relationship("rIdT", "theme", "theme/theme1.xml") + relationship("rIdS", "styles", "styles.xml") +
                         relationship("rIdN", "numbering", "numbering.xml"),
                     {{"word/theme/theme1.xml", theme},
                      {"word/styles.xml", part("styles", styles)},
                      {"word/numbering.xml", part("numbering", numbering)}});
}

// A comment with its author and date; symbols of a text font, of a symbol font and beyond 0xFFF; an
// endnote whose text shares its mark's run.
inline bool writeCommentSymbolsAndNote(const std::string& path) {
    const std::string body =
        "<w:p><w:commentRangeStart w:id=\"0\"/><w:r><w:t>commented</w:t></w:r><w:commentRangeEnd w:id=\"0\"/>"
        "<w:r><w:commentReference w:id=\"0\"/></w:r></w:p>"
        "<w:p><w:r><w:sym w:font=\"Arial\" w:char=\"00DA\"/></w:r><w:r><w:sym w:font=\"Wingdings\" w:char=\"F0DA\"/></w:r>"
        "<w:r><w:sym w:font=\"Arial\" w:char=\"2192\"/></w:r></w:p>"
        "<w:p><w:r><w:t>Noted</w:t></w:r><w:r><w:endnoteReference w:id=\"2\"/></w:r></w:p>";
    return writeDocx(
        path, body, relationship("rIdC", "comments", "comments.xml") + relationship("rIdE", "endnotes", "endnotes.xml"),
        {{"word/comments.xml",
          part("comments", "<w:comment w:id=\"0\" w:author=\"Ann Author\" w:initials=\"AA\" w:date=\"2021-03-04T05:06:00Z\">"
                           "<w:p><w:r><w:annotationRef/></w:r><w:r><w:t>A remark.</w:t></w:r></w:p></w:comment>")},
         {"word/endnotes.xml",
          part("endnotes", "<w:endnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:endnote>"
                           "<w:endnote w:id=\"2\"><w:p><w:r><w:endnoteRef/><w:t xml:space=\"preserve\"> Shared run text."
                           "</w:t></w:r></w:p></w:endnote>")}});
}

// A Word 2003 document: a picture in a run nested in a bold run's link, a picture in a plain link and
// one in a simple field, and a comment kept in its annotation.
inline std::string word2003Document() {
    // One red pixel as a PNG.
    const std::string png =
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC";
    const auto picture = [&png](const std::string& id) {
        return "<w:pict><w:binData w:name=\"wordml://" + id + ".png\">" + png + "</w:binData><v:shape id=\"" + id +
               "\" style=\"width:20pt;height:20pt\"><v:imagedata src=\"wordml://" + id + ".png\"/></v:shape></w:pict>";
    };
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\" "
           "xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:aml=\"http://schemas.microsoft.com/aml/2001/core\" "
           "xmlns:wx=\"http://schemas.microsoft.com/office/word/2003/auxHint\"><w:body>"
           "<w:p><w:r><w:t>Nested: </w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:hlink w:dest=\"http://example.com/pic\">"
           "<w:r>" + picture("P1") + "</w:r><w:r><w:rPr><w:i/></w:rPr><w:t>bold italic</w:t></w:r></w:hlink></w:r></w:p>"
           "<w:p><w:hlink w:dest=\"http://example.com/plain\"><w:r>" + picture("P2") + "</w:r></w:hlink>"
           "<w:fldSimple w:instr=\" PAGE \"><w:r>" + picture("P3") + "</w:r></w:fldSimple></w:p>"
           "<w:p><w:r><aml:annotation aml:id=\"0\" w:type=\"Word.Comment\" aml:author=\"Bea Writer\" "
           "aml:createdate=\"2022-01-02T03:04:00Z\" w:initials=\"BW\"><aml:content><w:p><w:r><w:t>Old remark.</w:t></w:r>"
           "</w:p></aml:content></aml:annotation></w:r><w:r><w:t>after comment</w:t></w:r></w:p>"
           "</w:body></w:wordDocument>";
}

}  // namespace authored

}  // namespace apptest
