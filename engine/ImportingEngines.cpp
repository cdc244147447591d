#include "engine/ImportingEngines.h"

#include <new>

#include "engine/import/CImportEngine.h"
#include "engine/StandInEngines.h"

ImportEngine* ImportingEngines::makeImportEngine(const ImportEngineSetup& setup) {
    return new (std::nothrow) CImportEngine(setup, importerTable);
}

ExportEngine* ImportingEngines::makeExportEngine(const ExportEngineSetup& setup) {
    return standInEngines().makeExportEngine(setup);
}
