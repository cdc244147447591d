#pragma once
// A run's character formatting in full, as the RTF body states it for every run: direction, character
// style, language, font, size, character set, scale, raise, spacing, kerning, emphasis, the face flags,
// animation, underline kind, colours, border, shading and revision mark. Nothing is inherited from the
// run before. Ends with a control word; the caller ends the sequence (a blank, text or a group).
#include <cstdint>

#include "model/records/character/XForm.h"

class CRTFFile;
struct XParamBlock;

// With withCharacterStyle, a run that has a character style (styleTag not -1) names it ("\cs").
void writeRTFCharacterProperties(CRTFFile& out, const XParamBlock& block, const XForm& form, bool withCharacterStyle);

// The words that the writer of a record's changed fields (RTFCharacterPropertyChanges.h) shares.
// "rtlch" for Arabic and Hebrew text, "ltrch" for any other language.
const char* rtfCharacterDirectionWord(std::int16_t language);
// One word per face flag that is set, in the fixed order; none for a face of 0.
void writeRTFFaceWords(CRTFFile& out, std::uint32_t face);
// The emphasis mark of txtFill 0 to 4 ("\accnone" ...); nothing for any other value.
void writeRTFEmphasisWord(CRTFFile& out, std::int16_t fill);
// The underline kind 1 to 15, any other non-zero kind a single underline; nothing for 0.
void writeRTFUnderlineWord(CRTFFile& out, std::int16_t kind);
