#pragma once
// The words the dumps use for the kind of a width and the rule of a height, and the texts built from
// them ("percent:5000", "exact:300"). A code without a word shows as "?".
#include <cstdint>

#include "model/records/ValueRecords.h"

// "none", "auto", "percent", "twips" for the kinds 0 to 3.
const char* widthKindKeyword(std::int16_t type);
// "auto", "exact", "at-least" for the rules 0 to 2.
const char* heightRuleKeyword(std::int16_t rule);

// "%s:%d" of the keyword and the value, in a buffer of each formatter's own that the next call of the
// same formatter overwrites.
const char* formatWidthSpec(const WidthSpec& width);
const char* formatHeightSpec(const HeightSpec& height);
