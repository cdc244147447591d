// The export engine's object, its run, the output folder and name, and its progress reports (see
// CExportEngine.h).
#include "engine/export/CExportEngine.h"

#include <new>

#include "engine/ProgramPreferences.h"
#include "engine/export/output/OutputFolders.h"
#include "engine/export/output/OutputNaming.h"
#include "engine/task/CImportTask.h"
#include "engine/task/ProgressWindow.h"
#include "engine/task/ReportLog.h"
#include "engine/task/TaskDescriptor.h"
#include "engine/task/UserQuestions.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/Clock.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/CUnicode.h"
#include "foundation/encoding/CharsetText.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"
#include "model/params/ParamBlockHost.h"
#include "model/params/XParamBlock.h"
#include "model/storage/CStorage.h"

CExportEngine* currentExportEngine = nullptr;

namespace {
constexpr const char* kUnit = "BEngineExp";
constexpr std::uint16_t kWritingPhase = 10205;       // "Writing:"
constexpr std::uint16_t kWritingFileLine = 10210;    // "%h\n(%s)"
constexpr std::uint16_t kWritingPercent = 10227;     // "Writing converted file... %d%%"
constexpr std::uint16_t kWritingLogLine = 10057;     // "<- Writing '%s' (%s)\n"
constexpr std::uint16_t kExecutionLogLine = 10058;   // "<- Execution required %f secs\n\n"
constexpr std::uint16_t kOverwriteFile = 10113;      // "Are you sure you want to overwrite the file '%h'?"
constexpr std::uint16_t kOverwriteFolder = 10114;    // "... overwrite the folder '%h'?"
// The question's style: the warning icon with a second button (OK and Cancel).
constexpr std::uint32_t kOkCancelWarning = 0x08 | 3;
constexpr std::int16_t kAnswerOk = 1;
constexpr std::int32_t kQuestionUnits = 1024;
constexpr std::int32_t kLogNameBytes = 512;

FamilyPreferences* familyOf(const char* exportChoice) {
    if (exportChoice == nullptr) return nullptr;
    if (exportChoice == gPreferences.wordProcessing.convertTo) return &gPreferences.wordProcessing;
    if (exportChoice == gPreferences.spreadsheet.convertTo) return &gPreferences.spreadsheet;
    return nullptr;
}
}  // namespace

CExportEngine::CExportEngine(const ExportEngineSetup& setup, TranslatorEntry* exporterTable, OutputFolders& folders)
    : progressWindow(setup.progressWindow),
      exporterRegistry(setup.exporterRegistry),
      exporterTable(exporterTable),
      folders(folders),
      outputFolder(setup.outputFolder),
      storageSpec(setup.storage),
      outputSpec(setup.output),
      task(setup.task),
      reportLog(setup.reportLog),
      silent(setup.quiet),
      askBeforeOverwrite(setup.confirmOverwrite),
      uniqueNames(setup.uniqueNames),
      prepareOutputName(setup.deriveOutputName),
      removeStorageFile(setup.removeStorage),
      exporterIndex(setup.exporterIndex) {
    storage = setup.parsedStorage;
    if (outputSpec != nullptr) documentKind = outputSpec->documentKind;
    currentExportEngine = this;
    setCurrentStoryOnDemand(this);
}

CExportEngine::~CExportEngine() {
    if (currentExportEngine == this) currentExportEngine = nullptr;
    if (currentStoryOnDemand() == this) setCurrentStoryOnDemand(nullptr);
    freeMemory(ownRunBuffer);
    freeMemory(convertedText);
    disposeObject(converter);
    disposeObject(storage);
}

FileSpec* CExportEngine::run(const char** exportChoice) {
    return run(familyOf(exportChoice != nullptr ? *exportChoice : nullptr));
}

FileSpec* CExportEngine::run(FamilyPreferences* destination) {
    raisingOutOfMemory(__LINE__, kUnit, [this] { showWritingPhase(); });
    return openFilesAndExport(destination);
}

