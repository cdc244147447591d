#pragma once
// The engines the program's conversion tasks run: the import engine over the program's importer table,
// and the stand-in export engine until the export engine exists.
#include "engine/ConversionEngines.h"

ConversionEngines& programEngines();
