#pragma once
// One border in RTF words, after the word that says where it goes ("\brdrt", "\chbrdr", "\clbrdrl"...):
// the line style, its colour, width and distance from the text. Paragraphs, runs, table cells and page
// borders share it.
#include <cstdint>

#include "model/records/ValueRecords.h"

class CRTFFile;
struct XParamBlock;

// Nothing for a border of style 0 or -1. Style bit 0x40 adds "\brdrsh" (a shadow).
void writeRTFBorder(CRTFFile& out, const XParamBlock& block, const BorderSpec& border);
// A page art border: the art number instead of the line style, and the size in eighths of a point.
void writeRTFArtBorder(CRTFFile& out, const XParamBlock& block, const BorderSpec& border, std::int16_t art);
