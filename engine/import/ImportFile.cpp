// Opening the importer and the storage: the import engine's importFile (see CImportEngine.h).
//
// The importer is chosen by detection and made current in the registry; the input file is held open
// while the importer reads; the storage is a new document over "<input name without extension>.xml"
// in the temporary-files folder. A successful import saves the storage; every failure from the moment
// the storage file is named on deletes any file of that name, so no half-written storage is left for
// the export side to find.
#include <cctype>
#include <memory>
#include <new>

#include "engine/import/CImportEngine.h"
#include "engine/task/CImportTask.h"
#include "engine/translators/CTranslator.h"
#include "engine/task/DocumentOpener.h"
#include "engine/ProgramPreferences.h"
#include "engine/task/ProgressWindow.h"
#include "engine/task/ReportLog.h"
#include "engine/translators/TranslatorRequest.h"
#include "engine/task/UserQuestions.h"
#include "foundation/files/AppFolders.h"
#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "foundation/encoding/CharsetText.h"
#include "foundation/Clock.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"
#include "foundation/language/UIStrings.h"
#include "model/storage/CStorage.h"

namespace {
constexpr const char* kUnit = "BEngineImp";
constexpr std::uint16_t kReadingLogLine = 10055;    // "-> Reading '%s' (%s)\n"
constexpr std::uint16_t kExecutionLogLine = 10056;  // "-> Execution required %f secs\n\n"
constexpr std::uint16_t kReadingPhase = 10204;      // "Reading:"
constexpr std::uint16_t kReadingFileLine = 10208;   // "%h\n(%s)"
constexpr std::uint16_t kRefusedMessage = 10119;    // "Could not convert the file '%h' because %u."
constexpr std::uint16_t kOpenWithQuestion = 10139;  // "... Would you like to open it with %u?"
constexpr std::uint32_t kErrorIconAndOk = 1;
constexpr std::uint16_t kMissingFileText = 30000;     // "it does not exist"
constexpr std::uint16_t kUnreadableFileText = 30001;  // "it cannot be read: ..."
constexpr std::uint16_t kNoTemporaryFolderText = 30007;  // "the folder '%h' for ... temporary files cannot be made"
constexpr std::int16_t kFileNotFound = 2;
constexpr std::int16_t kPathNotFound = 3;
constexpr std::int32_t kExtensionBytes = 64;
constexpr std::int32_t kNameBytes = 256;
constexpr std::int32_t kMessageUnits = 1024;
constexpr char16_t kStorageExtension[] = u".xml";
constexpr std::int32_t kStorageExtensionUnits = 4;

// The importer table's write modes (bits 2-3 of flags0).
constexpr std::int16_t kWriteNoStorage = 0;
constexpr std::int16_t kWriteRefused = 2;

// The text after the name's last point in small letters, "???" without a point.
void readExtension(const FileSpec& input, char (&extension)[kExtensionBytes]) {
    CFile probe(input.name, input.folder, kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead, 0);
    std::uint32_t type = 0;
    std::uint32_t creator = 0;
    char name[kNameBytes];
    throwIfError(probe.getTypeAndExtension(&type, &creator, name, kNameBytes, extension, kExtensionBytes), __LINE__,
                 kUnit);
    for (char& letter : extension) {
        if (letter == '\0') break;
        letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    }
}

// "<name cut at its last '.'>.xml"; a name that would not fit fails rather than being cut into a
// name another input might also give.
PascalWString storageNameOf(const PascalWString& inputName) {
    PascalWString name = inputName;
    if (lastIndexOfUnit(name, u'.') >= 0) stripPStringExtension(name);
    if (!fitsInPascal(name.length() + kStorageExtensionUnits)) throwFail(result::kNullObject, __LINE__, kUnit);
    appendWString(name, kStorageExtension);
    return name;
}

// A file that is gone or cannot be read is told as such before any importer is asked about it: detection
// would only find that no importer takes it.
void refuseUnreadableInput(const FileSpec& input, char16_t** reason) {
    CFile item(input.name, input.folder, kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead, kGenericRead);
    if (item.isFolder()) return;
    const std::int16_t code = item.open();
    if (code == result::kSuccess) return;
    const bool missing = code == kFileNotFound || code == kPathNotFound;
    char16_t text[kLoadStringSize];
    loadUniText(text, missing ? kMissingFileText : kUnreadableFileText);
    freeMemory(*reason);
    *reason = duplicateWString(text);
    throwIfNull(*reason, __LINE__, kUnit);
    throwFail(result::kErrInaccessible, __LINE__, kUnit);
}

// Raises the failure again under another code, keeping where it was raised.
[[noreturn]] void raiseAs(const CFail& failure, std::int16_t code) {
    CFail changed(failure);
    changed.error = code;
    throw changed;
}
// The document's content is kept in the temporary-files folder while it is converted: where that folder
// cannot be made, no file can be converted, and each file's message names the folder.
void refuseWithoutTemporaryFolder(char16_t** reason) {
    if (failureCode([] { static_cast<void>(temporaryFilesFolder()); }) == result::kSuccess) return;
    char16_t text[kMessageUnits];
    formatUniResource(text, kNoTemporaryFolderText, folderSetUpFailurePath());
    freeMemory(*reason);
    *reason = duplicateWString(text);
    throwIfNull(*reason, __LINE__, kUnit);
    throwFail(result::kErrInaccessible, __LINE__, kUnit);
}
}  // namespace

