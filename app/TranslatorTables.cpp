#include "app/TranslatorTables.h"

#include "engine/StandInTranslators.h"

// No reader or writer is part of the program yet: every row is bound to a stand-in that refuses its
// files (importers) or fails its first request (exporters).
TranslatorEntry importerTable[importer::kCount + 1] = {
    {makeStandInImporter, nullptr, &importerDescriptors[importer::kAppleWorks5]},
    {makeStandInImporter, nullptr, &importerDescriptors[importer::kAppleWorks6]},
    {makeStandInImporter, nullptr, &importerDescriptors[importer::kEncryptedDocument]},
    {makeStandInImporter, nullptr, &importerDescriptors[importer::kWord2003]},
    {makeStandInImporter, nullptr, &importerDescriptors[importer::kWord2007]},
    {makeStandInImporter, nullptr, &importerDescriptors[importer::kExcel2007]},
    {nullptr, nullptr, nullptr},
};

TranslatorEntry exporterTable[exporter::kCount + 1] = {
    {makeStandInExporter, nullptr, &exporterDescriptors[exporter::kCSV]},
    {makeStandInExporter, nullptr, &exporterDescriptors[exporter::kRTF]},
    {makeStandInExporter, nullptr, &exporterDescriptors[exporter::kText]},
    {makeStandInExporter, nullptr, &exporterDescriptors[exporter::kUnicode]},
    {nullptr, nullptr, nullptr},
};
