#pragma once
// Where every road into a conversion ends: convertJob runs one batch through the conversion task, with
// a progress window and a log file when the preferences ask for one, then plays the sound and shows the
// summary or the fallback-folder notice. A batch never runs inside another: a request that arrives
// while one runs (a drop, a shell request handled by the progress window's poll) is queued and runs
// after it.
//
// The launcher keeps the totals of its batches, from which the command line takes its exit status.
#include <cstdint>
#include <ctime>
#include <deque>
#include <string>
#include <vector>

#include "foundation/files/CTypeArray.h"
#include "foundation/files/FileSpec.h"

class CFile;
class CTranslator;
class ConversionEngines;
class DocumentOpener;
class MessageWindows;
class ProgressWindows;
class RecentFiles;
class UserQuestions;

// How the launcher's batches reach the engines and the user.
struct LauncherServices {
    CTranslator* importers = nullptr;
    CTranslator* exporters = nullptr;
    ConversionEngines* engines = nullptr;       // null: the stand-ins, which convert nothing
    UserQuestions* asker = nullptr;             // the task's questions and failure messages
    ProgressWindows* progressWindows = nullptr;
    DocumentOpener* opener = nullptr;           // null: no display, so nothing is opened
    MessageWindows* windows = nullptr;          // the summary and the notices; null: none shown
    RecentFiles* recentFiles = nullptr;         // the main window's list; null: none kept
};

struct BatchTotals {
    std::int32_t batches = 0;
    std::int32_t convertedFiles = 0;
    std::int32_t failedFiles = 0;  // failed or refused
    bool endedEarly = false;       // Stop, a declined question, nothing to convert, or a batch that failed whole
};

// The log file's name for the local time: UI string 10002, "%04d%02d%02d-%02d%02d%02d.log".
std::u16string logFileName(const std::tm& time);

class ConversionLauncher {
public:
    explicit ConversionLauncher(const LauncherServices& services) : services(services) {}

    // Runs one batch over the items (files and folders); the converted files go into the two result
    // lists. Lets no failure out.
    void convertJob(CTypeArray* items, CTypeArray* wordResults, CTypeArray* sheetResults);
    // Converts one file alone; without one, asks for a file or folder first (cancelling ends quietly).
    // A file that does not exist converts nothing.
    void convertOneFile(const FileSpec* file);

    const BatchTotals& totals() const { return batchTotals; }
    bool busy() const { return batchRunning; }
    // The main window, once it exists, keeps the files of every batch.
    void setRecentFiles(RecentFiles* list) { services.recentFiles = list; }
    // The command line's status: 0 when every file converted, 1 otherwise.
    int exitStatus() const;

private:
    void runBatch(CTypeArray* items, CTypeArray* wordResults, CTypeArray* sheetResults);
    void runQueuedBatches();
    void tellOutcome(std::int32_t wordCount, std::int32_t sheetCount);
    // The batch's log in the folder the preferences choose, or null when logging is off or its folder
    // cannot be made (which the user is told).
    CFile* openLogFile();
    void tellNoLogsFolder();

    LauncherServices services;
    BatchTotals batchTotals;
    bool batchRunning = false;
    std::deque<std::vector<FileSpec>> queuedBatches;
};
