#pragma once
// Word 2003 documents that carry one text, the payload, in one place each (body, notes, shapes,
// tables of the head, authors, links, fields...), and a reading of RTF that separates what a reader
// takes as commands (groups and control words) from what it takes as text. A document's text never
// becomes commands: the RTF of a document with the payload has the commands of the same document
// with a harmless text, and shows the payload as text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace hostile {

// Closes whatever group it stands in and opens a field that includes a file.
inline const std::string kPayload = "}{\\field{\\*\\fldinst INCLUDETEXT \"x\"}}{";
inline const std::string kHarmless = "SAFE";
// The same for the places that keep at most 31 bytes (a longer text is not kept at all).
inline const std::string kShortPayload = "}{\\field{\\*\\fldinst X}}{";

inline std::string xmlEscaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

// Where the text goes: into the head of the document, its body, or its section properties.
struct DocumentParts {
    std::string head;
    std::string body;
    std::string section;
};

using PartsOf = DocumentParts (*)(const std::string& value);

struct Place {
    const char* name;  // also the file's stem
    PartsOf parts;
    // Whether the value shows as text in the RTF (otherwise the check is the commands alone).
    bool shown;
    // The payload for the place: kPayload, or kShortPayload where the place keeps 31 bytes at most.
    const std::string* payload = &kPayload;
};

constexpr bool kShown = true;

inline std::string paragraph(const std::string& runs) {
    return "<w:p>" + runs + "</w:p>";
}
inline std::string textRun(const std::string& text) {
    return "<w:r><w:t>" + xmlEscaped(text) + "</w:t></w:r>";
}
// A shape is written with its id; a shape without one is left out.
inline std::string shape(const std::string& attributes, const std::string& content) {
    const std::string id = attributes.find("id=") == std::string::npos ? "id=\"_x0000_s1025\" " : "";
    return paragraph("<w:r><w:pict><v:shape " + id + "style=\"position:absolute;width:100pt;height:40pt\" " + attributes +
                     ">" + content + "</v:shape></w:pict></w:r>");
}
inline std::string complexField(const std::string& formData, const std::string& instruction) {
    return paragraph("<w:r><w:fldChar w:fldCharType=\"begin\">" + formData + "</w:fldChar></w:r><w:r><w:instrText>" +
                     xmlEscaped(instruction) +
                     "</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" + textRun("shown") +
                     "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>");
}
inline std::string formField(const std::string& data) {
    return complexField("<w:ffData>" + data + "</w:ffData>", " FORMTEXT ");
}