std::int16_t CImportEngine::importFile(const char** exportChoice) {
    const double startTime = tickCount();
    char16_t* reason = nullptr;
    bool registryMade = false;
    bool importerCreated = false;
    std::int16_t kindCode = -1;
    try {
        return raisingOutOfMemory(__LINE__, kUnit, [&]() -> std::int16_t {
            if (importerRegistry == nullptr) {
                throwIfNull(importerTable, __LINE__, kUnit);
                importerRegistry = new (std::nothrow) CTranslator(importerTable, TranslatorDirection::importers);
                throwIfNull(importerRegistry, __LINE__, kUnit);
                registryMade = true;
            }
            char extension[kExtensionBytes] = {};
            try {
                readExtension(*inputSpec, extension);
                refuseUnreadableInput(*inputSpec, &reason);
                refuseWithoutTemporaryFolder(&reason);
                throwIfError(importerRegistry->create(importerIndex, &importerDescriptor, &inputSpec->name,
                                                      &inputSpec->folder, &reason),
                             __LINE__, kUnit);
            } catch (const CFail& failure) {
                if (registryMade) {
                    disposeObject(importerRegistry);
                    registryMade = false;
                }
                if (failure.error == result::kErrUnknownFormat && !quietBatch() && offerOtherApplication(extension)) {
                    raiseAs(failure, result::kErrCancelled);
                }
                if (failure.error == result::kErrInaccessible && reason != nullptr) {
                    if (!quietBatch()) {
                        explainRefusal(reason);
                        raiseAs(failure, result::kErrCancelled);
                    }
                    // A batch tells the reason in the file's line.
                    if (task != nullptr) task->keepRefusalReason(reason);
                }
                rethrowFailure();
            }
            *exportChoice = importerDescriptor->exportChoice;
            importerCreated = true;
            kindCode = importerDescriptor->kindCode;

            if (reportLog != nullptr) {
                char name[2 * kNameBytes];
                uniPascalToText(inputSpec->name, name);
                printResourceLine(*reportLog, kReadingLogLine, name, importerDescriptor->name);
            }
            showReadingPhase();
            makeInputFile();
            makeStorageFile();

            const std::int16_t writeMode = writeModeOf(*importerDescriptor);
            if (writeMode == kWriteRefused) throwFail(result::kNullObject, __LINE__, kUnit);
            if (writeMode == kWriteNoStorage) {
                progress(100, 50);
                progress(100, 100);
            } else {
                storage = new (std::nothrow) CStorage(storageFile, storagemode::kWrite);
                throwIfNull(storage, __LINE__, kUnit);
                throwIfError(importSheets(), __LINE__, kUnit);
            }
            logExecutionTime(startTime);

            FileSpec written{};
            makeFileSpec(written, storageFile->getName(), storageFile->getFolder());
            copyFileSpec(*storageSpec, written);
            if (storage != nullptr) finishStorage();
            importerRegistry->release();
            if (registryMade) disposeObject(importerRegistry);
            releaseFiles();
            freeMemory(reason);
            return kindCode;
        });
    } catch (const CFail&) {
        cleanUpAfterFailure(importerCreated, registryMade);
        freeMemory(reason);
        rethrowFailure();
    }
}

