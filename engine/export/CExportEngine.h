#pragma once
// The export side of a conversion: one engine per converted file. It opens the intermediate storage the
// import engine wrote, makes the exporter the importer's family asks for, chooses the output folder and
// name, and plays the stored document to the exporter request by request:
//
//   run                  "Writing:" phase, then openFilesAndExport
//   openFilesAndExport   the exporter, the files, the output name and the overwrite questions, the log
//                        lines; commits the output on success, discards it on failure (CExportEngine.cpp)
//   exportSheets         0 document, then per sheet 1, side stories, main story, 24; then 25
//                        (ExportSheets.cpp)
//   exportStory          one story: begin, its runs, end; side stories listed after the main text
//                        (StoryWalk.cpp)
//   measureRun           the stretch of text up to the next paragraph, cell or break mark
//   deliverText          one run with the records in force, anchors decided (TextRunDelivery.cpp,
//                        AnchorDelivery.cpp); tables and text boxes in place for an exporter that
//                        does not place them itself (InPlaceStories.cpp)
//
// The exporter never writes the output under its own name: every output file is written under a
// temporary name in its target folder and put in place only when the whole export succeeded
// (OutputStaging.h). A failure anywhere (Stop, an exporter's error, a lack of memory, a damaged story)
// fails the file, leaves no partial file and keeps an earlier file of that name as it was.
//
// Failures are CFails in unit "BEngineExp"; a Stop is -9999.
#include <cstdint>

#include "engine/task/ConversionEngines.h"
#include "engine/export/stories/StoryOnDemand.h"
#include "engine/translators/TranslatorDescriptor.h"
#include "engine/export/output/OutputStaging.h"
#include "foundation/CBase.h"

class CStorage;
class CUnicode;
class CStory;
class CStream;
class OutputFolders;
struct FamilyPreferences;
struct DeliveredStory;
struct XParamBlock;

// The story kind of a story played in place inside another one: no begin or end request.
constexpr std::int16_t kStoryInline = 29;
// The longest plain-text run an exporter is sent, in UTF-16 units.
constexpr std::int32_t kMaxRunUnits = 32767;
// Stories played inside stories (in place, or on the exporter's demand) nest at most this deep, so a
// story that refers to itself ends instead of recursing without end.
constexpr std::int32_t kMaxStoryDepth = 16;
// The number of side-story kinds with a counter: export kinds 2 (header) to 9 (graphic).
constexpr int kSideStoryCounters = 8;

class CExportEngine : public ExportEngine, public CBase, public StoryOnDemand {
public:
    // exporterTable: the exporters a registry is made over when the setup gives none (null: such an
    // engine fails with 12). folders: where the output goes (OutputFolders.h). The new engine becomes
    // currentExportEngine.
    CExportEngine(const ExportEngineSetup& setup, TranslatorEntry* exporterTable, OutputFolders& folders);
    // Clears currentExportEngine; run has already released everything it made.
    ~CExportEngine() override;
    CExportEngine(const CExportEngine&) = delete;
    CExportEngine& operator=(const CExportEngine&) = delete;

    // ExportEngine: the family preferences are those whose "Convert to" text the export choice points
    // at (none: the output goes beside the input).
    FileSpec* run(const char** exportChoice) override;
    // Shows the phase and exports. Answers the output files (one FileSpec per file, a block of the
    // memory layer the caller frees); raises CFail.
    virtual FileSpec* run(FamilyPreferences* destination);
    virtual FileSpec* openFilesAndExport(FamilyPreferences* destination);
    // Reports done of total to the window (bar and percentage, 0% for a total of 0) or to the task.
    virtual void progress(std::int32_t done, std::int32_t total);

    // The document: parameters, sheets, end. Stores the output files through the argument; answers 0.
    virtual std::int16_t exportSheets(FileSpec** outputFiles);
    // Reads the document parameters into the block and sends request 0: 1 when the exporter took
    // them, 0 after any failure (not passed on).
    virtual std::int16_t beginDocument(CStream& documentStream, XParamBlock* block);
    // Sends request 25 and releases what the block owns. Answers 1.
    virtual std::int16_t endDocument(XParamBlock* block);

    // Plays one story (export kind 2 to 11, or kStoryInline). story: one already open, or null to find
    // the story of the kind and mark under parent. owns: 1 when the story object is released here.
    // Answers 1 when the story was played or is not stored; 0 when it nests too deep. Every failure
    // while it is played passes on.
    virtual std::int16_t exportStory(CStory* story, std::int16_t kind, std::int32_t mark, CStream* parent,
                                     XParamBlock* block, std::int16_t owns);
    // For an exporter while it handles a request: plays the current sheet's graphic story of that name
    // (requests 9, runs, 21), or its table story of that mark (10, runs, 22), through a block of its
    // own. Answers 1 when it was played, 0 when there is no such story. Failures while it is played
    // pass on.
    std::int16_t exportStoryByName(const char* name) override;
    std::int16_t exportStoryByMark(std::int32_t mark) override;

