#pragma once
// Helpers of the export engine's tests: a storage written story by story (as the import engine writes
// one), and an export engine over the program's exporter descriptors whose exporters record what they
// are sent (RecordingExporter). Input, output and temporary files live in the test's own folders.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/export/CExportEngine.h"
#include "engine/export/output/OutputFolders.h"
#include "engine/task/CImportTask.h"
#include "engine/task/TaskDescriptor.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"
#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"
#include "model/story/CStory.h"
#include "platform/files/Folders.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/RecordingExporter.h"
#include "tests/support/ScriptedAsker.h"

namespace exporttest {

inline std::string fromPascal(const PascalWString& text) {
    return pstringToUtf8(text);
}

// A character record of the defaults with one field changed, so that runs differ.
inline XForm formOfSize(std::int16_t size) {
    XForm form{};
    initXForm(&form);
    form.txtSize = size;
    return form;
}

inline XForm formOfLanguage(std::int16_t language) {
    XForm form{};
    initXForm(&form);
    form.txtLangVal = language;
    return form;
}

inline XRule defaultRule() {
    XRule rule{};
    initXRule(&rule);
    return rule;
}

// One piece of a story's text with its character and paragraph records.
struct Chunk {
    std::u16string text;
    XForm form = formOfSize(240);
    XRule rule = defaultRule();
};

// A storage written as the import engine writes one: "SHEETS", then "SHEET_n" elements holding the
// stories and the "XSize" counts, then "Zevozav".
class StorageBuilder {
public:
    // The storage file to write, by its full path.
    explicit StorageBuilder(const std::string& path) {
        PascalWString name{};
        PascalWString folder{};
        const std::size_t cut = path.rfind('/');
        assignCString(name, path.substr(cut + 1).c_str());
        assignCString(folder, path.substr(0, cut + 1).c_str());
        storage = std::make_unique<CStorage>(name.text(), folder, storagemode::kWrite);
        initXParamBlock(nullptr, &host);
    }
    ~StorageBuilder() { disposeXParamBlock(&host); }

    // A new sheet; its name is stored only when given. Stories go into the latest sheet.
    void addSheet(const char* name = nullptr) {
        closeSheet();
        const std::string element = "SHEET_" + std::to_string(sheetCount++);
        sheet = std::make_unique<CStream>(storage->rootStream(), element.c_str(), 1);
        if (name != nullptr) sheet->writeValues(nullptr, 0, "sheetName %s", name);
    }

    // A story of the storage kind and mark (-1 for none) in the latest sheet, made of the chunks, each
    // under its own character record. storyName and storyMark go into the story's header.
    void addStory(std::int16_t storageKind, std::int32_t mark, const std::vector<Chunk>& chunks,
                  const char* storyName = "", std::int32_t storyMark = 0) {
        host.storyType = storageKind;
        host.storyMark = storyMark;
        std::snprintf(host.storyName, sizeof host.storyName, "%s", storyName);
        CStory story(&host, sheet.get(), nullptr, storageKind, mark, 1);
        XPage page{};
        initXPage(&page, 2);
        for (const Chunk& chunk : chunks) {
            XForm form = chunk.form;
            XRule rule = chunk.rule;
            story.appendText(chunk.text.data(), static_cast<std::int32_t>(chunk.text.size()), &form, &rule, &page,
                             -1);
        }
        if (storageKind >= storykind::kHeader && storageKind <= storykind::kEndnote && mark >= 0)
            counts[storageKind - 1] = std::max(counts[storageKind - 1], mark + 1);
    }

    // A story element with text but without any runs, as a damaged storage holds one.
    void addStoryWithoutRuns(std::int16_t storageKind, std::int32_t mark, const std::u16string& text) {
        CStory story(&host, sheet.get(), nullptr, storageKind, mark, 1);
        CStream textStream(story.getStoryStream(), "TEXT", 0);
        textStream.writeValues(text.data(), static_cast<std::int32_t>(text.size()), "");
        if (storageKind >= storykind::kHeader && storageKind <= storykind::kEndnote && mark >= 0)
            counts[storageKind - 1] = std::max(counts[storageKind - 1], mark + 1);
    }

    void addMainStory(const std::u16string& text) { addStory(storykind::kMain, -1, {{text}}); }

    // Writes the storage to its file.
    void save() {
        closeSheet();
        storage->rootStream()->writeValues(nullptr, 0, "SHEETS %l", sheetCount);
        { CStream documentElement(storage->rootStream(), "Zevozav", 1); }
        storage->save();
    }

    std::int32_t sheetCount = 0;

private:
    void closeSheet() {
        if (sheet == nullptr) return;
        CStream sizes(sheet.get(), "XSize", 1);
        for (int index = 0; index < 7; ++index) {
            const std::string key = "XSize_fIndx_" + std::string(index < 10 ? "00" : "0") + std::to_string(index) + " %d";
            sizes.writeValues(nullptr, 0, key.c_str(), static_cast<std::int16_t>(counts[index]));
        }
        for (std::int32_t& count : counts) count = 0;
        sheet.reset();
    }