void CExportEngine::showWritingPhase() {
    if (progressWindow != nullptr) {
        progressWindow->setPhase(kWritingPhase);
        progressWindow->resetBar();
        progressWindow->clearStatus();
    } else {
        callTask(kProgressReset, 0, 0);
    }
}

FileSpec* CExportEngine::openFilesAndExport(FamilyPreferences* destination) {
    const double startTime = tickCount();
    FileSpec* outputFiles = nullptr;
    bool translatorCreated = false;
    bool registryMade = false;
    try {
        return raisingOutOfMemory(__LINE__, kUnit, [&]() -> FileSpec* {
            outputFolder = destination != nullptr ? folders.resolveOutputFolder(*destination) : nullptr;
            if (exporterRegistry == nullptr) {
                throwIfNull(exporterTable, __LINE__, kUnit);
                exporterRegistry = new (std::nothrow) CTranslator(exporterTable, TranslatorDirection::exporters);
                throwIfNull(exporterRegistry, __LINE__, kUnit);
                registryMade = true;
            }
            throwIfError(exporterRegistry->create(exporterIndex, &exporterDescriptor, nullptr, nullptr, nullptr),
                         __LINE__, kUnit);
            translatorCreated = true;

            storageFile = new (std::nothrow) CFile(storageSpec->name, storageSpec->folder, kAnyFileCode, kAnyFileCode,
                                                   0, 0, kGenericRead, 0);
            throwIfNull(storageFile, __LINE__, kUnit);
            const TranslatorRule& rule = exporterDescriptor->rules[0];
            outputFile = new (std::nothrow)
                CFile(outputSpec->name, outputSpec->folder, rule.fileType, rule.creator, 0, 0, kGenericRead, 0);
            throwIfNull(outputFile, __LINE__, kUnit);
            if (prepareOutputName == 1) prepareOutput(destination);

            if (reportLog != nullptr) {
                char name[kLogNameBytes];
                uniPascalToText(outputSpec->name, name);
                printResourceLine(*reportLog, kWritingLogLine, name, exporterDescriptor->name);
            }
            showFileLine();

            if (storage == nullptr) {
                storage = new (std::nothrow) CStorage(storageFile, storagemode::kRead);
                throwIfNull(storage, __LINE__, kUnit);
            }
            throwIfError(exportSheets(&outputFiles), __LINE__, kUnit);
            staging.commit();

            if (reportLog != nullptr) {
                const double seconds = (tickCount() - startTime) / 1000.0;
                printResourceLine(*reportLog, kExecutionLogLine, seconds);
            }
            disposeObject(storage);
            if (removeStorageFile == 1) storageFile->remove();
            exporterRegistry->release();
            if (registryMade) disposeObject(exporterRegistry);
            disposeObject(storageFile);
            disposeObject(outputFile);
            return outputFiles;
        });
    } catch (const CFail&) {
        cleanUpAfterFailure(translatorCreated, registryMade, outputFiles);
        rethrowFailure();
    }
}

void CExportEngine::cleanUpAfterFailure(bool translatorCreated, bool registryMade, FileSpec*& outputFiles) {
    disposeObject(storage);
    disposeObject(sheetStream);
    // Whatever was written stays under its temporary names, which go now; the files of the final names
    // were never touched.
    staging.discard();
    if (translatorCreated && exporterRegistry != nullptr) exporterRegistry->release();
    if (registryMade) disposeObject(exporterRegistry);
    disposeObject(storageFile);
    disposeObject(outputFile);
    freeMemory(outputFiles);
}

