#pragma once
// One style of a document's style table: its character, paragraph and section formatting, its plain
// fields and, for a table style, up to nine sub-styles that format the table's conditional parts (first
// row, last column, bands ...). Its keys are in its field table (kXStyleTable, XStyleFields.cpp).
//
// Ownership: a style record is a block of the memory layer (newXStyle); it owns the sub-styles that its
// first `styleSubCount` entries of `subStyles` hold, and disposeXStyle releases them with it. A plain copy
// shares the sub-styles and never releases them.
#include <cstdint>
#include <type_traits>

#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"

constexpr int kStyleNameBytes = 64;
constexpr int kMaxSubStyles = 9;
// Sub-styles nest no deeper than this; walks over them stop here.
constexpr int kMaxStyleDepth = 32;

struct XStyle {
    XForm styleForm;  // child "styleForm"
    XRule styleRule;  // child "styleRule"
    XPage stylePage;  // child "stylePage"
    std::int16_t styleAttr;  // for a sub-style: the table condition it formats
    std::int16_t styleType;
    std::int16_t styleFlag;
    std::int32_t styleIndx;
    std::int32_t styleSort;
    std::int32_t styleBits;
    std::int32_t styleBase;  // the style it is based on
    std::int32_t styleNext;  // the style of the next paragraph
    std::int32_t styleLink;  // the linked style
    char styleName[kStyleNameBytes];
    std::int16_t styleSubCount;           // sub-styles in use, 0 to 9
    XStyle* subStyles[kMaxSubStyles];     // owned; nested "STYLE%03d" elements
};

static_assert(std::is_trivially_copyable_v<XStyle>, "records travel between the engines as plain bytes");

// A new style record, every byte zero. Lacking memory raises CFail 12 in unit "BCommon".
XStyle* newXStyle();
// Releases the style with every sub-style it owns, and nulls the variable. The count of sub-styles is
// taken within 0 to 9; a sub-style that repeats one of its ancestors or an earlier sibling is released
// once only, and nothing below kMaxStyleDepth levels is walked.
void disposeXStyle(XStyle*& style);
// styleSubCount within 0 to 9.
std::int32_t subStyleCount(const XStyle& style);
// Field by field, padding aside; the sub-style pointers are compared, not the styles they point to.
bool equalXStyle(const XStyle& a, const XStyle& b);
