#pragma once
// The engines of a program that converts through its translator tables: CImportEngine over the importer
// table and CExportEngine over the exporter table, whose outputs go where the output folders say.
#include "engine/task/ConversionEngines.h"
#include "engine/translators/TranslatorDescriptor.h"

class OutputFolders;

class ImportingEngines : public ConversionEngines {
public:
    // folders: null keeps every output beside its original (besideOriginalFolders).
    ImportingEngines(TranslatorEntry* importerTable, TranslatorEntry* exporterTable, OutputFolders* folders = nullptr)
        : importerTable(importerTable), exporterTable(exporterTable), folders(folders) {}
    ImportEngine* makeImportEngine(const ImportEngineSetup& setup) override;
    ExportEngine* makeExportEngine(const ExportEngineSetup& setup) override;

private:
    TranslatorEntry* importerTable;
    TranslatorEntry* exporterTable;
    OutputFolders* folders;
};