void CExportEngine::prepareOutput(FamilyPreferences* destination) {
    PascalWString name = outputSpec->name;
    PascalWString folder = outputFolder != nullptr ? *outputFolder : outputSpec->folder;
    if (isFolderPathWritable(folder) == 0) {
        if (const PascalWString* fallback = folders.convertedFilesFolder()) {
            folder = *fallback;
            if (destination != nullptr) ++destination->fallbackCount;
        }
    }
    makeOutputName(*exporterDescriptor, name, folder, uniqueNames == 1, gPreferences.dateNames == 1,
                   [this](const PascalWString& candidate, const PascalWString& in) {
                       return nameExistsOnDisk(candidate, in) || staging.holds(candidate, in);
                   });
    outputFile->setNameAndFolder(name, folder);

    std::int16_t hasData = 0;
    std::int16_t second = 0;
    std::int16_t isFolder = 0;
    std::int16_t isFolder2 = 0;
    outputFile->getKind(hasData, second, isFolder, isFolder2);
    if (isFolder == 1) confirmOverwrite(kOverwriteFolder);
    else if (hasData == 1 && askBeforeOverwrite == 1) confirmOverwrite(kOverwriteFile);

    makeFileSpec(*outputSpec, name, folder);
    outputSpec->fileType = exporterDescriptor->rules[0].fileType;
    outputSpec->creator = exporterDescriptor->rules[0].creator;
}

void CExportEngine::confirmOverwrite(std::uint16_t questionId) {
    if (silent == 1) throwFail(result::kOutputExists, __LINE__, kUnit);
    char16_t question[kQuestionUnits];
    formatUniResource(question, questionId, outputFile->getName());
    UserQuestions* asker = task != nullptr ? task->asker() : nullptr;
    if (reportFailure(asker, nullptr, questionId, kOkCancelWarning, question) == kAnswerOk) return;
    disposeObject(outputFile);
    throwFail(result::kStopQuietly, __LINE__, kUnit);
}

void CExportEngine::showFileLine() {
    if (progressWindow != nullptr) {
        const UniFormatValue values[] = {outputSpec->name, exporterDescriptor->name};
        progressWindow->setFileLine(kWritingFileLine, values);
        progressWindow->resetBar();
        progressWindow->clearStatus();
    } else {
        callTask(kProgressPhase, kWritingPhase, reinterpret_cast<std::intptr_t>(outputSpec));
        callTask(kProgressReset, 0, 0);
    }
}

void CExportEngine::progress(std::int32_t done, std::int32_t total) {
    if (progressWindow != nullptr) {
        progressWindow->setBar(done, total);
        // A sheet reports after each of its rows; the status text changes only with the percentage.
        const std::int32_t percent = progressPercent(done, total);
        if (percent == shownPercent) return;
        shownPercent = percent;
        const UniFormatValue values[] = {percent};
        progressWindow->setStatus(kWritingPercent, values);
        return;
    }
    callTask(kProgressValue, done, total);
}

void CExportEngine::pollStop() {
    const bool stop = progressWindow != nullptr ? progressWindow->poll() == 1 : callTask(kProgressPoll, 0, 0) == 1;
    if (stop) throwFail(result::kStopQuietly, __LINE__, kUnit);
}

std::int16_t CExportEngine::callTask(std::int32_t code, std::intptr_t a, std::intptr_t b) {
    if (task == nullptr) return 0;
    const TaskDescriptor& request = task->request();
    if (request.progressCallback == nullptr) return 0;
    return request.progressCallback(code, a, b, request.callbackData);
}

std::int16_t CExportEngine::endDocument(XParamBlock* block) {
    throwIfError(exporterRegistry->send(request::kSelEndDocument, block), __LINE__, kUnit);
    disposeXParamBlock(block);
    return 1;
}

std::int16_t CExportEngine::storyCounter(std::int16_t exportKind) const {
    if (exportKind < request::kSelBeginStory || exportKind >= request::kSelBeginStory + kSideStoryCounters) return 0;
    return storyCounters[exportKind - request::kSelBeginStory];
}

std::int16_t& CExportEngine::counterOf(std::int16_t exportKind) {
    return storyCounters[exportKind - request::kSelBeginStory];
}

char16_t* CExportEngine::runBuffer() {
    if (ownRunBuffer == nullptr) {
        ownRunBuffer = static_cast<char16_t*>(allocMemory(kTaskTextBufferUnits * static_cast<std::int32_t>(sizeof(char16_t))));
        throwIfNull(ownRunBuffer, __LINE__, kUnit);
    }
    return ownRunBuffer;
}
