#pragma once
// A paragraph frame in RTF words: size, horizontal and vertical anchor and position, wrapping, distance
// from the text, drop cap and anchor lock.
#include "model/records/paragraph/XRule.h"

class CRTFFile;

void writeRTFFrame(CRTFFile& out, const XFrame& frame);
