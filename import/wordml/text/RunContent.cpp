// What the children of one run element give: a special character (tab, break, hyphen, field mark,
// symbol, note and comment marks), a field instruction, and whether the run's own text follows.
//
// A special character replaces any earlier one of the run and comes before the run's text, so a run
// holds at most one. Some children end the examination (a reference, an instruction, a symbol, a
// picture): the run's own text is then not delivered.
#include <cctype>
#include <string>

#include "foundation/FieldMask.h"
#include "import/wordml/annotations/AnnotationComments.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/WordMLParsing.h"
#include "import/wordml/properties/XFormBits.h"
#include "model/tables/CFontArray.h"
#include "model/story/StoryKinds.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"
#include "foundation/text/NameCompare.h"

namespace {

constexpr std::int32_t kNoReferenceMark = 1;
constexpr std::int16_t kSymbolHint = 2;
constexpr std::int16_t kSymbolCharset = 2;
constexpr std::int16_t kComplexField = 2;
constexpr std::size_t kMaxInstructionBytes = 10239;

enum class Next { kContinue, kStop };

// The break's code: page 7, column 6, text wrapping (or no type) 5; 0 for any other type.
char16_t breakCode(const xmlNode* element) {
    std::int16_t present = 0;
    const char* type = xmlGetAttrString(element, nullptr, "type", &present);
    if (type == nullptr) return storycode::kLineBreak;
    if (compareNames(type, "page") == 0) return storycode::kPageBreak;
    if (compareNames(type, "column") == 0) return storycode::kColumnBreak;
    if (compareNames(type, "textwrapping") == 0) return storycode::kLineBreak;
    return 0;
}

// The "char" value's first four hexadecimal digits, of either case; 0 without digits.
std::uint32_t symbolCode(const char* text) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4 && text != nullptr && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
        const char digit = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        value = value * 16 + static_cast<std::uint32_t>(digit <= '9' ? digit - '0' : digit - 'A' + 10);
    }
    return value;
}

// Codes F000 to F0FF name a character of a symbol font by its own 8-bit code (F04A is 0x4A in the
// font); any other code is the Unicode character itself.
bool isSymbolFontCode(std::uint32_t code) {
    return code >= 0xF000 && code <= 0xF0FF;
}

}  // namespace

// A font whose characters a symbol names by their 8-bit codes is a symbol font, whatever the font
// table said of its character set.
void CWordMLImporter::markSymbolFont(std::int16_t fontId) {
    if (XFont* font = block->fonts != nullptr ? block->fonts->findById(fontId) : nullptr) font->fontCharset = kSymbolCharset;
}

RunContent CWordMLImporter::readRunContent(xmlNode* run) {
    RunContent content;
    XForm& form = block->form;
    const auto stop = [&content] {
        content.useRunText = false;
        return Next::kStop;
    };
    const auto examine = [&](xmlNode* child) -> Next {
        if (xmlIsElement(child, "w", "br")) {
            if (const char16_t code = breakCode(child)) content.specialCode = code;
        } else if (xmlIsElement(child, "w", "instrText")) {
            const std::string instruction = runTextContent(child);
            if (!instruction.empty() && instruction.size() <= kMaxInstructionBytes) {
                content.instruction = instruction;
                content.hasInstruction = true;
            }
            return stop();
        } else if (xmlIsElement(child, "w", "delInstrText")) {
            return stop();
        } else if (xmlIsElement(child, "w", "noBreakHyphen")) {
            content.specialCode = storycode::kNonBreakingHyphen;
        } else if (xmlIsElement(child, "w", "softHyphen")) {
            content.specialCode = storycode::kOptionalHyphen;
        } else if (xmlIsElement(child, "w", "annotationRef")) {
            if (block->storyNumber == storykind::kComment) {
                readCommentInformation(child);
            } else {
                runUnits.push_back(storycode::kComment);
            }
            return stop();
        } else if (isAnnotationComment(child)) {
            // A Word 2003 comment stands in its run; its content is the comment's story, not run text. Its
            // author and date travel with the story, so the run is a plain mark, no annotation itself.
            runUnits.push_back(storycode::kComment);
            return stop();
        } else if (xmlIsElement(child, "w", "commentReference")) {
            runUnits.push_back(storycode::kComment);
            return stop();
        } else if (xmlIsElement(child, "w", "footnoteRef") || xmlIsElement(child, "w", "endnoteRef")) {
            // The note's own mark; text that shares its run follows it as the note's text.
            runUnits.push_back(xmlIsElement(child, "w", "footnoteRef") ? storycode::kFootnoteMark : storycode::kEndnoteMark);
        } else if (xmlIsElement(child, "w", "footnote") || xmlIsElement(child, "w", "footnoteReference")) {
            runUnits.push_back(storycode::kFootnoteReference);
            std::int16_t present = 0;
            if (xmlGetAttrBool(child, nullptr, "suppressRef", &present) == 1) form.txtData = kNoReferenceMark;
            return stop();
        } else if (xmlIsElement(child, "w", "endnote") || xmlIsElement(child, "w", "endnoteReference")) {
            runUnits.push_back(storycode::kEndnoteReference);
            return stop();
        } else if (xmlIsElement(child, "w", "sym")) {
            std::int16_t present = 0;
            const std::uint32_t code = symbolCode(xmlGetAttrString(child, nullptr, "char", &present));
            if (const char* font = xmlGetAttrString(child, nullptr, "font", &present)) {
                const std::string name(font);
                form.txtHint = kSymbolHint;
                form.txtFontHAnsi = findFont(name.c_str());
                if (isSymbolFontCode(code)) markSymbolFont(form.txtFontHAnsi);
            }
            const auto unit = static_cast<char16_t>(isSymbolFontCode(code) ? code & 0xFF : code);
            // A symbol below 0x20 would be read as an anchor: it is left out.
            if (unit >= 0x20) runUnits.push_back(unit);
            return stop();
        } else if (xmlIsElement(child, "w", "cr")) {
            content.specialCode = storycode::kParagraphEnd;
        } else if (xmlIsElement(child, "w", "tab") || xmlIsElement(child, "w", "ptab")) {
            content.specialCode = storycode::kTab;
        } else if (xmlIsElement(child, "w", "pict") || xmlIsElement(child, "w", "drawing") ||
                   xmlIsElement(child, "w", "object")) {
            importPicture(child);
            return stop();
        } else if (xmlIsElement(child, "w", "fldChar")) {
            std::int16_t present = 0;
            const char* type = xmlGetAttrString(child, nullptr, "fldCharType", &present);
            if (type == nullptr) return Next::kContinue;
            if (compareNames(type, "begin") == 0) {
                form.fieldType = kComplexField;
                setMaskBit(form.changeBits, xformbit::kFieldType);
                readFieldData(child);
                readFormField(child);
                content.specialCode = storycode::kFieldStart;
            } else if (compareNames(type, "separate") == 0) {
                content.specialCode = storycode::kFieldSeparator;
            } else if (compareNames(type, "end") == 0) {
                content.specialCode = storycode::kFieldEnd;
            } else {
                return Next::kContinue;
            }
            return stop();
        }
        return Next::kContinue;
    };
    for (xmlNode* child = run->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        if (examine(child) == Next::kStop) break;
    }
    return content;
}