    std::unique_ptr<CStorage> storage;
    std::unique_ptr<CStream> sheet;
    XParamBlock host{};
    std::int32_t counts[7] = {};
};

// An output-folder double: a chosen folder for every family, and a converted-files folder.
class FixedFolders : public OutputFolders {
public:
    const PascalWString* resolveOutputFolder(FamilyPreferences&) override { return useOutput ? &output : nullptr; }
    const PascalWString* convertedFilesFolder() override { return useConverted ? &converted : nullptr; }
    PascalWString output{};
    PascalWString converted{};
    bool useOutput = false;
    bool useConverted = false;
};

// The task's progress callback, recording each code.
inline std::int16_t recordProgress(std::int32_t code, std::intptr_t a, std::intptr_t b, void* data) {
    auto* calls = static_cast<std::vector<std::vector<std::int64_t>>*>(data);
    calls->push_back({code, static_cast<std::int64_t>(a), static_cast<std::int64_t>(b)});
    return 0;
}

class ExportEngineTest : public ::testing::Test {
protected:
    ExportEngineTest()
        : exporters(enginetest::exporterTable(testsupport::makeRecordingExporter)),
          registry(exporters.data(), TranslatorDirection::exporters) {
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, cache.path());
        setUpTemporaryFilesFolder();
        setDefaultTaskDescriptor(request);
        request.asker = &asker;
        request.progressCallback = recordProgress;
        request.callbackData = &progressCalls;
        task = std::make_unique<CImportTask>(&request);
        for (int i = 0; i < exporter::kCount; ++i)
            bindings.push_back(std::make_unique<testsupport::ExportLogBinding>(&exporterDescriptors[i], log));
    }
    ~ExportEngineTest() override {
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "");
        setUpTemporaryFilesFolder();
    }

    std::string storagePath() const { return cache.file("Report.xml"); }

    // Saves the storage (made over storagePath()) and names the input "Report.docx".
    void useStorage(StorageBuilder& builder, const std::string& inputName = "Report.docx") {
        builder.save();
        storageSpec = enginetest::specOf(enginetest::itemIn(cache, "Report.xml"));
        output = FileSpec{};
        output.name = enginetest::pascal(inputName);
        output.folder = enginetest::pascal(folder.path());
    }

    // A one-sheet storage whose main story is the text.
    void useMainStory(const std::u16string& text) {
        StorageBuilder builder(storagePath());
        builder.addSheet();
        builder.addMainStory(text);
        useStorage(builder);
    }

    ExportEngineSetup setup() {
        return {window,          useRegistry ? &registry : nullptr, &storageSpec, &output, task.get(), 0,
                exporterIndex,   quiet,  confirmOverwrite, uniqueNames, deriveName, removeStorage, 0, nullptr,
                reportLog,       nullptr, parsedStorage};
    }

    // Runs one engine; answers the failure's code (0 on success). The output files stay in outputFiles.
    std::int16_t runEngine(FamilyPreferences* destination = nullptr) {
        CExportEngine engine(setup(), exporters.data(), folders);
        try {
            outputFiles.reset(engine.run(destination));
        } catch (const CFail& failure) {
            return failure.error;
        }
        return 0;
    }

    // The request codes the exporter received.
    std::vector<std::int16_t> requests() const {
        std::vector<std::int16_t> codes;
        for (const auto& entry : log.entries) codes.push_back(entry.selector);
        return codes;
    }

    // The text runs the exporter received, in order.
    std::vector<std::u16string> runs() const {
        std::vector<std::u16string> texts;
        for (const auto& entry : log.entries)
            if (entry.event == testsupport::ExportEvent::text) texts.push_back(entry.text);
        return texts;
    }

    struct FreeBlock {
        void operator()(FileSpec* block) const { freeMemory(block); }
    };

    testsupport::TemporaryFolder folder;
    testsupport::TemporaryFolder cache;
    testsupport::ExportLog log;
    std::vector<std::unique_ptr<testsupport::ExportLogBinding>> bindings;
    std::array<TranslatorEntry, exporter::kCount + 1> exporters;
    CTranslator registry;
    testsupport::ScriptedAsker asker;
    TaskDescriptor request{};
    std::unique_ptr<CImportTask> task;
    FixedFolders folders;
    FileSpec storageSpec{};
    FileSpec output{};
    std::unique_ptr<FileSpec, FreeBlock> outputFiles;
    std::vector<std::vector<std::int64_t>> progressCalls;
    ProgressWindow* window = nullptr;
    CFile* reportLog = nullptr;
    std::int32_t exporterIndex = exporter::kRTF;
    std::int16_t quiet = 0;
    std::int16_t confirmOverwrite = 0;
    std::int16_t uniqueNames = 1;
    std::int16_t deriveName = 1;
    std::int16_t removeStorage = 0;
    CStorage* parsedStorage = nullptr;  // taken over by the engine
    bool useRegistry = true;
};

}  // namespace exporttest
