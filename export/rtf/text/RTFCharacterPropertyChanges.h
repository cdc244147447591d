#pragma once
// The changed fields of a character record in RTF words: the record describes a difference from the
// defaults (a style's character part, a list level's character part, the number of a list paragraph),
// so only the fields whose change bit is set are written, in a fixed order. The body's own runs state
// every field instead (RTFCharacterProperties.h) and share its words.
//
// Bare control words only: no group, no text, no blank; the caller ends the sequence. The text code
// (bit 1), the anchor and picture fields, the form-field data, the complex-script size and face and the
// underline colour are never written.
#include "model/records/character/XForm.h"

class CRTFFile;
struct XParamBlock;

void writeRTFCharacterProps(CRTFFile& out, const XParamBlock& block, const XForm& form);
