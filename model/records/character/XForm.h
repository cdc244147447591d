#pragma once
// The character record: one run of text, from its `position` up to the next run, carries one XForm. It is
// also the current run of the document-parameter block, a story's last character run written, a style's
// character part and a list level's character part. Its fields, keys, change bits and starting values are
// in its field table (kXFormTable, XFormFields.cpp).
//
// Ownership: an XForm is a plain value, copied byte for byte, except that it owns the picture in
// `picData`. A plain copy shares the pointer and never releases it; only the record whose life ends
// releases it, with disposeXForm, and only copyXFormDeep gives a record a picture of its own.
#include <cstdint>
#include <type_traits>

#include "model/records/ValueRecords.h"

class CPicture;

constexpr int kDropDownEntries = 12;
constexpr int kDropDownEntryBytes = 32;

// Field instruction data (child element "FIELD").
struct XField {
    std::int16_t dirty;   // the field result must be updated
    std::int16_t locked;  // the field result must not be updated
    char fldData[512];
};

// Form-field data (child element "FFDATA"; the drop-down entries are stored beside it).
struct XffData {
    std::int16_t calcOnExit;
    char ti_defaultText[64];  // text input
    char ti_format[32];
    char ti_maxLength[4];
    std::int16_t ti_type;
    std::int16_t dd_defaultIndex;  // drop-down list
    std::int16_t dd_listEntryNum;  // entries in use, 0 to 12
    char dd_listEntry[kDropDownEntries][kDropDownEntryBytes];
    std::int16_t dd_resultValue;
    std::int16_t cb_checked;  // check box
    std::int16_t cb_defaultState;
    char cb_checkBoxSize[6];
    std::int16_t cb_checkBoxSizeAuto;
    std::int16_t enabled;
    char entryMacro[34];
    char exitMacro[34];
    char name[64];
};

// The spreadsheet cell style of a run. It stays in memory (its child element "CELLSTYLE" carries no
// keys); the spreadsheet import sets the values and reads them back.
struct XCellStyle {
    std::int32_t value1;
    std::int32_t value2;
    std::int16_t value3;
    std::int16_t value4;
    std::int32_t value5;
    std::int32_t value6;
    std::int32_t value7;
    std::int32_t value8;
};

inline constexpr XCellStyle kDefaultCellStyle{0, 0, 1, 2, 0, 0, 0, -1};

// Face flags of txtFace and txtFaceCs.
constexpr std::uint32_t kFaceBold = 1;
constexpr std::uint32_t kFaceItalic = 2;
constexpr std::uint32_t kFaceUnderline = 4;
constexpr std::uint32_t kFaceOutline = 8;
constexpr std::uint32_t kFaceShadow = 16;
constexpr std::uint32_t kFaceCondensed = 32;
constexpr std::uint32_t kFaceExpanded = 64;
constexpr std::uint32_t kFaceSuperscript = 128;
constexpr std::uint32_t kFaceSubscript = 256;
constexpr std::uint32_t kFaceWordsUnderline = 512;
constexpr std::uint32_t kFaceDoubleUnderline = 1024;
constexpr std::uint32_t kFaceStrikeThrough = 2048;
constexpr std::uint32_t kFaceDoubleStrikeThrough = 4096;
constexpr std::uint32_t kFaceHidden = 8192;
constexpr std::uint32_t kFaceEmboss = 16384;
constexpr std::uint32_t kFaceEngrave = 32768;
constexpr std::uint32_t kFaceAllCaps = 65536;
constexpr std::uint32_t kFaceSmallCaps = 131072;

// Theme font codes, used by the four font fields in place of a font id.
constexpr std::int16_t kMajorAsciiFont = -99;
constexpr std::int16_t kMajorHAnsiFont = -98;
constexpr std::int16_t kMajorBidiFont = -97;
constexpr std::int16_t kMajorEastAsiaFont = -96;
constexpr std::int16_t kMinorAsciiFont = -95;
constexpr std::int16_t kMinorHAnsiFont = -94;
constexpr std::int16_t kMinorBidiFont = -93;
constexpr std::int16_t kMinorEastAsiaFont = -92;

