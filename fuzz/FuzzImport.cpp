#include "fuzz/FuzzImport.h"

#include <array>
#include <string>

#include "engine/import/CImportEngine.h"
#include "engine/task/CImportTask.h"
#include "engine/task/TaskDescriptor.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "foundation/CFail.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/FileSpec.h"
#include "foundation/text/PascalWString.h"
#include "fuzz/FuzzFolder.h"
#include "platform/files/Folders.h"

namespace fuzzimport {
namespace {

PascalWString pascal(const std::string& utf8) {
    PascalWString text{};
    assignCString(text, utf8.c_str());
    return text;
}

}  // namespace

void importFile(const char* name, TranslatorFactory makeImporter) {
    static const bool folderReady = [] {
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, fuzzfolder::path() + "/");
        setUpTemporaryFilesFolder();
        return true;
    }();
    (void)folderReady;
    std::array<TranslatorEntry, importer::kCount + 1> importers{};
    for (int i = 0; i < importer::kCount; ++i) importers[i] = {makeImporter, nullptr, &importerDescriptors[i]};
    CTranslator registry(importers.data(), TranslatorDirection::importers);
    TaskDescriptor request{};
    setDefaultTaskDescriptor(request);
    CImportTask task(&request);
    FileSpec input{};
    makeFileSpec(input, pascal(name), pascal(fuzzfolder::path() + "/"));
    FileSpec storage = input;
    ImportEngineSetup setup{nullptr, &registry, &input, &storage, &task, -1, nullptr, nullptr,
                            StorageHandOver::throughFile};
    CImportEngine engine(setup, importers.data());
    ImportOutcome outcome{};
    try {
        engine.run(outcome);
    } catch (const CFail&) {
        // Refused or failed: the file fails alone, as in a batch.
    }
}

}  // namespace fuzzimport
