// The Excel 2007 importer over any bytes: the bytes become a workbook file, which the import engine reads
// with the spreadsheet importer (the other importers refuse every file) into a storage written in the
// fuzzing folder. The bytes are a zip package, so most mutations break the package itself; the seeds are
// small workbooks whose parts the mutations reach once the zip's checks pass.
#include <cstdint>
#include <string_view>

#include "engine/translators/StandInTranslators.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzImport.h"
#include "import/spreadsheet/CXLMLImporter.h"

namespace {

constexpr const char* kWorkbookName = "book.xlsx";

CBaseTranslator* makeImporter(const TranslatorDescriptor* descriptor) {
    if (descriptor == &importerDescriptors[importer::kExcel2007]) return makeXLMLImporter(descriptor);
    return makeStandInImporter(descriptor);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzfolder::writeFile(kWorkbookName, std::string_view(reinterpret_cast<const char*>(data), size));
    fuzzimport::importFile(kWorkbookName, makeImporter);
    return 0;
}
