#pragma once
// The accessors of a parameter block's tables: importers add authors, fonts and styles; the record
// writers register every colour a stored record uses; the import engine numbers the fonts; the exporters
// look colours, fonts and list definitions up. Each takes the block as its last argument and forwards to
// the block's table, adding three rules of its own: colours are registered from whole border and shading
// records, theme-font aliases are resolved through the document theme, and a list number is resolved to
// its list definition through the overrides.
//
// Finding nothing is an answer, not a failure. An add on a block without that table (one whose set-up
// failed) raises CFail 22 in unit "BEngine"; the tables raise their own failures (unit "BCommon").
#include <cstdint>

#include "model/records/ValueRecords.h"
#include "model/tables/ListRecords.h"
#include "model/tables/XFont.h"
#include "model/tables/XStyle.h"

struct XParamBlock;

// Authors: compared by length and bytes, case counting.
void addAuthor(const char* name, XParamBlock* block);
// The 1-based position of the first equal name; -1 when absent.
std::int32_t findAuthor(const char* name, const XParamBlock* block);

// Colours, in the order of first registration, without repeats; the automatic colour is never stored.
void addColor(const RGBColor* color, XParamBlock* block);
void addBorderColor(const BorderSpec* border, XParamBlock* block);
// The tint, then the fill.
void addShadingColors(const ShadingSpec* shading, XParamBlock* block);
// The 1-based position of the first colour with the same three channels; -1 when absent (so always for
// the automatic colour, which exporters check for themselves).
std::int32_t findColor(const RGBColor* color, const XParamBlock* block);

// The id of a font of the same name (case ignored), or a copy of the record added under a fresh id.
std::int16_t addFontRecord(const XFont* font, XParamBlock* block);
// Finds the font by name; a theme-font alias ("minorHAnsi", case ignored and '-' skipped) resolves to the
// theme's typeface, found or added like any name, or to the alias's negative code when the theme has no
// such typeface; any other name adds a font of that name. A typeface that is itself an alias name is
// taken as a plain font name, so resolution never goes round. A null name answers 0.
std::int16_t addFontByName(const char* name, XParamBlock* block);
// The theme font code (kMajorAsciiFont ... kMinorHAnsiFont) of a theme font alias such as "minorHAnsi";
// 0 for a name that is no alias.
std::int16_t themeAliasCode(const char* name);
// The font with this id; null when none.
XFont* getFont(std::int16_t id, const XParamBlock* block);
// Gives every font its 0-based place as fontRTFNumber and answers the number of fonts.
std::int32_t numberFonts(XParamBlock* block);

// Appends a heap style (newXStyle); the table owns it from then on.
void addStyle(XStyle* style, XParamBlock* block);

// The definition of the first override whose listIlfo is the number and whose definition exists, copied
// into one record shared by every caller (valid until the next call, its level texts until the block is
// disposed); null when none.
XListDef* findListDefForOverride(std::int32_t listNumber, const XParamBlock* block);
// A member-wise copy: level texts and every pointer inside the levels are shared. Answers the destination.
XListDef* copyListDef(XListDef* destination, const XListDef* source);
// A definition that only refers to a numbering style (listStyleId not empty) gives the first definition
// that defines that style (listStyleName, case ignored); otherwise, or when none does, the definition
// itself.
XListDef* findListDefByName(XListDef* definition, const XParamBlock* block);

// Widens a length-prefixed 8-bit text byte for byte into UTF-16 units (no terminating 0); the destination
// holds at least 255 units. The length goes to `length` when it is given. A null source is the empty text.
void widenPascalText(char16_t* destination, std::int32_t* length, const std::uint8_t* source);
