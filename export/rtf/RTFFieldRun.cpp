// Fields written whole from one run: a field-text run (instruction, then "{" and the result) and a
// special character whose kind names a field (page number, date, file name...).
#include <iterator>
#include <string>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFNameText.h"
#include "model/XForm.h"

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
    // The first "{" ends the instruction; every later one is dropped from the result.
    const std::u16string_view text(units, static_cast<std::size_t>(count));
    const std::size_t brace = text.find(u'{');
    const std::u16string_view instructionUnits = text.substr(0, brace);
    std::u16string resultUnits;
    if (brace != std::u16string_view::npos)
        for (char16_t unit : text.substr(brace + 1))
            if (unit != u'{') resultUnits += unit;
    const std::string instruction = rtfEscapedName(instructionUnits);
    if (instruction.size() < kShortestInstruction) return;
    const std::string result = rtfEscapedName(std::u16string_view(resultUnits));
    writeFormat("{\\field %s%s{\\*\\fldinst %s }{\\fldrslt %s}}", form.field.dirty == 1 ? "\\flddirty" : "",
                form.field.locked == 1 ? "\\fldlock" : "", instruction.c_str(), result.c_str());
}
