// Fields written whole from one run: a field-text run (instruction, then "{" and the result) and a
// special character whose kind names a field (page number, date, file name...).
#include <iterator>
#include <string>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFNameText.h"
#include "foundation/FailureCode.h"
#include "model/records/character/XForm.h"

namespace {

// Indexed by kind - 2.
constexpr const char* kSpecialFieldNames[] = {"NUMPAGES", "SECTIONPAGES", "NUMWORDS", "NUMCHARS", "DATE", "TIME",
                                              "PAGE",     "SECTION",      "FILENAME", "FILESIZE", "AUTHOR"};
constexpr int kFirstSpecialKind = 2;

// Indexed by the number format; any other format has no switch.
constexpr const char* kNumberFormatSwitches[] = {"\\\\* Arabic", "\\\\* ROMAN", "\\\\* roman", "\\\\* ALPHABETIC",
                                                 "\\\\* alphabetic"};

// An instruction of two characters or fewer names no field.
constexpr std::size_t kShortestInstruction = 3;

struct FieldRunParts {
    std::u16string instruction;
    std::u16string result;
};

// A field run is its instruction, a '{' and its result. A brace of the instruction itself comes with a
// backslash before it, so the first '{' without one ends the instruction, whatever the instruction
// holds; the result is taken as it stands.
FieldRunParts fieldRunParts(std::u16string_view text) {
    return raisingOutOfMemory(__LINE__, "BL_RTF(exp)", [&] {
        FieldRunParts parts;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'{') {
                parts.instruction += u'{';
                ++i;
            } else if (text[i] == u'{') {
                parts.result.assign(text.substr(i + 1));
                break;
            } else {
                parts.instruction += text[i];
            }
        }
        return parts;
    });
}

}  // namespace

void CRTFFile::writeSpecialField(std::int32_t value) {
    const int kind = static_cast<std::int16_t>(value & 0xFFFF) - kFirstSpecialKind;
    if (kind < 0 || kind >= static_cast<int>(std::size(kSpecialFieldNames))) return;
    const int format = static_cast<std::int16_t>(static_cast<std::uint32_t>(value) >> 16);
    const char* numberSwitch =
        format >= 0 && format < static_cast<int>(std::size(kNumberFormatSwitches)) ? kNumberFormatSwitches[format] : "";
    writeFormat("{\\field{\\*\\fldinst %s %s}{\\fldrslt }}", kSpecialFieldNames[kind], numberSwitch);
}

void CRTFFile::writeFieldRun(const XForm& form, const char16_t* units, std::int32_t count) {
    if (units == nullptr || count <= 0) return;
    const FieldRunParts parts = fieldRunParts(std::u16string_view(units, static_cast<std::size_t>(count)));
    const std::string instruction = rtfEscapedName(std::u16string_view(parts.instruction));
    if (instruction.size() < kShortestInstruction) return;
    const std::string result = rtfEscapedName(std::u16string_view(parts.result));
    writeFormat("{\\field %s%s{\\*\\fldinst %s }{\\fldrslt %s}}", form.field.dirty == 1 ? "\\flddirty" : "",
                form.field.locked == 1 ? "\\fldlock" : "", instruction.c_str(), result.c_str());
}
