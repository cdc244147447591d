#pragma once
// The form-field group written after a field start: a check box, a text input or a drop-down list with
// its name, default text or entries. Every text is escaped; at most kDropDownEntries entries.
#include <string>

#include "model/records/character/XForm.h"

// The group for a field of type 3 (check box), 4 (text input) or 5 (drop-down); empty for any other.
std::string rtfFormFieldText(const XForm& form);
