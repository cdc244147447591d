#pragma once
// The RTF emitter: every byte of an RTF output file passes through it.
//
// The body is written before the head. While the stories are delivered, every write goes to a temporary
// body file; at the end of the sheet the emitter switches to the output file, writes the head, appends
// the body and closes the document group, so the head's tables can describe everything the body uses:
//
//   writeDocumentStart     "{\rtf1\ansi\uc1\deff0\deflang<language>" CR LF   (switches to the output)
//   writeFontTable, writeColorTable, writeRevisionTable, writeStyleSheet, writeListTables,
//   writeInfo, writeBackground, writeDocumentProperties (with the first section and its headers),
//   finishHeader, copyBody (the body as written), writeDocumentEnd ("}" CR LF)
//
// The operations below "head" and "body" are the writers of the document head and of the body's
// properties and control codes, each defined in the file named after what it writes (RTFHeadTables,
// RTFCharacterRun, RTFParagraph, RTFControlCode, RTFNoteGroup, RTFFieldRun, RTFBookmark,
// CRTFFileInformationGroup, CRTFFileDocumentProperties, CRTFFileSectionProperties,
// CRTFFileRowDefinition, CRTFFileCellMark, CRTFFileBorderAndColor, CRTFFileStyleSheet,
// CRTFFileListTables, CRTFFilePicture, CRTFFileShape, RTFListPictures).
//
// Every name the emitter writes (fonts, authors, bookmarks, form fields) is escaped (RTFNameText.h).
//
// Failures raise CFail in unit "BL_RTF(exp)": 12 without memory, a file operation's own code otherwise.
// The body file is deleted when the emitter goes, on every path.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "export/rtf/fields/RTFFieldState.h"
#include "foundation/CBase.h"

class CFile;
class CPicture;
class RTFStoryPlacer;
struct BorderSpec;
struct RGBColor;
struct ShadingSpec;
struct XForm;
struct XHead;
struct XListDef;
struct XListLevel;
struct XListOvr;
struct XPage;
struct XParamBlock;
struct XRule;
struct XRows;
struct XStyle;

class CRTFUnicode;

class CRTFFile : public CBase {
public:
    // Creates and opens the body file in the temporary-files folder. The block, the output file (open)
    // and the placer (the exporter) are borrowed for the emitter's life.
    CRTFFile(XParamBlock* block, CFile* output, RTFStoryPlacer* placer);
    ~CRTFFile() override;
    CRTFFile(const CRTFFile&) = delete;
    CRTFFile& operator=(const CRTFFile&) = delete;

    // The empty text for -1, else the decimal text of the value; one static buffer, overwritten by the
    // next call.
    static const char* numberText(std::int16_t value);