    // The units from start up to and including the first column, page or section break, paragraph end
    // or cell mark; limit - start when none comes first.
    virtual std::int32_t measureRun(const char16_t* text, std::int32_t limit, std::int32_t start);
    // Delivers one run that starts at start and is at most available units long; answers the units it
    // consumed (at least 1).
    virtual std::int32_t deliverText(DeliveredStory& loaded, std::int32_t available, std::int32_t start, CStory* story,
                                     XParamBlock* block);

    // Delivers a piece of text that no stored story holds (a marker line, a numbered reference) in
    // place, in default formatting, through a copy of the block: the block keeps its own records.
    virtual void deliverTextStory(XParamBlock* block, const char16_t* text, std::int32_t length);

    std::int16_t storyCounter(std::int16_t exportKind) const;
    const TranslatorDescriptor* getExporterDescriptor() const { return exporterDescriptor; }

protected:
    // Raises -9999 when the user asked to stop.
    void pollStop();
    // The task's progress callback with the code; 0 when there is none.
    std::int16_t callTask(std::int32_t code, std::intptr_t a, std::intptr_t b);

    ProgressWindow* progressWindow;
    CTranslator* exporterRegistry;
    TranslatorEntry* exporterTable;
    OutputFolders& folders;
    const TranslatorDescriptor* exporterDescriptor = nullptr;
    const PascalWString* outputFolder;
    CStorage* storage = nullptr;
    CStream* sheetStream = nullptr;
    const FileSpec* storageSpec;
    FileSpec* outputSpec;
    CImportTask* task;
    CFile* reportLog;
    CFile* storageFile = nullptr;
    CFile* outputFile = nullptr;
    OutputStaging staging;
    std::int16_t documentKind = 0;
    std::int16_t silent;
    std::int16_t askBeforeOverwrite;
    std::int16_t uniqueNames;
    std::int16_t prepareOutputName;
    std::int16_t removeStorageFile;
    std::int16_t oneFilePerSheet = 0;
    std::int32_t exporterIndex;
    std::int32_t storyLoadArg = 0;
    std::int32_t mainStoryLength = 0;
    std::int16_t storyCounters[kSideStoryCounters] = {};
    std::int32_t storyDepth = 0;
    // Moves on whenever a story starts playing: it writes the records of the block it plays through,
    // so a run copy that a story's delivery remembers (DeliveredStory.h) is stale after it.
    std::uint64_t recordGeneration = 0;
    // The percentage the main story's status shows, -1 before its delivery has shown one.
    std::int32_t shownPercent = -1;
    std::int16_t documentFailure = 0;  // what the document request failed with

private:
    void showWritingPhase();
    void showFileLine();
    void prepareOutput(FamilyPreferences* destination);
    void confirmOverwrite(std::uint16_t questionId);
    void writeLogLine(std::uint16_t stringId, double seconds);
    void cleanUpAfterFailure(bool translatorCreated, bool registryMade, FileSpec*& outputFiles);
    // ExportSheets.cpp
    void exportSheet(std::int16_t sheet, XParamBlock* block, FileSpec* outputFiles);
    void prepareSheetFile(std::int16_t sheet, XParamBlock* block, FileSpec* outputFiles);
    void stageSingleOutput(XParamBlock* block, FileSpec* outputFiles);
    // StoryWalk.cpp
    void playStory(CStory& story, std::int16_t kind, XParamBlock* block);
    void deliverStoryText(DeliveredStory& loaded, CStory& story, bool mainStory, XParamBlock* block);
    void listSideStoriesAfterMainText(XParamBlock* block);
    std::int16_t exportStoryOnDemand(std::int16_t kind, const char* name, const std::int32_t* mark);
    // The current sheet's story of the kind (export numbering) with that name, or else that mark;
    // null when none is stored. The caller owns it.
    CStory* findStory(std::int16_t kind, const char* name, const std::int32_t* mark, XParamBlock* block);
    // InPlaceStories.cpp
    bool placesItself(std::int16_t exportKind) const;
    void playTableInPlace(XParamBlock* block);
    void playTextBoxesInPlace(XParamBlock* block);
    // TextRunDelivery.cpp
    void sendRun(XParamBlock* block);
    void sendConverted(XParamBlock* block, std::int32_t languageId);
    // AnchorDelivery.cpp
    void decideAnchor(XParamBlock* block, CStory* story);
    void deliverNumberedForm(XParamBlock* block, std::int16_t exportKind, std::uint16_t stringId);
    void deliverInPlace(XParamBlock* block, std::int16_t exportKind, std::uint16_t startId, std::uint16_t endId);
    void deliverMarkerText(XParamBlock* block, std::uint16_t stringId);
    std::int16_t& counterOf(std::int16_t exportKind);

    // The run text of a block that has no text buffer of its own (blocks set up without a task), and
    // the growable buffer that runs converted to 8-bit text are delivered from.
    char16_t* runBuffer();
    char16_t* ownRunBuffer = nullptr;
    char* convertedText = nullptr;
    std::int32_t convertedCapacity = 0;
    // The converter of the last 8-bit run, kept while the runs' encoding stays the same.
    CUnicode* converter = nullptr;
    std::int32_t converterEncoding = -1;
};

// The engine that exists, or null; an exporter reaches the engine through it while it writes.
extern CExportEngine* currentExportEngine;
