// The import engine's object, its run and its progress reports (see CImportEngine.h).
#include "engine/import/CImportEngine.h"

#include <cstring>

#include "engine/task/CImportTask.h"
#include "engine/task/ProgressWindow.h"
#include "engine/task/TaskDescriptor.h"
#include "foundation/CFail.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "model/storage/CStorage.h"

namespace {
constexpr std::uint16_t kLoadingPhase = 10203;     // "Loading:"
constexpr std::uint16_t kFileNameLine = 10207;     // "%h"
constexpr std::uint16_t kUnknownError = 10115;     // "Unknown Error"
constexpr std::uint16_t kReadingPercent = 10224;   // "Reading source data... %d%%"
constexpr std::uint16_t kVerifyingData = 10225;    // "Verifying data integrity..."
}  // namespace

CImportEngine::CImportEngine(const ImportEngineSetup& setup, TranslatorEntry* importerTable)
    : progressWindow(setup.progressWindow),
      importerRegistry(setup.importerRegistry),
      resultList(setup.resultList),
      inputSpec(setup.input),
      storageSpec(setup.storage),
      task(setup.task),
      reportLog(setup.reportLog),
      importerIndex(setup.importerIndex),
      importerTable(importerTable),
      handOver(setup.handOver) {}

CImportEngine::~CImportEngine() {
    disposeObject(handedOver);
}

void CImportEngine::run(ImportOutcome& outcome) {
    std::int32_t resultIndex = 0;
    const char* exportChoice = nullptr;
    try {
        outcome.kindCode = run(&resultIndex, &exportChoice);
    } catch (const CFail&) {
        outcome.resultIndex = resultIndex;
        rethrowFailure();
    }
    outcome.resultIndex = resultIndex;
    outcome.exportChoice = exportChoice;
    outcome.importerIndex = importerIndex;
    outcome.storage = handedOver;
    handedOver = nullptr;
}

std::int16_t CImportEngine::run(std::int32_t* resultIndex, const char** exportChoice) {
    showLoadingPhase();
    if (resultList != nullptr) enterInResultList(resultIndex);
    const std::int16_t kindCode = importFile(exportChoice);
    if (resultList != nullptr) markImported(*resultIndex);
    return kindCode;
}

void CImportEngine::showLoadingPhase() {
    if (progressWindow != nullptr) {
        const UniFormatValue values[] = {inputSpec->name};
        progressWindow->setPhase(kLoadingPhase);
        progressWindow->setFileLine(kFileNameLine, values);
        progressWindow->resetBar();
        progressWindow->clearStatus();
    } else {
        callTask(kProgressReset, 0, 0);
    }
}

void CImportEngine::enterInResultList(std::int32_t* resultIndex) {
    FileSpec entry = *inputSpec;
    loadText(entry.reasonText, kUnknownError);
    entry.importResult = -1;
    entry.exportResult = -1;
    resultList->addFileSpec(entry);
    *resultIndex = resultList->indexOfFileSpec(entry);
}

void CImportEngine::markImported(std::int32_t resultIndex) {
    if (FileSpec* entry = resultList->fileSpecAt(resultIndex)) entry->importResult = 0;
    setFileId(*storageSpec, static_cast<std::uint32_t>(resultIndex));
}

void CImportEngine::progress(std::int32_t done, std::int32_t total) {
    if (progressWindow != nullptr) {
        progressWindow->setBar(done, total);
        if (done <= total) {
            const UniFormatValue values[] = {progressPercent(done, total)};
            progressWindow->setStatus(kReadingPercent, values);
        } else {
            progressWindow->setStatus(kVerifyingData, {});
        }
        return;
    }
    callTask(kProgressValue, done, total);
}

bool CImportEngine::stopRequested() {
    if (progressWindow != nullptr) return progressWindow->poll() == 1;
    return callTask(kProgressPoll, 0, 0) == 1;
}

std::int16_t CImportEngine::callTask(std::int32_t code, std::intptr_t a, std::intptr_t b) {
    if (task == nullptr) return 0;
    const TaskDescriptor& request = task->request();
    if (request.progressCallback == nullptr) return 0;
    return request.progressCallback(code, a, b, request.callbackData);
}

bool CImportEngine::quietBatch() const {
    return task != nullptr && task->request().quiet == 1;
}
