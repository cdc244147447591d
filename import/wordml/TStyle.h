#pragma once
// The records one style (or one list level) states: its character, paragraph and section formatting.
// The property readers fill the owner's character and section records from the w:rPr and w:sectPr
// that a w:pPr of a style or a list level holds.
#include "model/XForm.h"
#include "model/XPage.h"
#include "model/XRule.h"

struct TStyle {
    XForm form{};
    XRule rule{};
    XPage page{};
};
