#pragma once
// The two engines a conversion task runs for every file, and the factory it makes them through.
// The import engine reads the input into the intermediate storage; the export engine writes the
// storage out with the exporter the importer's family asks for. The task makes both anew for every
// file and deletes them when the file is done; their failures are CFails with their own codes.
#include <cstdint>

#include "foundation/files/CFile.h"
#include "foundation/files/CTypeArray.h"
#include "foundation/files/FileSpec.h"
#include "foundation/text/PascalWString.h"

class CImportTask;
class CStorage;
class CTranslator;
class ProgressWindow;

// How the storage the import engine fills reaches the export engine.
enum class StorageHandOver : std::int16_t {
    throughFile,      // saved to the storage file, which the export engine reads back
    inMemory,         // handed over parsed in the outcome; no file is written
    inMemoryAndFile,  // handed over parsed, and saved too (it is kept or shown)
};

struct ImportEngineSetup {
    ProgressWindow* progressWindow;  // or null: the engine reports through the request's callback
    CTranslator* importerRegistry;
    const FileSpec* input;           // the file to read
    FileSpec* storage;               // receives the name and folder of the storage file written
    CImportTask* task;               // its request, buffers and asker
    std::int32_t importerIndex;      // the preferred importer, -1 for none
    CFile* reportLog;                // or null
    CTypeArray* resultList;          // or null
    StorageHandOver handOver;
};

// What a successful import tells the task.
struct ImportOutcome {
    std::int16_t kindCode;        // the importer's document kind
    const char* exportChoice;     // the family's "Convert to" text in the preferences, or null
    std::int32_t importerIndex;   // the importer that read the file
    std::int32_t resultIndex;     // the file's 1-based position in resultList, 0 without one
    // The filled storage, now the caller's (to pass to the export engine or dispose of); null unless the
    // setup asked for it in memory and the importer wrote one.
    CStorage* storage;
};

class ImportEngine {
public:
    virtual ~ImportEngine();
    // Reads the file into outcome; raises CFail when it cannot. The result index is set as soon as the
    // file is entered in the result list, so a failure after that still finds its entry.
    virtual void run(ImportOutcome& outcome) = 0;
};

struct ExportEngineSetup {
    ProgressWindow* progressWindow;
    CTranslator* exporterRegistry;
    const FileSpec* storage;  // the storage file to read, when no parsed storage is given
    FileSpec* output;         // receives the name and folder of the (first) output file
    CImportTask* task;
    std::int16_t noteStoriesOnly;
    std::int32_t exporterIndex;  // never -1
    std::int16_t quiet;
    std::int16_t confirmOverwrite;
    std::int16_t uniqueNames;
    std::int16_t deriveOutputName;
    std::int16_t removeStorage;
    std::int16_t mainTextOnly;
    const PascalWString* outputFolder;  // or null
    CFile* reportLog;
    CTypeArray* resultList;
    // The import engine's storage, which the engine takes over (it frees it), or null: it reads the
    // storage file instead.
    CStorage* parsedStorage;
};

class ExportEngine {
public:
    virtual ~ExportEngine();
    // Writes the output; answers a block of the memory layer holding one FileSpec per output file
    // written, which the caller frees. Raises CFail when it cannot.
    virtual FileSpec* run(const char** exportChoice) = 0;
};

class ConversionEngines {
public:
    ConversionEngines() = default;
    ConversionEngines(const ConversionEngines&) = delete;
    ConversionEngines& operator=(const ConversionEngines&) = delete;

    // A new engine the caller deletes, or null when there is no memory for one.
    virtual ImportEngine* makeImportEngine(const ImportEngineSetup& setup) = 0;
    virtual ExportEngine* makeExportEngine(const ExportEngineSetup& setup) = 0;

protected:
    ~ConversionEngines() = default;
};
