#include "app/ProgramEngines.h"

#include "app/ProgramOutputFolders.h"
#include "app/TranslatorTables.h"
#include "engine/ImportingEngines.h"

ConversionEngines& programEngines() {
    static ImportingEngines engines(importerTable, exporterTable, &programOutputFolders());
    return engines;
}
