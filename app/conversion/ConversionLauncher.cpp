#include "app/conversion/ConversionLauncher.h"

#include <memory>
#include <new>

#include "app/MessageWindows.h"
#include "app/conversion/BatchSummary.h"
#include "app/conversion/ExportSettings.h"
#include "app/settings/ProgramFolders.h"
#include "engine/ProgramPreferences.h"
#include "engine/task/CImportTask.h"
#include "engine/task/TaskDescriptor.h"
#include "foundation/Clock.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/CFile.h"
#include "foundation/files/Paths.h"
#include "foundation/files/ShellServices.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"

namespace {
constexpr const char* kUnit = "Tirma";
constexpr std::uint16_t kLogFileNameFormat = 10002;
constexpr std::uint16_t kNoLogsFolderMessage = 30008;  // "This conversion writes no log: the folder '%h' ..."

// Sets a flag for as long as it lives.
class RunningFlag {
public:
    explicit RunningFlag(bool& running) : flag(running) { flag = true; }
    ~RunningFlag() { flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag;
};

PascalWString specificLogFolder() {
    PascalWString folder;
    throwIfError(joinPath(gPreferences.logFolderName, gPreferences.logFolderParent, folder), __LINE__, kUnit);
    throwIfError(appendSeparator(folder), __LINE__, kUnit);
    return folder;
}
}  // namespace

std::u16string logFileName(const std::tm& time) {
    char format[kLoadStringSize];
    loadText(format, kLogFileNameFormat);
    char name[64];
    formatString(name, format, time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min,
                 time.tm_sec);
    return utf8ToUtf16String(name);
}

int ConversionLauncher::exitStatus() const {
    return batchTotals.failedFiles > 0 || batchTotals.endedEarly ? 1 : 0;
}

void ConversionLauncher::convertJob(CTypeArray* items, CTypeArray* wordResults, CTypeArray* sheetResults) {
    if (batchRunning) {
        // Asked from inside the running batch: it waits for its turn.
        std::vector<FileSpec> waiting;
        for (std::int32_t i = 1; items != nullptr && i <= items->getCount(); ++i) waiting.push_back(*items->fileSpecAt(i));
        if (!waiting.empty()) queuedBatches.push_back(std::move(waiting));
        return;
    }
    const RunningFlag running(batchRunning);
    runBatch(items, wordResults, sheetResults);
    runQueuedBatches();
}

void ConversionLauncher::runQueuedBatches() {
    while (!queuedBatches.empty()) {
        const std::vector<FileSpec> waiting = std::move(queuedBatches.front());
        queuedBatches.pop_front();
        CTypeArray items;
        CTypeArray wordResults;
        CTypeArray sheetResults;
        const std::int16_t listed = failureCode([&] {
            for (const FileSpec& item : waiting) items.addFileSpec(item);
        });
        if (listed != result::kSuccess) {
            batchTotals.endedEarly = true;
            continue;
        }
        runBatch(&items, &wordResults, &sheetResults);
    }
}

void ConversionLauncher::runBatch(CTypeArray* items, CTypeArray* wordResults, CTypeArray* sheetResults) {
    ++batchTotals.batches;
    CFile* log = nullptr;
    const std::int16_t code = failureCode([&] {
        log = openLogFile();
        readBarFile();
        gPreferences.wordProcessing.fallbackCount = 0;
        gPreferences.spreadsheet.fallbackCount = 0;

        TaskDescriptor request;
        setDefaultTaskDescriptor(request);
        request.importerRegistry = services.importers;
        request.exporterRegistry = services.exporters;
        request.droppedItems = items;
        request.wordProcessingResults = wordResults;
        request.spreadsheetResults = sheetResults;
        request.reportLog = log;
        // The storage holds a copy of the document's content: it stays in the cache folder only when the
        // user asked to see it.
        request.removeStorage = gPreferences.showIntermediateXml == 1 ? 0 : 1;
        request.engines = services.engines;
        request.asker = services.asker;
        request.progressWindows = services.progressWindows;
        request.opener = services.opener;
        request.recentFiles = services.recentFiles;
        const std::int16_t taskResult = runImportTask(&request, 1);
        batchTotals.failedFiles += request.failedFiles;
        if (request.batchEnd != 0) batchTotals.endedEarly = true;
        throwIfError(taskResult, __LINE__, kUnit);

        const std::int32_t wordCount = wordResults != nullptr ? wordResults->getCount() : 0;
        const std::int32_t sheetCount = sheetResults != nullptr ? sheetResults->getCount() : 0;
        batchTotals.convertedFiles += wordCount + sheetCount;
        tellOutcome(wordCount, sheetCount);
    });
    // A batch that failed whole (no memory for the task) converted nothing more.
    if (code != result::kSuccess) batchTotals.endedEarly = true;
    disposeObject(log);
}

void ConversionLauncher::tellOutcome(std::int32_t wordCount, std::int32_t sheetCount) {
    if (wordCount + sheetCount == 0) return;
    const std::int32_t fellBack = gPreferences.wordProcessing.fallbackCount + gPreferences.spreadsheet.fallbackCount;
    if ((gPreferences.notifyFlags & kNotifyPlaySound) != 0) playSoundFile(gPreferences.soundName, gPreferences.soundsFolder);
    if (services.windows == nullptr) return;
    if ((gPreferences.notifyFlags & kNotifyShowSummary) != 0) {
        const std::u16string summary = batchSummary(gPreferences, wordCount, sheetCount, services.exporters);
        services.windows->showNotification(summary.c_str(), fellBack > 0 ? 1 : 0);
    } else if (fellBack > 0) {
        services.windows->showNotification(fallbackNotice(fellBack).c_str(), 1);
    }
}

void ConversionLauncher::tellNoLogsFolder() {
    if (services.windows == nullptr) return;
    char16_t text[kLoadStringSize];
    formatUniResource(text, kNoLogsFolderMessage, folderSetUpFailurePath());
    services.windows->showMessage(text, nullptr, messageflags::kInformationOk);
}

CFile* ConversionLauncher::openLogFile() {
    if (gPreferences.logMode != kLogInDefaultFolder && gPreferences.logMode != kLogInSpecificFolder) return nullptr;
    PascalWString folder;
    if (gPreferences.logMode == kLogInSpecificFolder) {
        folder = specificLogFolder();
    } else if (failureCode([&] { folder = logsFolder(); }) != result::kSuccess) {
        // The files are converted all the same; the user learns why no log is written.
        tellNoLogsFolder();
        return nullptr;
    }
    const std::u16string name = logFileName(*currentLocalTime());
    auto* log = new (std::nothrow) CFile(makePascal(name), folder, fourCharCode("TEXT"), fourCharCode("ttxt"), 0, 0,
                                         kGenericRead | kGenericWrite, 0);
    if (log == nullptr) return nullptr;
    log->create(1);
    log->open();
    return log;
}

void ConversionLauncher::convertOneFile(const FileSpec* file) {
    failureCode([&] {
        FileSpec chosen{};
        if (file == nullptr) {
            PascalWString name;
            PascalWString folder;
            if (chooseFileOrFolder(name, folder, nullptr, 0) != result::kSuccess) return;
            makeFileSpec(chosen, name, folder);
        } else {
            if (!itemExists(std::u16string(file->folder.view()) + std::u16string(file->name.view()))) return;
            chosen = *file;
        }
        CTypeArray items;
        CTypeArray wordResults;
        CTypeArray sheetResults;
        items.addFileSpec(chosen);
        convertJob(&items, &wordResults, &sheetResults);
    });
}
