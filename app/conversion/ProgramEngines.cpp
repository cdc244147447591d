#include "app/conversion/ProgramEngines.h"

#include "app/conversion/ProgramOutputFolders.h"
#include "app/conversion/TranslatorTables.h"
#include "engine/task/ImportingEngines.h"

ConversionEngines& programEngines() {
    static ImportingEngines engines(importerTable, exporterTable, &programOutputFolders());
    return engines;
}
