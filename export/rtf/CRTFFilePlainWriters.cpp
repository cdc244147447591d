// The plain forms of the emitter's head and body writers (see CRTFFile.h): a valid document that
// carries the text, its paragraphs and breaks, its notes, comments, fields, headers and footers, with
// no tables in the head and no formatting. The writers of the head tables and of the body's properties
// replace these definitions.
#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "model/StoryKinds.h"
#include "model/XForm.h"
#include "model/XPage.h"
#include "model/XRule.h"

namespace {

constexpr std::int16_t kCommentSelector = 5;
constexpr std::int16_t kFootnoteSelector = 7;
constexpr std::int16_t kEndnoteSelector = 8;
// A footnote or endnote reference whose txtData is this writes no mark of its own.
constexpr std::int32_t kCustomNoteMark = 1;

// The literal of a control code that is written as one control word and a blank.
const char* controlWord(char16_t code) {
    switch (code) {
        case storycode::kFootnoteMark:
        case storycode::kEndnoteMark: return "\\chftn";
        case storycode::kLineBreak: return "\\line";
        case storycode::kColumnBreak: return "\\column";
        case storycode::kPageBreak: return "\\page";
        case storycode::kSectionBreak: return "\\sect";
        case storycode::kTab: return "\\tab";
        case storycode::kParagraphEnd: return "\r\n\\par";
        default: return nullptr;
    }
}

}  // namespace

void CRTFFile::writeFontTable() {}
void CRTFFile::writeColorTable() {}
void CRTFFile::writeRevisionTable() {}
void CRTFFile::writeStyleSheet() {}
void CRTFFile::writeListTables() {}

// Until the body's character and paragraph writers exist, borders and colours write nothing.
void CRTFFile::writeBorder(const BorderSpec&) {}
void CRTFFile::writeArtBorder(const BorderSpec&, std::int16_t) {}
std::int16_t CRTFFile::colorIndex(const RGBColor&) {
    return -1;
}

std::int16_t CRTFFile::openNoteGroup(std::int16_t storySelector) {
    switch (storySelector) {
        case kCommentSelector: writeFormat("\\chatn{\\*\\annotation "); return 1;
        case kFootnoteSelector: writeFormat("{\\footnote "); return 1;
        case kEndnoteSelector: writeFormat("{\\footnote\\ftnalt "); return 1;
        default: return 0;
    }
}

void CRTFFile::closeNoteGroup() {
    writeFormat("}\r\n");
}

void CRTFFile::writeParagraphProps(const XRule&, std::int16_t) {
    writeFormat("\\pard\\plain ");
}

void CRTFFile::endParagraph() {}

void CRTFFile::beginCharacterRun(const XForm&, std::int16_t) {
    writeFormat("{");
}

void CRTFFile::endCharacterRun(RTFFieldState& fields) {
    // A field literal closed this run's group itself.
    if (fields.runGroupClosed != 0) {
        fields.runGroupClosed = 0;
        return;
    }
    writeFormat("}");
}

std::int16_t CRTFFile::writeControlCode(char16_t code, const XForm& form, const XRule& rule, RTFFieldState& fields) {
    if (const char* word = controlWord(code)) {
        writeFormat("%s ", word);
        return 2;
    }
    switch (code) {
        case storycode::kTable: placer->writeTable(form.txtData); return 0;
        case storycode::kComment: placer->writeNextComment(); return 0;
        case storycode::kFootnoteReference:
        case storycode::kEndnoteReference:
            if (form.txtData != kCustomNoteMark) writeFormat("\\chftn ");
            if (code == storycode::kFootnoteReference) {
                placer->writeNextFootnote();
            } else {
                placer->writeNextEndnote();
            }
            return 0;
        case storycode::kCellEnd:
            // Without row definitions a table reads as lines of tab-separated cells.
            if (rule.lastCellOfRow == 1) {
                placer->nextTableRow();
                writeFormat("\r\n\\par ");
                return 2;
            }
            if (rule.cellOfRow == 1) {
                writeFormat("\\tab ");
                return 2;
            }
            return 1;
        case storycode::kOptionalHyphen: writeFormat("\\-"); return 2;
        case storycode::kNonBreakingHyphen: writeFormat("\\_"); return 2;
        case storycode::kFieldStart:
            ++fields.fieldDepth;
            fields.runGroupClosed = 1;
            writeFormat("{\\field{\\*\\fldinst ");
            return 2;
        case storycode::kFieldSeparator:
            ++fields.resultDepth;
            fields.runGroupClosed = 1;
            writeFormat("}}{\\fldrslt ");
            return 2;
        case storycode::kFieldEnd:
            if (fields.fieldDepth < 1) {
                // No open field: nothing to close.
                fields.fieldDepth = fields.resultDepth = 0;
                return 0;
            }
            writeFormat("}}}");
            if (fields.fieldDepth > fields.resultDepth) {
                --fields.fieldDepth;
            } else {
                --fields.fieldDepth;
                --fields.resultDepth;
            }
            return 3;
        case storycode::kPicture:
        case storycode::kHeader:
        case storycode::kFooter:
        case storycode::kBookmark:
        case storycode::kGraphic:
        case storycode::kSpecialCharacter: return 0;
        default: return 1;
    }
}

void CRTFFile::writeBookmark(const char16_t*, std::int32_t, std::int16_t) {}

void CRTFFile::writeFieldRun(const XForm& form, const char16_t* units, std::int32_t count) {
    writeText(units, count, form.txtCode);
}
