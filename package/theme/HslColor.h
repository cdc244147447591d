#pragma once
// Hue, saturation and lightness to red, green and blue.
#include "package/xml/XmlColors.h"

// Hue in turns (0 to under 1), saturation and lightness from 0 to 1; each channel 0 to 255, truncated.
// A hue outside 0 to under 1 (after the sextant is taken) gives the grey of the lightness.
RGB8Color hslToColor(double hue, double saturation, double lightness);
