#pragma once
// The request of one batch of conversions: what to convert, where the results go, the options the
// engines read, and how the batch reaches the user (engines, questions, progress window, desktop).
// The caller owns the record and everything it points to; the task works on its own copy and copies
// it back at the end, so the caller learns the importer and exporter last used, how the batch ended
// and how many files failed.
#include <cstdint>

#include "foundation/files/CFile.h"
#include "foundation/files/CTypeArray.h"
#include "foundation/text/PascalWString.h"

class CTranslator;
class ConversionEngines;
class DocumentOpener;
class ProgressWindows;
class RecentFiles;
class UserQuestions;

// The codes of the progress callback, for engines that run without a progress window.
constexpr std::int32_t kProgressReset = 1;  // a file's phase begins
constexpr std::int32_t kProgressPhase = 2;  // a: 10204 or 10205, b: the FileSpec
constexpr std::int32_t kProgressValue = 3;  // a: done, b: total
constexpr std::int32_t kProgressPoll = 4;   // answer 1: stop

using PrepareBatchFunction = std::int16_t (*)(CTypeArray* files);
using ProgressCallback = std::int16_t (*)(std::int32_t code, std::intptr_t a, std::intptr_t b, void* callbackData);

struct TaskDescriptor {
    PrepareBatchFunction prepareBatch;  // optional: called before the first file; non-zero ends the batch
    ProgressCallback progressCallback;  // optional
    const PascalWString* outputFolder;  // optional
    CTranslator* importerRegistry;
    CTranslator* exporterRegistry;
    CTypeArray* droppedItems;           // files and folders to convert
    CTypeArray* wordProcessingResults;  // optional
    CTypeArray* spreadsheetResults;     // optional
    CTypeArray* resultList;             // optional: one entry per file with its results
    CFile* reportLog;                   // optional
    std::int16_t noteStoriesOnly;
    std::int16_t quiet;  // 1: no questions or messages; set for every batch of more than one file
    std::int16_t removeStorage;
    std::int16_t confirmOverwrite;
    std::int16_t uniqueNames;
    std::int16_t deriveOutputName;
    std::int16_t mainTextOnly;
    std::int16_t defaultPageSize;  // 1 the metric page, else the letter page
    std::int32_t importerIndex;    // in: the importer to prefer, -1 none; out: the last one used
    std::int32_t exporterIndex;    // out: the exporter chosen for the last file read, -1 none
    void* callbackData;            // handed to progressCallback

    // How the batch reaches its engines and the user. Null engines: stand-ins that fail every file.
    // Null asker: every question is No and no message shows. Null windows: no progress window. Null
    // opener: no display, so converted files are not opened.
    ConversionEngines* engines;
    UserQuestions* asker;
    ProgressWindows* progressWindows;
    DocumentOpener* opener;
    RecentFiles* recentFiles;  // optional: notes each collected file before it converts

    // Out: how the batch ended (0 when every file was taken, else the code that ended it, such as
    // -9999 for Stop) and how many files failed or were refused.
    std::int16_t batchEnd;
    std::int32_t failedFiles;
};

// The application's batch request: every field zero except uniqueNames 1, deriveOutputName 1,
// defaultPageSize 2 and both indexes -1.
void setDefaultTaskDescriptor(TaskDescriptor& request);
void copyTaskDescriptor(TaskDescriptor& destination, const TaskDescriptor& source);

// Document kinds of the importers: 2 and 24 word processing, 1 and 5 spreadsheet.
std::int32_t isWordProcessingKind(std::int16_t kindCode);
std::int32_t isSpreadsheetKind(std::int16_t kindCode);
