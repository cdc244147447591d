#pragma once
// Engines for a program that has no import or export engine yet: every file fails at once with
// kErrInaccessible (32003), so nothing is ever reported as converted.
#include "engine/ConversionEngines.h"

// The one set of stand-in engines; the task uses it when its request names no engines.
ConversionEngines& standInEngines();
