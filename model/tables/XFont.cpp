#include "model/tables/XFont.h"

#include "model/tables/DocumentRecordTables.h"

XFont* copyXFont(XFont* dst, const XFont* src) {
    *dst = *src;
    return dst;
}

bool equalXFont(const XFont& a, const XFont& b) {
    return equalRecords(kXFontTable, &a, &b);
}

void terminateFontTexts(XFont* font) {
    font->fontPanose[kFontPanoseBytes - 1] = '\0';
    font->fontAltName[kFontNameBytes - 1] = '\0';
    font->fontPCName[kFontNameBytes - 1] = '\0';
    font->fontMacName[kFontNameBytes - 1] = '\0';
}