struct XForm {
    std::uint8_t changeBits[8];  // bit n marks the n-th optional field as changed
    std::int32_t uniqueBits;
    std::int32_t position;  // first UTF-16 unit of the run
    std::int32_t styleTag;  // character style, -1 = none
    std::int32_t txtCode;
    std::int16_t txtLangVal;  // Windows language ids of Latin, East Asian and complex-script text
    std::int16_t txtLangEa;
    std::int16_t txtLangCs;
    std::int16_t txtHint;  // script hint: 0 none, 1 Ascii, 2 HAnsi, 3 complex script, 4 East Asian
    std::int16_t txtFontAscii;
    std::int16_t txtFontHAnsi;
    std::int16_t txtFontEa;
    std::int16_t txtFontCs;
    std::int16_t txtBidi;
    std::int16_t txtSize;  // tenths of a point
    std::int16_t txtSizeCs;
    std::uint32_t txtFace;  // face flags
    std::uint32_t txtFaceCs;
    std::int16_t txtRate;  // horizontal scale in tenths of a percent
    std::int16_t txtBase;  // baseline shift in half-points
    RGBColor txtFore;
    RGBColor txtBack;
    std::int16_t txtKern;  // kerning threshold in half-points
    std::int16_t txtFill;  // emphasis mark
    std::int32_t txtType;  // anchor: control code in the high 16 bits, anchor id in the low 16 bits
    std::int32_t txtData;
    LongRect picRect;
    CPicture* picData;  // owned
    std::int16_t borderType;
    BorderSpec border;
    std::int16_t shadingType;
    ShadingSpec shading;
    std::int16_t txtSpacing;  // extra spacing in twips
    std::int16_t underlineEffect;
    std::int16_t blinkingEffect;
    RGBColor underlineColor;
    std::int16_t noProof;
    RevisionMark revision;
    std::int16_t fieldType;  // 5 = drop-down form field
    XField field;
    XffData ffData;
    XCellStyle cellStyle;
};

static_assert(std::is_trivially_copyable_v<XField> && std::is_trivially_copyable_v<XffData> &&
              std::is_trivially_copyable_v<XCellStyle>);
static_assert(std::is_trivially_copyable_v<XForm>, "records travel between the engines as plain bytes");

// Clears the record, then gives it the starting values of its table; no change bit is set.
void initXForm(XForm* form);
// A plain copy: the picture pointer is shared. Answers dst.
XForm* copyXForm(XForm* dst, const XForm* src);
// A copy that owns a clone of the source's picture; when memory for the clone is lacking, dst has no
// picture and no failure is raised. Answers dst.
XForm* copyXFormDeep(XForm* dst, const XForm* src);
// The end of an owning record's life: releases its picture and nulls the pointer.
void disposeXForm(XForm* form);
// Field by field, padding aside.
bool equalXForm(const XForm& a, const XForm& b);

// The font field that a script hint uses: 1 Ascii, 3 complex script, 4 East Asian, and HAnsi for 2, for
// 0 (no hint) and for any hint outside 0 to 4, which foreign data may carry and which counts as no hint.
// The one mapping of hints to fonts: selecting a font reads the field, following a script writes it.
std::int16_t& fontFieldOfHint(XForm& form, std::int16_t hint);
const std::int16_t& fontFieldOfHint(const XForm& form, std::int16_t hint);
// The font of the run's own hint (fontFieldOfHint).
std::int16_t selectFontByHint(const XForm& form);
// The language the script hint selects: 3 complex script, 4 East Asian, the Latin language for every
// other hint (an unknown hint counts as no hint, as for the font).
std::int16_t selectLanguageByHint(const XForm& form);
std::int16_t runHint(const XForm& form);

XField* copyXField(XField* dst, const XField* src);
XCellStyle* copyCellStyle(XCellStyle* dst, const XCellStyle* src);
bool equalXField(const XField& a, const XField& b);
bool equalXffData(const XffData& a, const XffData& b);
bool equalCellStyle(const XCellStyle& a, const XCellStyle& b);
