#pragma once
// The import side of a conversion: one engine per input file. It picks the importer that takes the
// file, drives it request by request through a whole document and writes everything the importer
// answers into a new intermediate storage file, which the export engine reads afterwards.
//
//   run             "Loading:" phase, the file's entry in the result list, then importFile
//   importFile      the importer and the two files (ImportFile.cpp); saves the storage on success
//                   and deletes its file on every failure
//   importSheets    the document, sheet by sheet, then the document tables (ImportSheets.cpp)
//   importStory     one story, chunk by chunk (ImportStory.cpp)
//   progress        the one progress sink: the window's bar and status line, or the task's callback
//
// The storage it writes, in document order:
//
//     <Root_Storage SHEETS="n">
//       <SHEET_0 sheetName="...">  mainStory, side stories, graphic and table stories, then
//         <XSize XSize_fIndx_000="0" ... XSize_fIndx_006="0"/>
//       </SHEET_0> ...
//       <Zevozav> the document information and tables </Zevozav>
//     </Root_Storage>
//
// Everything importFile makes (the registry when the task gave none, the importer, the files, the
// storage) is released before it returns, so deleting the engine frees the object alone. Failures are
// CFails in unit "BEngineImp"; a Stop is -9999.
#include <cstdint>
#include <string>

#include "engine/task/ConversionEngines.h"
#include "engine/translators/TranslatorDescriptor.h"
#include "foundation/CBase.h"

class CFile;
class CStorage;
class CStory;
class CStream;
struct XParamBlock;

// The importer's answers that the engine refuses before it uses them (each fails the file with 22).
constexpr std::int32_t kMaxSheetCount = 32767;
// Text requests in a row that bring no text and do not end the story before the importer is given up.
constexpr std::int32_t kMaxEmptyTextAnswers = 100000;

class CImportEngine : public ImportEngine, public CBase {
public:
    // importerTable: the importers a registry is made over when the setup gives no registry (null: such
    // an engine fails every file with 12).
    CImportEngine(const ImportEngineSetup& setup, TranslatorEntry* importerTable);
    ~CImportEngine() override;
    CImportEngine(const CImportEngine&) = delete;
    CImportEngine& operator=(const CImportEngine&) = delete;

    // ImportEngine: run, with what the task needs back in one record.
    void run(ImportOutcome& outcome) override;

    // Shows the phase, enters the file in the result list (its index goes to *resultIndex at once) and
    // imports it. Answers the importer's kind code.
    virtual std::int16_t run(std::int32_t* resultIndex, const char** exportChoice);
    // Makes the importer and the storage, imports, saves; see ImportFile.cpp.
    virtual std::int16_t importFile(const char** exportChoice);
    // Reports done of total to the window or the task's callback. Never raises.
    virtual void progress(std::int32_t done, std::int32_t total);
    // The document pass over the importer made by importFile; answers 0 or raises.
    virtual std::int32_t importSheets();
    // One story of the kind (import numbering 2 to 11) with its mark; answers 1 when the importer had it.
    virtual std::int16_t importStory(std::int16_t kind, std::int32_t index, XParamBlock* block);

    std::int32_t getImporterIndex() const { return importerIndex; }
    const TranslatorDescriptor* getImporterDescriptor() const { return importerDescriptor; }

protected:
    // Whether the user has asked to stop (the window's poll, else the task's callback).
    bool stopRequested();
    // The task's progress callback with the code; 0 when there is none.
    std::int16_t callTask(std::int32_t code, std::intptr_t a, std::intptr_t b);
    // The batch runs quietly: no question and no message.
    bool quietBatch() const;

    ProgressWindow* progressWindow;
    CTranslator* importerRegistry;
    CTypeArray* resultList;
    const TranslatorDescriptor* importerDescriptor = nullptr;
    CStorage* storage = nullptr;
    CStream* sheetStream = nullptr;
    const FileSpec* inputSpec;
    FileSpec* storageSpec;
    CImportTask* task;
    CFile* reportLog;
    CFile* inputFile = nullptr;
    CFile* storageFile = nullptr;
    std::int32_t importerIndex;
    TranslatorEntry* importerTable;
    StorageHandOver handOver;
    // The filled storage, kept for the outcome when the setup asks for it in memory.
    CStorage* handedOver = nullptr;

private:
    void showLoadingPhase();
    void enterInResultList(std::int32_t* resultIndex);
    void markImported(std::int32_t resultIndex);
    void showReadingPhase();
    void makeInputFile();
    void makeStorageFile();
    void finishStorage();
    void logExecutionTime(double startTime);
    bool offerOtherApplication(const char* extension);
    void explainRefusal(const char16_t* reason);
    // Fails a document whose importer answered no sheet, which would convert to an empty file.
    [[noreturn]] void refuseEmptyDocument(std::int32_t line);
    void cleanUpAfterFailure(bool importerCreated, bool registryMade);
    void releaseFiles();
    void importSheet(std::int16_t sheet, XParamBlock* block);
    static std::string sheetElementName(std::int16_t sheet);
    void showSheetLine(std::int16_t sheet, std::int32_t sheetCount);
    void writeStoryCounts(const std::int32_t* counts);
    // The text requests of one story, each chunk stored as it comes.
    void receiveText(CStory& story, XParamBlock* block, bool mainStory, bool tableStory, std::int32_t total);
};
