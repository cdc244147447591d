#include "export/rtf/fields/RTFFormField.h"

#include <algorithm>

#include "export/rtf/head/RTFNameText.h"
#include "foundation/FailureCode.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";
constexpr std::int16_t kCheckBox = 3;
constexpr std::int16_t kTextInput = 4;
constexpr std::int16_t kDropDown = 5;

template <std::size_t N>
std::string escaped(const char (&field)[N]) {
    return rtfEscapedField(field, N);
}

template <std::size_t N>
bool isEmpty(const char (&field)[N]) {
    return field[0] == 0;
}

// A group "{\*<word> <text>}" when the text is not empty.
template <std::size_t N>
void appendTextGroup(std::string& out, const char* word, const char (&field)[N]) {
    if (isEmpty(field)) return;
    out += "{\\*\\";
    out += word;
    out += ' ';
    out += escaped(field);
    out += '}';
}

void appendHead(std::string& out, int type, const XffData& data) {
    out += "{\\*\\formfield{\\fftype";
    out += static_cast<char>('0' + type);
    if (data.calcOnExit != 0) out += "\\ffrecalc1";
    appendTextGroup(out, "ffname", data.name);
}

// A digit for a small number ('0' plus its low byte, as the value is stored).
char digit(std::int16_t value) {
    return static_cast<char>('0' + (value & 0xFF));
}

void appendCheckBox(std::string& out, const XffData& data) {
    appendHead(out, 1, data);
    if (!isEmpty(data.cb_checkBoxSize)) out += "\\ffhps" + escaped(data.cb_checkBoxSize);
    out += data.cb_checkBoxSizeAuto != 0 ? "\\ffsize0" : "\\ffsize1";
}

void appendTextInput(std::string& out, const XffData& data) {
    appendHead(out, 0, data);
    appendTextGroup(out, "ffdeftext", data.ti_defaultText);
    appendTextGroup(out, "ffformat", data.ti_format);
    if (!isEmpty(data.ti_maxLength)) out += "\\ffmaxlen" + escaped(data.ti_maxLength);
    out += "\\fftypetxt";
    out += digit(data.ti_type);
}

void appendDropDown(std::string& out, const XffData& data) {
    appendHead(out, 2, data);
    const int entries = std::clamp<int>(data.dd_listEntryNum, 0, kDropDownEntries);
    if (entries == 0) return;
    out += "\\ffdefres";
    out += digit(data.dd_defaultIndex);
    out += "\\ffhaslistbox1";
    for (int i = 0; i < entries; ++i) {
        out += "{\\*\\ffl ";
        out += rtfEscapedField(data.dd_listEntry[i], kDropDownEntryBytes);
        out += '}';
    }
}

}  // namespace

std::string rtfFormFieldText(const XForm& form) {
    if (form.fieldType != kCheckBox && form.fieldType != kTextInput && form.fieldType != kDropDown) return {};
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        std::string out;
        if (form.fieldType == kCheckBox) appendCheckBox(out, form.ffData);
        if (form.fieldType == kTextInput) appendTextInput(out, form.ffData);
        if (form.fieldType == kDropDown) appendDropDown(out, form.ffData);
        out += "}}";
        return out;
    });
}
