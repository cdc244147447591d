#pragma once
// Character records for the writer tests: fresh ones, a sample with every field away from its start, filled
// ones, the round-trip cases and what a reader must find after reading a written record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/FieldMask.h"
#include "model/records/RecordTables.h"
#include "model/records/character/XForm.h"
#include "tests/model/records/RecordFilling.h"
#include "tests/model/records/WriterTestSupport.h"

namespace formsample {

using recordfill::Kind;

inline XForm freshForm() {
    XForm form;
    initXForm(&form);
    return form;
}

inline XForm freshFormAllBits() {
    XForm form = freshForm();
    writertest::setAllChangeBits(form.changeBits);
    return form;
}

// Every field away from its starting value, with the values that try the text forms: signs, -1, the
// 16-bit and 32-bit ends, a 20-digit face, channels of 65535, texts with blanks and characters that
// the storage escapes.
inline XForm sampleForm() {
    XForm form = freshFormAllBits();
    form.uniqueBits = -7;
    form.position = INT32_MAX;
    form.styleTag = -1;
    form.txtCode = INT32_MIN;
    form.txtLangVal = 1031;
    form.txtLangEa = -1;
    form.txtLangCs = -32768;
    form.txtHint = 4;
    form.txtFontAscii = -99;
    form.txtFontHAnsi = 32767;
    form.txtFontEa = 5;
    form.txtFontCs = 0;
    form.txtBidi = 1;
    form.txtSize = -24;
    form.txtSizeCs = 26;
    form.txtFace = 2147483648u;
    form.txtFaceCs = 5;
    form.txtRate = 900;
    form.txtBase = -6;
    form.txtFore = {65535, 0, 32768};
    form.txtBack = {0, 65535, 7};
    form.txtKern = 16;
    form.txtFill = 2;
    form.txtType = -1;
    form.txtData = 65535;
    form.picRect = {10, 20, 110, 220};
    form.borderType = 3;
    form.border = {-1, 2, {65535, 1, 2}, -32768};
    form.shadingType = 1;
    form.shading = {-2, {10, 20, 30}, {40, 50, 60}};
    form.txtSpacing = 20;
    form.underlineEffect = 1;
    form.blinkingEffect = -1;
    form.underlineColor = {70, 80, 90};
    form.noProof = 1;
    form.revision = {-9, -1, 3, -1234567};
    form.fieldType = 5;
    form.field.dirty = 1;
    form.field.locked = -1;
    std::strcpy(form.field.fldData, " FORMDROPDOWN \"choice\" 100% <&> caf\xC3\xA9 ");
    XffData& data = form.ffData;
    data.calcOnExit = 1;
    std::strcpy(data.ti_defaultText, "d\xC3\xA9" "faut");
    std::strcpy(data.ti_format, "Upper case");
    std::strcpy(data.ti_maxLength, "12");
    data.ti_type = 2;
    data.dd_defaultIndex = -1;
    data.dd_listEntryNum = 3;
    std::strcpy(data.dd_listEntry[0], "One");
    std::strcpy(data.dd_listEntry[1], "Two & three");
    std::strcpy(data.dd_listEntry[2], "Vier \xC3\xBC");
    std::strcpy(data.dd_listEntry[3], "not in use");
    data.dd_resultValue = 2;
    data.cb_checked = 1;
    std::strcpy(data.cb_checkBoxSize, "20");
    data.cb_checkBoxSizeAuto = -1;
    data.enabled = 1;
    std::strcpy(data.entryMacro, "Enter");
    std::strcpy(data.exitMacro, "Leave");
    std::strcpy(data.name, "Choice");
    form.cellStyle = {5, 6, 7, 8, 9, 10, 11, 12};
    return form;
}

// Every stored member filled with values of the kind, all bits set, a drop-down field with that many
// entries.
inline XForm filledForm(Kind kind, std::int16_t entries) {
    XForm form = freshFormAllBits();
    recordfill::fillRecord(kXFormTable, &form, kind);
    form.fieldType = 5;
    form.ffData.dd_listEntryNum = entries;
    return form;
}

struct RoundTripCase {
    const char* title;
    XForm form;
};

inline std::vector<RoundTripCase> roundTripCases() {
    XForm everyOtherBit = sampleForm();
    std::memset(everyOtherBit.changeBits, 0xAA, sizeof everyOtherBit.changeBits);  // bits 0, 2, 4 ...; 36 and 38
    XForm notADropDown = sampleForm();
    notADropDown.fieldType = 4;
    XForm entriesWithoutFieldType = sampleForm();
    clearMaskBit(entriesWithoutFieldType.changeBits, 35);
    return {
        {"a fresh record without change bits", freshForm()},
        {"a fresh record with all bits", freshFormAllBits()},
        {"the sample record", sampleForm()},
        {"every other bit", everyOtherBit},
        {"a form field that is not a drop-down", notADropDown},
        {"a drop-down whose field type is not stored", entriesWithoutFieldType},
        {"every member its own value, all twelve entries", filledForm(Kind::kDistinct, kDropDownEntries)},
        {"negative members, one entry", filledForm(Kind::kNegative, 1)},
        {"-32768, 32767, -1, the 32-bit ends, channels of 0 and 65535, 511 bytes of field code that need escaping",
         filledForm(Kind::kExtremes, kDropDownEntries)},
    };
}

// The record a reader finds when it reads the element on top of `previous`: every field whose key or
// child was written, the drop-down entries the writer stored beside "FFDATA"; everything else, the cell
// style and the picture among them, as `previous` held it.
inline XForm expectedAfterReading(const XForm& previous, const XForm& written) {
    XForm expected = previous;
    writertest::copyStoredFields(kXFormTable, &expected, &written, true);
    if (testMaskBit(written.changeBits, 37) == 1 && written.fieldType == 5) {
        for (int i = 0; i < std::clamp<int>(written.ffData.dd_listEntryNum, 0, kDropDownEntries); ++i)
            std::strcpy(expected.ffData.dd_listEntry[i], written.ffData.dd_listEntry[i]);
    }
    return expected;
}

}  // namespace formsample
