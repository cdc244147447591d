#include "engine/task/ImportingEngines.h"

#include <new>

#include "engine/export/CExportEngine.h"
#include "engine/export/output/OutputFolders.h"
#include "engine/import/CImportEngine.h"

ImportEngine* ImportingEngines::makeImportEngine(const ImportEngineSetup& setup) {
    return new (std::nothrow) CImportEngine(setup, importerTable);
}

ExportEngine* ImportingEngines::makeExportEngine(const ExportEngineSetup& setup) {
    return new (std::nothrow) CExportEngine(setup, exporterTable, folders != nullptr ? *folders : besideOriginalFolders());
}