// Every place a document's text can reach our RTF through the Word 2003 reader. (Its headers and
// footers do not reach the RTF yet; the .docx test carries them.)
inline const std::vector<Place>& places() {
    static const std::vector<Place> table = {
        {"body", [](const std::string& v) { return DocumentParts{"", paragraph(textRun(v)), ""}; }, kShown},
        {"footnote",
         [](const std::string& v) {
             return DocumentParts{"", paragraph(textRun("noted") + "<w:r><w:footnote>" + paragraph(textRun(v)) +
                                                "</w:footnote></w:r>"),
                                  ""};
         },
         kShown},
        {"comment-text",
         [](const std::string& v) {
             return DocumentParts{"",
                                  paragraph("<w:r><aml:annotation aml:id=\"0\" aml:author=\"A\" w:type=\"Word.Comment\">"
                                            "<aml:content>" +
                                            paragraph(textRun(v)) + "</aml:content></aml:annotation></w:r>"),
                                  ""};
         },
         kShown},
        {"comment-author",
         [](const std::string& v) {
             return DocumentParts{"",
                                  paragraph("<w:r><aml:annotation aml:id=\"0\" aml:author=\"" + xmlEscaped(v) +
                                            "\" w:type=\"Word.Comment\"><aml:content>" + paragraph(textRun("remark")) +
                                            "</aml:content></aml:annotation></w:r>"),
                                  ""};
         },
         kShown},
        {"comment-initials",
         [](const std::string& v) {
             return DocumentParts{"",
                                  paragraph("<w:r><aml:annotation aml:id=\"0\" aml:author=\"A\" w:initials=\"" +
                                            xmlEscaped(v) + "\" w:type=\"Word.Comment\"><aml:content>" +
                                            paragraph(textRun("remark")) + "</aml:content></aml:annotation></w:r>"),
                                  ""};
         },
         kShown},
        {"wordart-text",
         [](const std::string& v) {
             return DocumentParts{"", shape("", "<v:textpath on=\"t\" string=\"" + xmlEscaped(v) + "\"/>"), ""};
         },
         kShown},
        {"wordart-font",
         [](const std::string& v) {
             return DocumentParts{
                 "", shape("", "<v:textpath on=\"t\" style=\"font-family:" + xmlEscaped(v) + "\" string=\"Art\"/>"), ""};
         },
         kShown},
        // A text that looks like the marker of a text box stays text; it names the box of the next shape.
        {"wordart-text-box-marker",
         [](const std::string& v) {
             return DocumentParts{"",
                                  shape("", "<v:textpath on=\"t\" string=\"UUTT8SSboxVV9WW" + xmlEscaped(v) + "\"/>") +
                                      shape("id=\"box\"", "<v:textbox>" + paragraph(textRun("boxed")) + "</v:textbox>"),
                                  ""};
         },
         kShown},
        {"text-box-id",
         [](const std::string& v) {
             return DocumentParts{
                 "", shape("id=\"VV9WW" + xmlEscaped(v) + "\"", "<v:textbox>" + paragraph(textRun("boxed")) + "</v:textbox>"),
                 ""};
         },
         false},
        {"rule-percent",
         [](const std::string& v) {
             return DocumentParts{"", shape("o:hr=\"t\" o:hrpct=\"" + xmlEscaped(v) + "\"", ""), ""};
         },
         kShown},
        {"shape-type",
         [](const std::string& v) { return DocumentParts{"", shape("type=\"#_x0000_t" + xmlEscaped(v) + "\"", ""), ""}; },
         kShown},
        {"shape-adjust",
         [](const std::string& v) {
             return DocumentParts{"", shape("adj=\"1," + xmlEscaped(v) + "\"", ""), ""};
         },
         kShown},
        {"shape-geometry",
         [](const std::string& v) {
             return DocumentParts{"", shape("coordsize=\"" + xmlEscaped(v) + ",100\"", ""), ""};
         },
         kShown},
        {"shape-wrap-polygon",
         [](const std::string& v) {
             return DocumentParts{"", shape("wrapcoords=\"" + xmlEscaped(v) + " 1\"", ""), ""};
         },
         false},
        {"shape-fill-focus",
         [](const std::string& v) {
             return DocumentParts{"", shape("", "<v:fill type=\"gradient\" focus=\"" + xmlEscaped(v) + "%\"/>"), ""};
         },
         kShown},
        {"group-origin",
         [](const std::string& v) {
             return DocumentParts{"",
                                  paragraph("<w:r><w:pict><v:group id=\"_x0000_s1030\" style=\"position:absolute;width:100pt;height:40pt\" "
                                            "coordorigin=\"" +
                                            xmlEscaped(v) + ",0\" coordsize=\"100,100\"><v:rect style=\"width:50;height:50\"/>"
                                                            "</v:group></w:pict></w:r>"),
                                  ""};
         },
         kShown},
        {"style-name",
         [](const std::string& v) {
             return DocumentParts{"<w:styles><w:style w:type=\"paragraph\" w:styleId=\"S1\"><w:name w:val=\"" +
                                      xmlEscaped(v) + "\"/></w:style></w:styles>",
                                  paragraph("<w:pPr><w:pStyle w:val=\"S1\"/></w:pPr>" + textRun("styled")), ""};
         },
         kShown},
        {"font-name",
         [](const std::string& v) {
             return DocumentParts{"<w:fonts><w:font w:name=\"" + xmlEscaped(v) + "\"/></w:fonts>",
                                  paragraph("<w:r><w:rPr><w:rFonts w:ascii=\"" + xmlEscaped(v) + "\" w:h-ansi=\"" +
                                            xmlEscaped(v) + "\"/></w:rPr><w:t>font</w:t></w:r>"),
                                  ""};
         },
         kShown},
        {"bookmark",
         [](const std::string& v) {
             return DocumentParts{"",
                                  paragraph("<aml:annotation aml:id=\"1\" w:type=\"Word.Bookmark.Start\" w:name=\"" +
                                            xmlEscaped(v) + "\"/>" + textRun("marked") +
                                            "<aml:annotation aml:id=\"1\" w:type=\"Word.Bookmark.End\"/>"),
                                  ""};
         },
         kShown},
        {"list-name",
         [](const std::string& v) {
             return DocumentParts{"<w:lists><w:listDef w:listDefId=\"0\"><w:name w:val=\"" + xmlEscaped(v) +
                                      "\"/><w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:nfc w:val=\"0\"/>"
                                      "<w:lvlText w:val=\"%1.\"/></w:lvl></w:listDef><w:list w:ilfo=\"1\"><w:ilst "
                                      "w:val=\"0\"/></w:list></w:lists>",
                                  paragraph("<w:pPr><w:listPr><w:ilvl w:val=\"0\"/><w:ilfo w:val=\"1\"/></w:listPr></w:pPr>" +
                                            textRun("item")),
                                  ""};
         },
         kShown},
        {"document-author",
         [](const std::string& v) {
             return DocumentParts{"<o:DocumentProperties><o:Author>" + xmlEscaped(v) + "</o:Author></o:DocumentProperties>",
                                  paragraph(textRun("body")), ""};
         },
         kShown},
        {"title",
         [](const std::string& v) {
             return DocumentParts{"<o:DocumentProperties><o:Title>" + xmlEscaped(v) + "</o:Title></o:DocumentProperties>",
                                  paragraph(textRun("body")), ""};
         },
         kShown},
        {"revision-author",
         [](const std::string& v) {
             return DocumentParts{"",
                                  paragraph("<aml:annotation aml:id=\"2\" w:type=\"Word.Insertion\" aml:author=\"" +
                                            xmlEscaped(v) + "\"><aml:content>" + textRun("inserted") +
                                            "</aml:content></aml:annotation>"),
                                  ""};
         },
         kShown},
        {"link-target",
         [](const std::string& v) {
             return DocumentParts{"", paragraph("<w:hlink w:dest=\"" + xmlEscaped(v) + "\">" + textRun("shown") + "</w:hlink>"), ""};
         },
         kShown},
        {"link-anchor",
         [](const std::string& v) {
             return DocumentParts{"",
                                  paragraph("<w:hlink w:bookmark=\"" + xmlEscaped(v) + "\">" + textRun("shown") + "</w:hlink>"), ""};
         },
         kShown},
        {"simple-field",
         [](const std::string& v) {
             return DocumentParts{"", paragraph("<w:fldSimple w:instr=\"" + xmlEscaped(v) + "\">" + textRun("shown") +
                                                "</w:fldSimple>"),
                                  ""};
         },
         kShown},
        // An instruction that begins with an opening brace and holds a backslash before a brace.
        {"simple-field-opening-brace",
         [](const std::string& v) {
             return DocumentParts{"", paragraph("<w:fldSimple w:instr=\"{\\{" + xmlEscaped(v) + "\">" + textRun("shown") +
                                                "</w:fldSimple>"),
                                  ""};
         },
         kShown},
        {"complex-field", [](const std::string& v) { return DocumentParts{"", complexField("", v), ""}; }, kShown},
        {"form-field-name",
         [](const std::string& v) {
             return DocumentParts{"", formField("<w:name w:val=\"" + xmlEscaped(v) + "\"/><w:textInput/>"), ""};
         },
         kShown},
        {"form-field-default",
         [](const std::string& v) {
             return DocumentParts{
                 "", formField("<w:name w:val=\"F\"/><w:textInput><w:default w:val=\"" + xmlEscaped(v) + "\"/></w:textInput>"), ""};
         },
         kShown},
        {"form-field-format",
         [](const std::string& v) {
             return DocumentParts{
                 "", formField("<w:name w:val=\"F\"/><w:textInput><w:format w:val=\"" + xmlEscaped(v) + "\"/></w:textInput>"), ""};
         },
         kShown, &kShortPayload},
        {"form-field-entry",
         [](const std::string& v) {
             return DocumentParts{
                 "", formField("<w:name w:val=\"F\"/><w:ddList><w:listEntry w:val=\"" + xmlEscaped(v) + "\"/></w:ddList>"), ""};
         },
         kShown, &kShortPayload},
    };
    return table;
}

