// Converting the collected files of a batch one by one: the large-batch question, then for every file
// an import engine, the exporter its family asks for, an export engine, and the opening of the
// converted files as the family's preference says.
#include <new>

#include "engine/ProgramPreferences.h"
#include "engine/task/CImportTask.h"
#include "engine/task/ConversionEngines.h"
#include "engine/task/DocumentOpener.h"
#include "engine/task/ProgressWindow.h"
#include "engine/task/UserQuestions.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/FailureCode.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"
#include "model/storage/CStorage.h"

namespace {
constexpr const char* kUnit = "BEngine";
constexpr std::uint16_t kNoFilesMessage = 10103;      // "No files for conversion were found."
constexpr std::uint16_t kLargeBatchQuestion = 10138;  // "You are trying to convert and open %d files..."
constexpr std::uint16_t kRemainingCaption = 10202;    // "Files remaining to be converted:"
constexpr std::uint32_t kInformationIcon = 2;
// Batches of more files than this ask before they open every converted file.
constexpr std::int32_t kLargeBatch = 12;
constexpr std::int32_t kMessageUnits = 1024;

bool familyOpens(const FamilyPreferences& family) {
    return family.openMode == kOpenWithDefaultApplication || family.openMode == kOpenWithSpecificApplication;
}

// The family whose "Convert to" text the importer's export choice points at, or null.
const FamilyPreferences* familyOf(const char* exportChoice) {
    if (exportChoice == gPreferences.wordProcessing.convertTo) return &gPreferences.wordProcessing;
    if (exportChoice == gPreferences.spreadsheet.convertTo) return &gPreferences.spreadsheet;
    return nullptr;
}

// One file's engines and blocks, released whichever way the file ends.
struct FileInFlight {
    FileSpec* record = nullptr;
    ImportEngine* importEngine = nullptr;
    ExportEngine* exportEngine = nullptr;
    FileSpec* outputBlock = nullptr;
    // The parsed storage between the engines, until the export engine takes it.
    CStorage* storage = nullptr;

    FileInFlight() = default;
    FileInFlight(const FileInFlight&) = delete;
    FileInFlight& operator=(const FileInFlight&) = delete;
    ~FileInFlight() { release(); }

    void release() {
        disposeObject(importEngine);
        disposeObject(exportEngine);
        disposeObject(storage);
        freeMemory(record);
        freeMemory(outputBlock);
    }
};
}  // namespace

void CImportTask::convertFiles(ProgressWindow* window, CTypeArray* files, CTypeArray* converted) {
    if (task.prepareBatch != nullptr) throwIfError(task.prepareBatch(files), __LINE__, kUnit);
    const std::int32_t count = files->getCount();
    if (count == 0) {
        if (task.quiet != 1) {
            reportFailure(task.asker, nullptr, kNoFilesMessage, kInformationIcon, loadUniText(nullptr, kNoFilesMessage));
        }
        throwFail(result::kStopQuietly, __LINE__, kUnit);
    }
    if (!confirmLargeBatch(count)) throwFail(result::kStopQuietly, __LINE__, kUnit);
    if (window != nullptr) window->bringToFront();
    if (count > 1) task.quiet = 1;
    while (files->getCount() > 0) convertOneFile(window, files, converted);
}

bool CImportTask::confirmLargeBatch(std::int32_t count) {
    // Without a display nothing can be opened, so there is nothing to confirm either.
    openAfterConversion = task.opener != nullptr;
    if (count <= kLargeBatch || task.quiet == 1) return true;
    if (!familyOpens(gPreferences.wordProcessing) && !familyOpens(gPreferences.spreadsheet)) return true;
    // The question is about opening: when it is not asked, the files are converted and not opened.
    if (gPreferences.noAskManyFiles == 1 || !openAfterConversion) {
        openAfterConversion = false;
        return true;
    }
    char16_t question[kMessageUnits];
    formatUniResource(question, kLargeBatchQuestion, count);
    return askConfirmation(task.asker, &gPreferences.noAskManyFiles, 0, 1, kLargeBatchQuestion, question) == 1;
}