    // Printf-style; the result is written whole, however long.
    virtual void writeFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Story text, each unit escaped in the character set of the text-encoding code (a run's txtCode).
    virtual void writeText(const char16_t* units, std::int32_t count, std::int32_t textEncoding);
    // Gathers the bytes and writes them in large blocks; flush hands what is gathered to the file, as
    // the switch to the output file and writeDocumentEnd do. An emitter that goes before then leaves the
    // rest unwritten: the document failed.
    virtual void writeBytes(const void* bytes, std::int32_t count);
    void flush();

    virtual void writeDocumentStart();
    virtual void writeDocumentEnd();
    virtual void finishHeader();
    // Appends the body file to the output file.
    virtual void copyBody();

    // Head.
    virtual void writeFontTable();
    virtual void writeColorTable();
    virtual void writeRevisionTable();
    virtual void writeStyleSheet();
    virtual void writeListTables();
    virtual void writeInfo(const XHead& head);
    virtual void writeBackground();
    virtual void writeDocumentProperties(const XPage& firstSection, const XHead& head);
    // The footnote and endnote properties of a section: level 1 the document's words, level 0 the
    // section's (each prefixed with "s").
    virtual void writeNoteProperties(const XPage& section, std::int16_t level);
    // The footnote separator and continuation separator, once a footnote was written: without them
    // readers draw no line between the text and the notes.
    void writeNoteSeparators();

    // Body. A note or comment story's group: openNoteGroup answers 1 when it opened one (selectors 5,
    // 7 and 8), 0 for any other story.
    virtual std::int16_t openNoteGroup(std::int16_t storySelector);
    // The initials and author of a comment, which stand before the comment's group: from the revision
    // record of its annotation information. Nothing for an author the table does not hold.
    virtual void writeCommentIdentity(const XForm& information);
    virtual void closeNoteGroup();
    // "\sectd", the section's page set-up, columns, numbering and borders, then its headers and footers.
    // sectionKind is the break kind of the section break mark (0 for the first section: no break word).
    virtual void writeSectionProps(const XPage& page, std::int16_t sectionKind);
    virtual void endSection();
    // The whole definition of a table row. With advance 1 the exporter's row counter of the current table
    // level moves on.
    virtual void writeRowDefinition(const XRows& rows, std::int16_t advance);
    // A row of an outer table starts here, before its first cell's paragraph: its definition is written
    // now and not again at its end. Nothing for a nested row.
    virtual void beginTableRow(const XRows& rows);
    virtual void writeCellShading(const ShadingSpec& shading);
    // A border's style, colour, width and space; an art border's number, colour, width and space.
    virtual void writeBorder(const BorderSpec& border);
    virtual void writeArtBorder(const BorderSpec& border, std::int16_t art);
    // The colour-table index of a colour; -1 for the automatic colour.
    virtual std::int16_t colorIndex(const RGBColor& color);
    virtual void writeParagraphProps(const XRule& rule, std::int16_t flags);
    virtual void endParagraph();
    virtual void beginCharacterRun(const XForm& form, std::int16_t flags);
    virtual void endCharacterRun(RTFFieldState& fields);
    // A buffered run of exactly one control unit. Answers 1 when the unit is to be written as text, 0
    // when it was handled by a call or needs no output, else the length of the literal written.
    virtual std::int16_t writeControlCode(char16_t code, const XForm& form, const XRule& rule, RTFFieldState& fields);
    // A picture anchor's or picture bullet's picture (CRTFFilePicture.cpp): a shape's text with its
    // picture and text boxes put in, or one picture group; then CR LF. Null writes nothing.
    virtual void writePicture(const CPicture* picture);
    // One picture group, for the picture written as the given type; nothing for a type that is not
    // written or a picture that cannot be converted to the form its type is written in.
    virtual void writePict(const CPicture* picture, std::int16_t type);
    // The picture's shape text, the picture group put after its picture property (CRTFFileShape.cpp).
    virtual void writeShape(const CPicture* picture);
    // position is that of a text-box marker in text: has the placer write the named text box and answers
    // the position just after the marker's end; a position without a whole marker is answered unchanged.
    virtual std::int32_t expandGraphicMarker(std::string_view text, std::int32_t position);
    // kind 28 starts the bookmark of that name, 29 ends it.
    virtual void writeBookmark(const char16_t* name, std::int32_t count, std::int16_t kind);
    // A whole field from a run of field text: its instruction, then "{" and its result, if any.
    virtual void writeFieldRun(const XForm& form, const char16_t* units, std::int32_t count);
    // A field for a special character: the low 16 bits give its kind (page number, date, file name...),
    // the high 16 bits its number format. A kind without a field writes nothing.
    virtual void writeSpecialField(std::int32_t value);

    // 1 once writeDocumentStart switched to the output file.
    std::int16_t writesToOutput() const { return toOutput; }

protected:
    XParamBlock* block;
    CFile* output;
    RTFStoryPlacer* placer;

private:
    void createBodyFile();
    // The number of a list paragraph, written once at its first run.
    void writeListText(const XRule& rule);
    // One style of the style sheet, with the conditional parts of a table style.
    void writeStyle(const XStyle& style);
    // One list definition of the list table, with its levels, under the list id given. A list number that
    // restarts the numbering passes itself: its start values (a value of 0 keeps the level's own start)
    // and the levels it replaces go into its copy of the definition, which defines no list style.
    void writeListDefinition(XListDef& definition, std::int32_t listId, const XListOvr* restarting);
    // One entry of the list override table, with the levels it replaces when it names its definition
    // (null for a list number written as a list of its own or naming none).
    void writeListOverride(const XListOvr& entry, std::int32_t listId, bool restarted, XListDef* definition);
    void writeListLevel(const XListLevel& level, const XListDef& resolved, std::int16_t startAt);
    // The picture bullets of the list table ("{\*\listpicture" and each bullet's picture); nothing
    // without any (RTFListPictures.cpp).
    void writeListPictures();
    // A table cell's end mark: answers as writeControlCode does.
    std::int16_t writeCellMark(const XRule& rule);
    void writeSpecialCharacter(const XForm& form);
    // Picture bytes as hexadecimal digits, CR LF after every 65 bytes; the last, shorter line without.
    void writeHexLines(const std::uint8_t* bytes, std::int32_t length);
    // Has the placer write a story in place; the paragraph state of the story around it is kept.
    template <typename Placing>
    void placeStory(Placing&& placing);

    CFile* body = nullptr;
    std::int16_t toOutput = 0;
    // Bytes not yet written to the file in use (body, then output). A document is hundreds of thousands
    // of small tokens; a system call for each cost more than all the rest of the writing.
    std::string pending;
    // The converter of the last text written, kept for the next text in the same character set: opening
    // one for every run cost as much as converting the run.
    std::unique_ptr<CRTFUnicode> textConverter;
    std::int32_t textConverterEncoding = 0;
    // The paragraph being written has not stated its list number yet: set at the start of each story and
    // after each paragraph, cell and section end, cleared once the number is written.
    std::int16_t listTextDue = 1;
    // A footnote was written: the head names the separators that readers draw above the notes.
    bool footnoteWritten = false;
    // The outer table row being written stated its definition before its first cell.
    std::int16_t rowDefinedAhead = 0;
};