inline std::string wordDocument(const DocumentParts& parts) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\" "
           "xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:aml=\"http://schemas.microsoft.com/aml/2001/core\">" +
           parts.head + "<w:body>" + parts.body + "<w:sectPr>" + parts.section +
           "<w:pgSz w:w=\"12240\" w:h=\"15840\"/></w:sectPr></w:body></w:wordDocument>";
}

// RTF as a reader takes it: its commands (group openings and closings and control words, without
// their numbers) and its text (escaped characters decoded, line ends left out).
struct RtfReading {
    std::vector<std::string> commands;
    std::string text;
    int lowestDepth = 0;
    int endDepth = 0;
};

inline RtfReading readRtf(std::string_view rtf) {
    RtfReading reading;
    int depth = 0;
    std::size_t skipFallback = 0;
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    for (std::size_t i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (skipFallback > 0) {
            --skipFallback;
            ++i;
            continue;
        }
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            if (depth < reading.lowestDepth) reading.lowestDepth = depth;
            reading.commands.emplace_back(1, c);
            ++i;
            continue;
        }
        if (c != '\\' || i + 1 >= rtf.size()) {
            reading.text += c;
            ++i;
            continue;
        }
        const char next = rtf[i + 1];
        if (next == '{' || next == '}' || next == '\\') {
            reading.text += next;
            i += 2;
        } else if (next == '\'' && i + 3 < rtf.size()) {
            reading.text += static_cast<char>(std::strtol(std::string(rtf.substr(i + 2, 2)).c_str(), nullptr, 16));
            i += 4;
        } else if (isLetter(next)) {
            std::size_t end = i + 1;
            while (end < rtf.size() && isLetter(rtf[end])) ++end;
            const std::string word(rtf.substr(i + 1, end - i - 1));
            if (end < rtf.size() && rtf[end] == '-') ++end;
            while (end < rtf.size() && rtf[end] >= '0' && rtf[end] <= '9') ++end;
            if (end < rtf.size() && rtf[end] == ' ') ++end;
            if (word == "u") {
                reading.text += '?';  // the payloads are ASCII: any other character reads as one mark
                skipFallback = 1;
            } else {
                reading.commands.push_back("\\" + word);
            }
            i = end;
        } else {
            reading.commands.push_back(std::string("\\") + next);
            i += 2;
        }
    }
    reading.endDepth = depth;
    return reading;
}

}  // namespace hostile
