#pragma once
// Texts of a colour and of a page's column list, as the dumps show them. Each formatter writes into a
// buffer of its own that its next call overwrites, so a caller that needs two colours at once copies
// the first aside.
#include "model/records/ValueRecords.h"
#include "model/records/section/XPage.h"

// "%d:%d:%d" of red, green, blue.
const char* formatRGBColor(const RGBColor& colour);
// The twelve pairs "{%d:%d}" of column width i and space i, joined by ", ".
const char* formatColumns(const XPage& page);
