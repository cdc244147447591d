// The Word 2003 importer over any bytes: the bytes become an input file, which the import engine reads
// with the program's importers (the Word 2003 importer and the protected-document detector; the others
// refuse every file) into a storage written in the fuzzing folder.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/CImportTask.h"
#include "engine/CTranslator.h"
#include "engine/StandInTranslators.h"
#include "engine/TaskDescriptor.h"
#include "engine/TranslatorDescriptors.h"
#include "engine/import/CImportEngine.h"
#include "foundation/AppFolders.h"
#include "foundation/CFail.h"
#include "foundation/FileSpec.h"
#include "foundation/PascalWString.h"
#include "fuzz/FuzzFolder.h"
#include "import/encrypted/CEncryptedImporter.h"
#include "import/wordml/CWinWord2003Importer.h"
#include "platform/Folders.h"

namespace {

constexpr const char* kDocumentName = "document.xml";

PascalWString pascal(const std::string& utf8) {
    PascalWString text{};
    assignCString(text, utf8.c_str());
    return text;
}

CBaseTranslator* makeImporter(const TranslatorDescriptor* descriptor) {
    if (descriptor == &importerDescriptors[importer::kWord2003]) return makeWord2003Importer(descriptor);
    if (descriptor == &importerDescriptors[importer::kEncryptedDocument]) return makeEncryptedImporter(descriptor);
    return makeStandInImporter(descriptor);
}

std::array<TranslatorEntry, importer::kCount + 1> importerTable() {
    std::array<TranslatorEntry, importer::kCount + 1> table{};
    for (int i = 0; i < importer::kCount; ++i) table[i] = {makeImporter, nullptr, &importerDescriptors[i]};
    return table;
}

void importOnce() {
    static const bool folderReady = [] {
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, fuzzfolder::path() + "/");
        setUpTemporaryFilesFolder();
        return true;
    }();
    (void)folderReady;
    std::array<TranslatorEntry, importer::kCount + 1> importers = importerTable();
    CTranslator registry(importers.data(), TranslatorDirection::importers);
    TaskDescriptor request{};
    setDefaultTaskDescriptor(request);
    CImportTask task(&request);
    FileSpec input{};
    makeFileSpec(input, pascal(kDocumentName), pascal(fuzzfolder::path() + "/"));
    FileSpec storage = input;
    ImportEngineSetup setup{nullptr, &registry, &input, &storage, &task, -1, nullptr, nullptr};
    CImportEngine engine(setup, importers.data());
    ImportOutcome outcome{};
    try {
        engine.run(outcome);
    } catch (const CFail&) {
        // Refused or failed: the file fails alone, as in a batch.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzfolder::writeFile(kDocumentName, std::string_view(reinterpret_cast<const char*>(data), size));
    importOnce();
    return 0;
}
