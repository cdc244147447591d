#pragma once
// The engines of a program that imports through CImportEngine over its importer table. The export
// side stays with the stand-in export engine until the export engine exists.
#include "engine/ConversionEngines.h"
#include "engine/TranslatorDescriptor.h"

class ImportingEngines : public ConversionEngines {
public:
    explicit ImportingEngines(TranslatorEntry* importerTable) : importerTable(importerTable) {}
    ImportEngine* makeImportEngine(const ImportEngineSetup& setup) override;
    ExportEngine* makeExportEngine(const ExportEngineSetup& setup) override;

private:
    TranslatorEntry* importerTable;
};
