#pragma once
// The engines of a task whose request names none: every file fails at once with kErrInaccessible
// (32003), so nothing is ever reported as converted.
#include "engine/task/ConversionEngines.h"

// The one set of stand-in engines; the task uses it when its request names no engines.
ConversionEngines& standInEngines();
