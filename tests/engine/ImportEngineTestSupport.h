#pragma once
// An import engine over the program's importer descriptors, whose "Word2007" importer follows a script
// (ScriptedImporter) and may fill the block further at chosen requests (a hook per request code, for
// the document tables and records a script cannot express). Input files and the temporary-files folder
// live in the test's own folders; the storage written is read back as a parsed tree.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/import/CImportEngine.h"
#include "engine/task/CImportTask.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/files/AppFolders.h"
#include "model/params/XParamBlock.h"
#include "platform/files/Folders.h"
#include "model/storage/CStream.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/model/storage/ElementTree.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/ScriptedAsker.h"
#include "tests/support/ScriptedEngines.h"
#include "tests/support/ScriptedImporter.h"
#include "tests/support/TemporaryFolder.h"

namespace enginetest {

using BlockHook = std::function<void(XParamBlock&)>;

// Hooks run after the script answered a request (or the base did), by request code.
inline std::map<std::int16_t, std::vector<BlockHook>>& importerHooks() {
    static std::map<std::int16_t, std::vector<BlockHook>> hooks;
    return hooks;
}

class HookedImporter : public testsupport::ScriptedImporter {
public:
    using ScriptedImporter::ScriptedImporter;

protected:
    void handleSelector() override {
        const std::int16_t code = block->selector;
        ScriptedImporter::handleSelector();
        const auto found = importerHooks().find(code);
        if (found != importerHooks().end())
            for (const BlockHook& hook : found->second) hook(*block);
    }
};

inline testsupport::ImporterScript*& hookedScript() {
    static testsupport::ImporterScript* script = nullptr;
    return script;
}

inline CBaseTranslator* makeHookedImporter(const TranslatorDescriptor* descriptor) {
    if (hookedScript() != nullptr && descriptor == &importerDescriptors[importer::kWord2007])
        return new (std::nothrow) HookedImporter(descriptor, *hookedScript());
    return testsupport::makeScriptedImporter(descriptor);
}

// The request codes the importer saw, without the identify requests of detection.
inline std::vector<std::int16_t> documentRequests(const testsupport::ImporterScript& script) {
    std::vector<std::int16_t> codes;
    for (std::int16_t code : script.selectors())
        if (code <= request::kSelEndDocument) codes.push_back(code);
    return codes;
}

class ImportEngineTest : public ::testing::Test {
protected:
    ImportEngineTest()
        : importers(importerTable(makeHookedImporter)), registry(importers.data(), TranslatorDirection::importers) {
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, cache.path());
        setUpTemporaryFilesFolder();
        hookedScript() = &script;
        importerHooks().clear();
        setDefaultTaskDescriptor(request);
        request.asker = &asker;
        task = std::make_unique<CImportTask>(&request);
        script.always(request::kSelDocument, {.sheetCount = 1});
    }
    ~ImportEngineTest() override {
        hookedScript() = nullptr;
        importerHooks().clear();
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "");
        setUpTemporaryFilesFolder();
    }

    // Makes the input file (a zip signature, so that the Word 2007 importer is chosen).
    void makeInput(const std::string& name = "Report.docx") {
        writeBytes(folder.file(name), "PK\x03\x04 content");
        input = specOf(itemIn(folder, name));
        storageSpec = input;
    }

    ImportEngineSetup setup() {
        return {window, useRegistry ? &registry : nullptr, &input, &storageSpec, task.get(), importer::kWord2007, log,
                resultList, handOver};
    }

    // Runs one engine over the input; answers the failure's code (0 on success).
    std::int16_t runEngine() {
        CImportEngine engine(setup(), importers.data());
        try {
            engine.run(outcome);
        } catch (const CFail& failure) {
            lastFailure = std::make_unique<CFail>(failure);
            if (std::getenv("VDK_SHOW_FAILURE") != nullptr) ADD_FAILURE() << failure.error << " at " << failure.fileName << ":" << failure.line;
            return failure.error;
        }
        return 0;
    }

    std::string storagePath(const std::string& name = "Report.xml") const {
        return cache.path() + "Vostrandimeko temporary files/" + name;
    }

    // The storage written, parsed; null when there is none.
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> readStorage(const std::string& name = "Report.xml") const {
        return {xmlReadFile(storagePath(name).c_str(), nullptr, XML_PARSE_NONET), &xmlFreeDoc};
    }

    testsupport::TemporaryFolder folder;
    testsupport::TemporaryFolder cache;
    testsupport::ImporterScript script;
    std::array<TranslatorEntry, importer::kCount + 1> importers;
    CTranslator registry;
    testsupport::ScriptedAsker asker;
    TaskDescriptor request{};
    std::unique_ptr<CImportTask> task;
    FileSpec input{};
    FileSpec storageSpec{};
    ImportOutcome outcome{};
    ProgressWindow* window = nullptr;
    CFile* log = nullptr;
    CTypeArray* resultList = nullptr;
    StorageHandOver handOver = StorageHandOver::throughFile;
    bool useRegistry = true;
    std::unique_ptr<CFail> lastFailure;
};

}  // namespace enginetest
