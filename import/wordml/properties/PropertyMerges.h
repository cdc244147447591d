#pragma once
// The field-by-field merges through which styles reach the records the readers fill: a field is copied
// from the source only when the source marks it in its change bits, and the target then marks it too,
// so a merged record says which fields some style or reader set. The bit numbers are the records' own
// (their field tables); a table cell has no bits of its own and is governed by bits 33 to 51 of the
// row set that holds it.
#include <cstdint>

#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"

// How a style's character faces meet the run's: replaced, or added to the run's own.
enum class FaceMerge : std::int16_t { kReplace = 0, kAdd = 1 };

// Every section field, bits 0 to 41.
void mergeProperties(XPage* target, const XPage* source);
// Every paragraph field, bits 0 to 45 (the level text pointer and the row set are copied as they are).
void mergeRuleProperties(XRule* target, const XRule* source);
// The character fields other than txtCode, txtBidi, txtFill, txtData and the cell style; the picture
// pointer is shared, never cloned.
void mergeFormProperties(XForm* target, const XForm* source, FaceMerge faceMode);
// The table and row fields (bits 0 to 32, 52 and 53), then the default cells.
void mergeRowsProperties(XRows* target, const XRows* source);
// The cell fields that the mask's bits 33 to 51 mark; no mark is set.
void mergeCellProperties(const std::uint8_t (&mask)[8], XRow* target, const XRow* source);