void CImportTask::convertOneFile(ProgressWindow* window, CTypeArray* files, CTypeArray* converted) {
    FileInFlight file;
    ImportOutcome outcome{};
    refusalReason.clear();
    try {
        // Running out of memory fails the file like any other failure.
        raisingOutOfMemory(__LINE__, kUnit, [&] {
            if (window != nullptr) {
                window->clearStop();
                window->setCaption(kRemainingCaption);
                window->setCount(static_cast<std::int16_t>(files->getCount()));
            }
            files->fetchItem(1, &file.record);
            files->removeItems(1, 1);
            FileSpec input = *file.record;
            FileSpec storage = *file.record;
            FileSpec output = *file.record;

            // The export engine reads the storage as the import engine left it; the file is written only
            // when it is kept or shown.
            const bool storageFileWanted = task.removeStorage != 1 || gPreferences.showIntermediateXml == 1;
            const ImportEngineSetup importSetup{window,
                                                task.importerRegistry,
                                                &input,
                                                &storage,
                                                this,
                                                task.importerIndex,
                                                task.reportLog,
                                                task.resultList,
                                                storageFileWanted ? StorageHandOver::inMemoryAndFile
                                                                  : StorageHandOver::inMemory};
            file.importEngine = engines().makeImportEngine(importSetup);
            throwIfNull(file.importEngine, __LINE__, kUnit);
            file.importEngine->run(outcome);
            file.storage = outcome.storage;
            if (gPreferences.showIntermediateXml == 1) showIntermediateStorage(storage);

            std::int32_t exporterIndex = -1;
            if (task.exporterRegistry != nullptr && outcome.exportChoice != nullptr) {
                task.exporterRegistry->findByName(outcome.exportChoice, &exporterIndex);
            }
            task.importerIndex = outcome.importerIndex;
            task.exporterIndex = exporterIndex;
            // A file read but never written is not converted: it fails like any other.
            if (exporterIndex == -1) throwFail(result::kErrInaccessible, __LINE__, kUnit);

            const ExportEngineSetup exportSetup{window, task.exporterRegistry, &storage, &output, this,
                                                task.noteStoriesOnly, exporterIndex, task.quiet, task.confirmOverwrite,
                                                task.uniqueNames, task.deriveOutputName, task.removeStorage,
                                                task.mainTextOnly, task.outputFolder, task.reportLog, task.resultList,
                                                file.storage};
            file.exportEngine = engines().makeExportEngine(exportSetup);
            throwIfNull(file.exportEngine, __LINE__, kUnit);
            // The engine owns the storage now.
            file.storage = nullptr;
            const char* exportChoice = outcome.exportChoice;
            file.outputBlock = file.exportEngine->run(&exportChoice);

            output.documentKind = outcome.kindCode;
            if (converted != nullptr) converted->addFileSpec(output);
            // The converted file is kept whatever happens when it is opened.
            try {
                openConvertedFiles(exportChoice, file.outputBlock);
            } catch (const CFail& failure) {
                reportOpenFailure(*file.record, failure);
            }
            if (window != nullptr) window->decrementCount();
        });
    } catch (const CFail& failure) {
        FileSpec failed{};
        if (file.record != nullptr) failed = *file.record;
        file.release();
        reportFileFailure(failed, failure, task.quiet, outcome.resultIndex);
    }
}

void CImportTask::showIntermediateStorage(const FileSpec& storage) {
    if (task.opener == nullptr) return;
    PascalWString applicationName{};
    PascalWString applicationFolder{};
    if (task.opener->findAssociatedApplication("xml", applicationName, applicationFolder) != 0) return;
    auto* block = static_cast<FileSpec*>(allocMemory(sizeof(FileSpec)));
    throwIfNull(block, __LINE__, kUnit);
    *block = storage;
    const std::int16_t code = task.opener->openFilesWithApplication(applicationName, applicationFolder, block);
    freeMemory(block);
    throwIfError(code, __LINE__, kUnit);
}

void CImportTask::openConvertedFiles(const char* exportChoice, const FileSpec* outputBlock) {
    if (!openAfterConversion || task.opener == nullptr || outputBlock == nullptr) return;
    const FamilyPreferences* family = familyOf(exportChoice);
    if (family == nullptr) return;
    std::int16_t code = 0;
    if (family->openMode == kOpenWithDefaultApplication) {
        code = task.opener->openFiles(outputBlock);
    } else if (family->openMode == kOpenWithSpecificApplication) {
        code = task.opener->openFilesWithApplication(family->appName, family->applicationFolder, outputBlock);
    }
    throwIfError(code, __LINE__, kUnit);
}
