#include "app/ProgramEngines.h"

#include "app/TranslatorTables.h"
#include "engine/ImportingEngines.h"

ConversionEngines& programEngines() {
    static ImportingEngines engines(importerTable, exporterTable);
    return engines;
}
