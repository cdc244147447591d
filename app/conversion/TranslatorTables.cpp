#include "app/conversion/TranslatorTables.h"

#include "export/CCSVExporter.h"
#include "export/CTEXTExporter.h"
#include "export/CUnicodeExporter.h"
#include "export/rtf/CRTFExporter.h"
#include "import/appleworks/CAppleWorksImporter.h"
#include "import/encrypted/CEncryptedImporter.h"
#include "import/spreadsheet/CXLMLImporter.h"
#include "import/docx/CWinWord2007Importer.h"
#include "import/wordml/CWinWord2003Importer.h"

TranslatorEntry importerTable[importer::kCount + 1] = {
    {makeAppleWorks5Importer, nullptr, &importerDescriptors[importer::kAppleWorks5]},
    {makeAppleWorks6Importer, nullptr, &importerDescriptors[importer::kAppleWorks6]},
    {makeEncryptedImporter, nullptr, &importerDescriptors[importer::kEncryptedDocument]},
    {makeWord2003Importer, nullptr, &importerDescriptors[importer::kWord2003]},
    {makeWord2007Importer, nullptr, &importerDescriptors[importer::kWord2007]},
    {makeXLMLImporter, nullptr, &importerDescriptors[importer::kExcel2007]},
    {nullptr, nullptr, nullptr},
};

TranslatorEntry exporterTable[exporter::kCount + 1] = {
    {makeCSVExporter, nullptr, &exporterDescriptors[exporter::kCSV]},
    {makeRTFExporter, nullptr, &exporterDescriptors[exporter::kRTF]},
    {makeTEXTExporter, nullptr, &exporterDescriptors[exporter::kText]},
    {makeUnicodeExporter, nullptr, &exporterDescriptors[exporter::kUnicode]},
    {nullptr, nullptr, nullptr},
};
