#pragma once
// One font of a workbook's style part, or the run properties ("rPr") of a rich-text run, which use the
// same children:
//
//   font
//     b i strike outline shadow condense extend   val = boolean, absent = on
//     sz val="11"  color rgb= indexed= tint=  name val="Calibri" (rFont in a run)  family  charset
//     u val="single|double|..."  vertAlign val="superscript|subscript"  scheme val="major|minor"
#include <libxml/tree.h>

#include <cstdint>
#include <string>

#include "foundation/RGBColor.h"

class CFont {
public:
    // An absent child leaves its field; the defaults are a nameless black 10-point font.
    void read(const xmlNode* element);
    // The character-face bits of the run that shows this font (txtFace).
    std::uint32_t faceFlags() const;
    // True when a run in either font looks the same: face, colour and size.
    bool looksLike(const CFont& other) const;

    std::string name;  // UTF-8; empty when none
    std::int16_t charset = 0;
    std::int16_t family = 0;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool outline = false;
    bool shadow = false;
    bool condense = false;
    bool extend = false;
    RGBColor color{0, 0, 0};
    std::int16_t size = 100;  // tenths of a point
    std::int16_t underline = 0;  // 0 none, 4 single, 1024 double
    std::int16_t vertAlign = 0;  // 0 baseline, 1 superscript, 2 subscript
    std::int16_t scheme = 0;     // 0 none, 1 major, 2 minor
};