void CImportEngine::showReadingPhase() {
    if (progressWindow != nullptr) {
        const UniFormatValue values[] = {inputSpec->name, importerDescriptor->name};
        progressWindow->setPhase(kReadingPhase);
        progressWindow->setFileLine(kReadingFileLine, values);
        progressWindow->resetBar();
        progressWindow->clearStatus();
    } else {
        callTask(kProgressPhase, kReadingPhase, reinterpret_cast<std::intptr_t>(inputSpec));
        callTask(kProgressReset, 0, 0);
    }
}

void CImportEngine::makeInputFile() {
    inputFile = new (std::nothrow)
        CFile(inputSpec->name, inputSpec->folder, kAnyFileCode, kAnyFileCode, firstFileOptionOf(*importerDescriptor),
              secondFileOptionOf(*importerDescriptor), kGenericRead, 0);
    throwIfNull(inputFile, __LINE__, kUnit);
    if (!inputFile->isFolder()) throwIfError(inputFile->open(), __LINE__, kUnit);
}

void CImportEngine::makeStorageFile() {
    const PascalWString name = storageNameOf(inputSpec->name);
    storageFile = new (std::nothrow) CFile(name, temporaryFilesFolder(), fourCharCode("temp"), fourCharCode("vstk"), 1,
                                           0, kGenericRead | kGenericWrite, 0);
    throwIfNull(storageFile, __LINE__, kUnit);
}

// Saves the filled storage unless it goes on in memory alone, and keeps it for the outcome or frees it.
void CImportEngine::finishStorage() {
    // Released first, so a failed save is not saved or released a second time.
    std::unique_ptr<CStorage> filled(storage);
    storage = nullptr;
    if (handOver != StorageHandOver::inMemory) filled->save();
    if (handOver == StorageHandOver::throughFile) return;
    // The storage file object goes with this engine; the document outlives it.
    filled->releaseFile();
    handedOver = filled.release();
}

void CImportEngine::logExecutionTime(double startTime) {
    if (reportLog == nullptr) return;
    const double seconds = (tickCount() - startTime) / 1000.0;
    printResourceLine(*reportLog, kExecutionLogLine, seconds);
}

void CImportEngine::cleanUpAfterFailure(bool importerCreated, bool registryMade) {
    if (storage != nullptr) {
        storage->clearWriteMode();
        disposeObject(storage);
    }
    if (importerCreated && importerRegistry != nullptr) importerRegistry->release();
    if (registryMade) disposeObject(importerRegistry);
    if (storageFile != nullptr) storageFile->remove();
    releaseFiles();
    sheetStream = nullptr;
}

void CImportEngine::releaseFiles() {
    disposeObject(inputFile);
    disposeObject(storageFile);
}

// A file no importer takes: offer the application the desktop opens its kind of file with. Answers
// whether the offer reached an answer; whatever goes wrong inside it only ends the offer.
bool CImportEngine::offerOtherApplication(const char* extension) {
    DocumentOpener* opener = task != nullptr ? task->request().opener : nullptr;
    if (opener == nullptr) return false;
    FileSpec* list = nullptr;
    try {
        PascalWString applicationName{};
        PascalWString applicationFolder{};
        throwIfError(opener->findAssociatedApplication(extension, applicationName, applicationFolder), __LINE__, kUnit);
        if (applicationName.length() == 0) throwFail(result::kErrUnknownFormat, __LINE__, kUnit);
        const std::u16string display = opener->applicationDisplayName(applicationName, applicationFolder);
        char16_t question[kMessageUnits];
        formatUniResource(question, kOpenWithQuestion, inputSpec->name, display.c_str());
        const std::int16_t answer = askConfirmation(task->asker(), &gPreferences.noAskOtherFiles,
                                                    gPreferences.otherFilesAnswer, 1, kOpenWithQuestion, question);
        gPreferences.otherFilesAnswer = answer;
        if (answer == 1) {
            list = static_cast<FileSpec*>(allocMemory(sizeof(FileSpec)));
            throwIfNull(list, __LINE__, kUnit);
            *list = *inputSpec;
            throwIfError(opener->openFilesWithApplication(applicationName, applicationFolder, list), __LINE__, kUnit);
            freeMemory(list);
        }
        return true;
    } catch (const CFail&) {
        freeMemory(list);
        return false;
    }
}

void CImportEngine::explainRefusal(const char16_t* reason) {
    char16_t message[kMessageUnits];
    formatUniResource(message, kRefusedMessage, inputSpec->name, reason);
    reportFailure(task != nullptr ? task->asker() : nullptr, nullptr, kRefusedMessage, kErrorIconAndOk, message);
}
