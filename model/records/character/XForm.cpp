#include "model/records/character/XForm.h"

#include "foundation/CFail.h"
#include "model/records/PictureOwnership.h"
#include "model/records/RecordFields.h"
#include "model/records/RecordTables.h"
#include "model/records/SameBytes.h"

void initXForm(XForm* form) {
    initRecordOnce(kXFormTable, form);
}

XForm* copyXForm(XForm* dst, const XForm* src) {
    *dst = *src;
    return dst;
}

XForm* copyXFormDeep(XForm* dst, const XForm* src) {
    // A record copied onto itself already owns its picture; cloning it would orphan the original.
    if (dst == src) return dst;
    copyXForm(dst, src);
    if (dst->picData == nullptr) return dst;
    try {
        dst->picData = clonePicture(dst->picData);
    } catch (const CFail& failure) {
        if (failure.error != result::kOutOfMemory) throw;
        dst->picData = nullptr;
    }
    return dst;
}

void disposeXForm(XForm* form) {
    if (form != nullptr) disposePicture(form->picData);
}

bool equalXForm(const XForm& a, const XForm& b) {
    return equalRecords(kXFormTable, &a, &b);
}

const std::int16_t& fontFieldOfHint(const XForm& form, std::int16_t hint) {
    switch (hint) {
    case 1:
        return form.txtFontAscii;
    case 3:
        return form.txtFontCs;
    case 4:
        return form.txtFontEa;
    default:
        return form.txtFontHAnsi;
    }
}

std::int16_t& fontFieldOfHint(XForm& form, std::int16_t hint) {
    return const_cast<std::int16_t&>(fontFieldOfHint(static_cast<const XForm&>(form), hint));
}

std::int16_t selectFontByHint(const XForm& form) {
    return fontFieldOfHint(form, form.txtHint);
}

std::int16_t selectLanguageByHint(const XForm& form) {
    switch (form.txtHint) {
    case 3:
        return form.txtLangCs;
    case 4:
        return form.txtLangEa;
    default:
        return form.txtLangVal;
    }
}

std::int16_t runHint(const XForm& form) {
    return form.txtHint;
}

XField* copyXField(XField* dst, const XField* src) {
    *dst = *src;
    return dst;
}

XCellStyle* copyCellStyle(XCellStyle* dst, const XCellStyle* src) {
    *dst = *src;
    return dst;
}

bool equalXField(const XField& a, const XField& b) {
    return sameBytes(a, b);
}

bool equalXffData(const XffData& a, const XffData& b) {
    return sameBytes(a, b);
}

bool equalCellStyle(const XCellStyle& a, const XCellStyle& b) {
    return sameBytes(a, b);
}
