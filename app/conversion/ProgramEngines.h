#pragma once
// The engines the program's conversion tasks run: the import engine over the program's importer table
// and the export engine over its exporter table.
#include "engine/task/ConversionEngines.h"

ConversionEngines& programEngines();
