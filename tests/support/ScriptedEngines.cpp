#include "tests/support/ScriptedEngines.h"

#include <new>

#include "engine/ProgramPreferences.h"
#include "engine/task/CImportTask.h"
#include "engine/task/ProgressWindow.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/memory/Memory.h"

namespace testsupport {

namespace {

std::string utf8(const PascalWString& text) {
    return utf16ToUtf8String(text.view());
}

const char* exportChoiceOf(Family family) {
    switch (family) {
    case Family::wordProcessing:
        return gPreferences.wordProcessing.convertTo;
    case Family::spreadsheet:
        return gPreferences.spreadsheet.convertTo;
    case Family::none:
        break;
    }
    return nullptr;
}

class ScriptedImportEngine : public ImportEngine {
public:
    ScriptedImportEngine(ScriptedEngines& owner, const ImportEngineSetup& setup) : owner(owner), setup(setup) {
        ++owner.live;
    }
    ~ScriptedImportEngine() override { --owner.live; }

    void run(ImportOutcome& outcome) override {
        const std::string name = utf8(setup.input->name);
        owner.imported.push_back(name);
        owner.preferredImporters.push_back(setup.importerIndex);
        if (setup.resultList != nullptr) {
            setup.resultList->addFileSpec(*setup.input);
            outcome.resultIndex = setup.resultList->indexOfFileSpec(*setup.input);
        }
        if (setup.progressWindow != nullptr) {
            const UniFormatValue values[] = {setup.input->name};
            setup.progressWindow->setPhase(10204);
            setup.progressWindow->setFileLine(10207, values);
            if (setup.progressWindow->poll() == 1) throwFail(result::kStopQuietly, __LINE__, "BEngineImp");
        }
        const FileScript script = owner.scripts.count(name) != 0 ? owner.scripts[name] : FileScript{};
        if (script.importFailure != 0) throwFail(script.importFailure, __LINE__, "BEngineImp");
        appendCString(setup.storage->name, ".xml");
        outcome.kindCode = script.kindCode;
        outcome.exportChoice = exportChoiceOf(script.family);
        outcome.importerIndex = script.importerIndex;
    }

private:
    ScriptedEngines& owner;
    ImportEngineSetup setup;
};

class ScriptedExportEngine : public ExportEngine {
public:
    ScriptedExportEngine(ScriptedEngines& owner, const ExportEngineSetup& setup) : owner(owner), setup(setup) {
        ++owner.live;
    }
    ~ScriptedExportEngine() override { --owner.live; }

    FileSpec* run(const char**) override {
        std::string name = utf8(setup.storage->name);
        name.resize(name.size() - 4);  // without ".xml"
        owner.exported.push_back(name);
        owner.quietFlags.push_back(setup.quiet);
        const FileScript script = owner.scripts.count(name) != 0 ? owner.scripts[name] : FileScript{};
        if (script.exportFailure != 0) throwFail(script.exportFailure, __LINE__, "BEngineExp");
        assignCString(setup.output->name, (name + ".rtf").c_str());
        auto* block = static_cast<FileSpec*>(allocMemory(sizeof(FileSpec)));
        throwIfNull(block, __LINE__, "BEngineExp");
        *block = *setup.output;
        return block;
    }

private:
    ScriptedEngines& owner;
    ExportEngineSetup setup;
};

}  // namespace

ImportEngine* ScriptedEngines::makeImportEngine(const ImportEngineSetup& setup) {
    return new (std::nothrow) ScriptedImportEngine(*this, setup);
}

ExportEngine* ScriptedEngines::makeExportEngine(const ExportEngineSetup& setup) {
    return new (std::nothrow) ScriptedExportEngine(*this, setup);
}

std::int16_t RecordingOpener::findAssociatedApplication(const char*, PascalWString& applicationName,
                                                        PascalWString& applicationFolder) {
    if (!knowsXmlViewer) return 1155;
    assignCString(applicationName, "viewer");
    assignCString(applicationFolder, "/usr/bin/");
    return 0;
}

std::int16_t RecordingOpener::openFiles(const FileSpec* fileList) {
    const std::int32_t files = memorySize(fileList) / static_cast<std::int32_t>(sizeof(FileSpec));
    for (std::int32_t i = 0; i < files; ++i) opened.push_back("default " + utf8(fileList[i].name));
    return openFailure;
}

std::int16_t RecordingOpener::openFilesWithApplication(const PascalWString& applicationName, const PascalWString&,
                                                       const FileSpec* fileList) {
    const std::int32_t files = memorySize(fileList) / static_cast<std::int32_t>(sizeof(FileSpec));
    for (std::int32_t i = 0; i < files; ++i) opened.push_back(utf8(applicationName) + " " + utf8(fileList[i].name));
    return openFailure;
}

std::u16string RecordingOpener::applicationDisplayName(const PascalWString& applicationName, const PascalWString&) {
    return utf8(applicationName) == "viewer" ? u"Image Viewer" : std::u16string(applicationName.view());
}

}  // namespace testsupport
