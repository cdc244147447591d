#pragma once
// A run's character formatting in full, as the RTF body states it for every run: direction, character
// style, language, font, size, character set, scale, raise, spacing, kerning, emphasis, the face flags,
// animation, underline kind, colours, border, shading and revision mark. Nothing is inherited from the
// run before. Ends with a control word; the caller ends the sequence (a blank, text or a group).
#include "model/XForm.h"

class CRTFFile;
struct XParamBlock;

// With withCharacterStyle, a run that has a character style (styleTag not -1) names it ("\cs").
void writeRTFCharacterProperties(CRTFFile& out, const XParamBlock& block, const XForm& form, bool withCharacterStyle);
