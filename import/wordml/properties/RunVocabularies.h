#pragma once
// The value vocabularies of run properties (ValueVocabularies.h holds the shared ones): underline
// kinds, text effects, emphasis marks, font hints and highlight colours.
#include <cstdint>

#include "foundation/RGBColor.h"

// "u": the face flag of the underlines that are face flags (single, words, double); false for others.
bool findUnderlineFace(const char* text, std::uint32_t* flag);
// "u": the underline effect of the other kinds; false for none and unknown text.
bool findUnderlineEffect(const char* text, std::int32_t* code);
// "effect": the text animation; 0 for none and for any other text.
std::int32_t lookupTextEffect(const char* text);
// "em": the emphasis mark; 0 for none and for any other text.
std::int32_t lookupEmphasisMark(const char* text);
// "val" of a Word 2003 "rFonts" (default, fareast, cs) and "hint" of Word 2007; false leaves the hint.
bool findFontHintWord2003(const char* text, std::int32_t* code);
bool findFontHint(const char* text, std::int32_t* code);
// "highlight": the colour of a highlight name; false for an unknown name.
bool findHighlightColor(const char* text, RGBColor* color);
