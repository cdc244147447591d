// The Word 2003 importer over any bytes: the bytes become an input file, which the import engine reads
// with the program's importers (the Word 2003 importer and the protected-document detector; the others
// refuse every file) into a storage written in the fuzzing folder.
#include <cstdint>
#include <string_view>

#include "engine/translators/StandInTranslators.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzImport.h"
#include "import/encrypted/CEncryptedImporter.h"
#include "import/wordml/CWinWord2003Importer.h"

namespace {

constexpr const char* kDocumentName = "document.xml";

CBaseTranslator* makeImporter(const TranslatorDescriptor* descriptor) {
    if (descriptor == &importerDescriptors[importer::kWord2003]) return makeWord2003Importer(descriptor);
    if (descriptor == &importerDescriptors[importer::kEncryptedDocument]) return makeEncryptedImporter(descriptor);
    return makeStandInImporter(descriptor);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzfolder::writeFile(kDocumentName, std::string_view(reinterpret_cast<const char*>(data), size));
    fuzzimport::importFile(kDocumentName, makeImporter);
    return 0;
}
