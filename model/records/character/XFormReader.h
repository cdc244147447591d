#pragma once
// Rebuilds a character record from the storage element that holds it: a run element "Form%03d" of a
// story, a style's "styleForm" or a list level's "levelForm". The writer stores the head keys always and
// an optional field only when its change bit is set, so the reader reads on top of what the caller put
// into the record (for a story run, a copy of the run before it): every key or child that the element
// lacks keeps its value. No change bit is tested.
//
// It reads the element's keys (kXFormTable), the children "FIELD" and "FFDATA", the drop-down entries
// "FFDDLIST000" onward (siblings of "FFDATA", as many as dd_listEntryNum says, at most 12: a larger
// count is clamped in the record) and passes "CELLSTYLE" by (it carries no keys; the cell style stays as
// the caller gave it). Texts are cut to their fields. The picture is not read here: the story keeps
// pictures as elements of their own.
#include <cstdint>

#include "model/records/character/XForm.h"
#include "model/storage/CStream.h"

// 0, or the code of the failure that stopped the reading of the element's own keys (the children are
// then not read). Failures inside the children are dropped: an absent child keeps its fields' values.
std::int16_t readXForm(CStream* element, XForm* form);
