#pragma once
// One font of a document's font table. Character runs name their fonts by `fontUniqueID`, never by
// position; the output numbers fonts by `fontRTFNumber`, their 0-based place in the table. The record is a
// plain value: its texts are fixed-size NUL-terminated fields, and it owns nothing. Its keys are in its
// field table (kXFontTable, XFontFields.cpp).
#include <cstdint>
#include <type_traits>

#include "model/records/ValueRecords.h"

constexpr int kFontPanoseBytes = 20;
constexpr int kFontNameBytes = 256;

struct XFont {
    std::int16_t fontUniqueID;  // 1 to 32767, unique in its table
    std::int16_t fontMacFont;
    std::int16_t fontMacSize;
    FontFaceSpec fontMacFace;
    std::int16_t fontMacFlag;
    std::int16_t fontMacLanguage;
    std::int16_t fontRTFNumber;  // 0-based place in the table, refreshed by numberFonts
    std::int16_t fontFamily;     // 0 nil, 1 roman, 2 swiss, 3 modern, 4 script, 5 decorative, 6 technical, 7 bidi
    std::int16_t fontCharset;
    char fontPanose[kFontPanoseBytes];  // PANOSE classification as text
    char fontAltName[kFontNameBytes];
    char fontPCName[kFontNameBytes];  // the font's name: the key the table looks fonts up by
    char fontMacName[kFontNameBytes];
};

static_assert(std::is_trivially_copyable_v<XFont>, "records travel between the engines as plain bytes");

// A plain copy, field by field; the texts are copied as whole blocks. Answers dst.
XFont* copyXFont(XFont* dst, const XFont* src);
// Field by field, padding aside.
bool equalXFont(const XFont& a, const XFont& b);
// Ends each text field inside its bytes, so that a record from elsewhere can be read as texts safely.
void terminateFontTexts(XFont* font);
