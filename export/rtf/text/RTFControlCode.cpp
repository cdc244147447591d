// One story-text control code (a buffered run of exactly one unit from 1 to 25) in the RTF body:
// breaks, tabs and paragraph ends as control words, fields as the groups that the field's later runs
// fill, notes, comments and tables written in place by the placer, special characters as fields.
#include <string>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "export/rtf/fields/RTFFormField.h"
#include "model/params/XParamBlock.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/story/StoryKinds.h"

namespace {

constexpr std::int16_t kWriteAsText = 1;
constexpr std::int16_t kHandled = 0;
// A footnote or endnote reference whose txtData is this writes no mark of its own.
constexpr std::int32_t kCustomNoteMark = 1;

// Special characters (code 25), by the low 16 bits of txtData.
constexpr std::int16_t kDate = 6;
constexpr std::int16_t kTime = 7;
constexpr std::int16_t kAnnotationStart = 30;
constexpr std::int16_t kAnnotationEnd = 31;
constexpr std::int16_t kAnnotationInformation = 84;
constexpr std::int32_t kNoAnnotationId = -333;

// The literal of a code written as one control word and a blank.
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

std::int16_t written(const std::string& literal) {
    return static_cast<std::int16_t>(literal.size());
}

const char* fieldStartLiteral(const XField& field) {
    if (field.dirty == 1 && field.locked == 1) return "{\\field\\flddirty\\fldlock{\\*\\fldinst";
    if (field.dirty == 1) return "{\\field\\flddirty{\\*\\fldinst";
    if (field.locked == 1) return "{\\field\\fldlock{\\*\\fldinst";
    return "{\\field{\\*\\fldinst";
}

}  // namespace

template <typename Placing>
void CRTFFile::placeStory(Placing&& placing) {
    const std::int16_t outerListTextDue = listTextDue;
    listTextDue = 1;
    placing();
    listTextDue = outerListTextDue;
}

void CRTFFile::writeSpecialCharacter(const XForm& form) {
    const auto kind = static_cast<std::int16_t>(form.txtData & 0xFFFF);
    switch (kind) {
        case kAnnotationStart:
        case kAnnotationEnd:
            if (form.revision.id != kNoAnnotationId)
                writeFormat("{\\*\\%s %d}", kind == kAnnotationStart ? "atrfstart" : "atrfend", form.revision.id);
            return;
        case kAnnotationInformation:
            // The author and initials stand before the annotation (writeCommentIdentity); readers take
            // only the date inside it.
            if (form.revision.date != 0) writeFormat("{\\*\\atndate %d}", form.revision.date);
            return;
        default: writeSpecialField(form.txtData); return;
    }
}

std::int16_t CRTFFile::writeControlCode(char16_t code, const XForm& form, const XRule& rule, RTFFieldState& fields) {
    if (const char* word = controlWord(code)) {
        // A paragraph, or the section it ends, is over: the next one states its own list number.
        if (code == storycode::kParagraphEnd || code == storycode::kSectionBreak) listTextDue = 1;
        const std::string literal = std::string(word) + " ";
        writeFormat("%s", literal.c_str());
        return written(literal);
    }
    switch (code) {
        case storycode::kPicture: writePicture(form.picData); return kHandled;
        case storycode::kHeader:
        case storycode::kFooter:
        case storycode::kBookmark:
        case storycode::kGraphic: return kHandled;
        case storycode::kTable: placeStory([&] { placer->writeTable(form.txtData); }); return kHandled;
        case storycode::kComment: placeStory([&] { placer->writeNextComment(); }); return kHandled;
        case storycode::kFootnoteReference:
        case storycode::kEndnoteReference:
            if (form.txtData != kCustomNoteMark) writeFormat("\\chftn ");
            placeStory([&] {
                if (code == storycode::kFootnoteReference) {
                    placer->writeNextFootnote();
                } else {
                    placer->writeNextEndnote();
                }
            });
            return kHandled;
        case storycode::kCellEnd: {
            const std::int16_t answer = writeCellMark(rule);
            if (answer != kWriteAsText) listTextDue = 1;
            return answer;
        }
        case storycode::kOptionalHyphen: writeFormat("\\-"); return 2;
        case storycode::kNonBreakingHyphen: writeFormat("\\_"); return 2;
        case storycode::kFieldStart: {
            ++fields.fieldDepth;
            fields.runGroupClosed = 1;
            const std::string literal = std::string(fieldStartLiteral(form.field)) + " ";
            writeFormat("%s", literal.c_str());
            const std::string formField = rtfFormFieldText(form);
            if (!formField.empty()) writeBytes(formField.data(), static_cast<std::int32_t>(formField.size()));
            return written(literal);
        }
        case storycode::kFieldSeparator: {
            // A separator outside a field, or a second one, would close groups that are not open.
            if (fields.fieldDepth <= fields.resultDepth) return kHandled;
            ++fields.resultDepth;
            fields.runGroupClosed = 1;
            // One blank ends the control word; a second would be the result's first character.
            const std::string literal = "}}{\\fldrslt ";
            writeFormat("%s", literal.c_str());
            return written(literal);
        }
        case storycode::kFieldEnd:
            if (fields.fieldDepth < 1) {
                // No open field: nothing to close.
                fields.fieldDepth = fields.resultDepth = 0;
                return kHandled;
            }
            writeFormat("}}}");
            if (fields.fieldDepth > fields.resultDepth) {
                --fields.fieldDepth;
            } else {
                --fields.fieldDepth;
                --fields.resultDepth;
            }
            return 3;
        case storycode::kSpecialCharacter: {
            const auto kind = static_cast<std::int16_t>(form.txtData & 0xFFFF);
            if (kind == kDate || kind == kTime) {
                const std::string literal = kind == kDate ? "\\chdate " : "\\chtime ";
                writeFormat("%s", literal.c_str());
                return written(literal);
            }
            writeSpecialCharacter(form);
            return kHandled;
        }
        default: return kWriteAsText;
    }
}
