#include "engine/task/CImportTask.h"

#include <cstring>
#include <memory>
#include <new>

#include "engine/task/ProgressWindow.h"
#include "engine/task/RecentFiles.h"
#include "engine/task/ReportLog.h"
#include "engine/task/StandInEngines.h"
#include "foundation/Clock.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"

namespace {
constexpr const char* kUnit = "BEngine";
constexpr std::uint16_t kStartLine = 10051;         // "%s - conversion Started..."
constexpr std::uint16_t kPreparingCaption = 10201;  // "Preparing to convert:"
}  // namespace

std::int16_t runImportTask(TaskDescriptor* request, std::int16_t withProgressWindow) {
    if (request == nullptr) return result::kNullObject;
    CImportTask* task = new (std::nothrow) CImportTask(request);
    if (task == nullptr) return result::kOutOfMemory;
    const std::int16_t answer = failureCode([&] { task->runTask(withProgressWindow); });
    copyTaskDescriptor(*request, task->request());
    disposeObject(task);
    return answer;
}

CImportTask::CImportTask(const TaskDescriptor* request) : task{} {
    if (request != nullptr) copyTaskDescriptor(task, *request);
}

CImportTask::~CImportTask() = default;

void CImportTask::clearBuffers() {
    std::memset(textRuns, 0, sizeof(textRuns));
    std::memset(sideText, 0, sizeof(sideText));
}

ConversionEngines& CImportTask::engines() {
    return task.engines != nullptr ? *task.engines : standInEngines();
}

void CImportTask::runTask(std::int16_t withProgressWindow) {
    task.batchEnd = 0;
    task.failedFiles = 0;
    std::unique_ptr<CTypeArray> collected;
    std::unique_ptr<CTypeArray> converted;
    // Whatever ends the batch early (Stop included) ends only this stage: the files converted so far
    // are still handed out, and how the batch ended stays in the request.
    task.batchEnd = failureCode([&] {
        if (task.reportLog != nullptr) printResourceLine(*task.reportLog, kStartLine, ctimeText(*currentLocalTime()).c_str());
        if (withProgressWindow == 1 && task.progressWindows != nullptr) {
            progressWindow = task.progressWindows->openProgressWindow();
            throwIfNull(progressWindow, __LINE__, kUnit);
            progressWindow->setCaption(kPreparingCaption);
        }
        collected.reset(new (std::nothrow) CTypeArray);
        throwIfNull(collected.get(), __LINE__, kUnit);
        converted.reset(new (std::nothrow) CTypeArray);
        throwIfNull(converted.get(), __LINE__, kUnit);
        const std::int32_t items = task.droppedItems != nullptr ? task.droppedItems->getCount() : 0;
        for (std::int32_t i = 1; i <= items; ++i) {
            FileSpec item = *task.droppedItems->fileSpecAt(i);
            collectFiles(progressWindow, collected.get(), &item, static_cast<std::int16_t>(task.importerIndex),
                         task.resultList);
        }
        if (task.recentFiles != nullptr) {
            for (std::int32_t i = 1; i <= collected->getCount(); ++i) task.recentFiles->noteCollectedFile(*collected->fileSpecAt(i));
        }
        convertFiles(progressWindow, collected.get(), converted.get());
    });
    const std::int16_t handedOut = converted ? failureCode([&] { handOutResults(*converted); }) : result::kSuccess;
    if (progressWindow != nullptr) task.progressWindows->closeProgressWindow(progressWindow);
    progressWindow = nullptr;
    throwIfError(handedOut, __LINE__, kUnit);
}

void CImportTask::handOutResults(const CTypeArray& converted) {
    if (task.wordProcessingResults == nullptr || task.spreadsheetResults == nullptr) return;
    for (std::int32_t i = 1; i <= converted.getCount(); ++i) {
        const FileSpec& file = *converted.fileSpecAt(i);
        if (isWordProcessingKind(file.documentKind) == 1) {
            task.wordProcessingResults->addFileSpec(file);
        } else if (isSpreadsheetKind(file.documentKind) == 1) {
            task.spreadsheetResults->addFileSpec(file);
        }
    }
}
