#pragma once
// One batch of conversions. The task collects the files to convert from the items of its request
// (InputCollection.cpp), converts them one by one through an import and an export engine
// (BatchConversion.cpp), reports each file that fails (FileFailureReport.cpp) and hands the converted
// files out in two lists, word processing and spreadsheets (CImportTask.cpp).
//
// The task holds the text-run buffer and the side buffer that every parameter block of the batch
// shares (ParamBlockHost). It works on its own copy of the request, which runImportTask copies back.
#include <cstdint>
#include <string>

#include "engine/task/TaskDescriptor.h"
#include "foundation/CBase.h"
#include "foundation/CFail.h"
#include "model/params/ParamBlockHost.h"

class ConversionEngines;
class ProgressWindow;
class UserQuestions;

// Runs one batch. A batch that ends early (Stop, an empty list, a declined question) still answers 0:
// how it ended is in the request's batchEnd, and its failed files in failedFiles. The answer is
// non-zero only when the task could not be made (12) or its results could not be handed out.
std::int16_t runImportTask(TaskDescriptor* request, std::int16_t withProgressWindow);

class CImportTask : public CBase, public ParamBlockHost {
public:
    explicit CImportTask(const TaskDescriptor* request);
    ~CImportTask() override;

    // ParamBlockHost
    void clearBuffers() override;
    char16_t* textBuffer() override { return textRuns; }
    char* sideBuffer() override { return sideText; }
    std::int16_t defaultPageSize() const override { return task.defaultPageSize; }

    // The batch: collect, convert, hand out the results.
    virtual void runTask(std::int16_t withProgressWindow);
    // Adds the files of one item (a file, or a folder walked whole) to the list of collected files.
    virtual void collectFiles(ProgressWindow* progressWindow, CTypeArray* files, const FileSpec* item,
                              std::int16_t importerIndex, CTypeArray* resultList);
    // Converts the files of the list one by one, emptying it from the front; converted files go to
    // converted. Raises CFail when the batch ends before its last file.
    virtual void convertFiles(ProgressWindow* progressWindow, CTypeArray* files, CTypeArray* converted);
    // Logs a failed file and records its code; returns when the batch goes on, raises -9999 when it
    // ends.
    virtual void reportFileFailure(const FileSpec& file, const CFail& failure, std::int16_t quiet,
                                   std::int32_t resultIndex);

    // The reason the current file was refused with, told in its line of a batch; the next file clears it.
    void keepRefusalReason(const char16_t* reason);

    TaskDescriptor& request() { return task; }
    UserQuestions* asker() const { return task.asker; }

private:
    void collectItem(ProgressWindow* progressWindow, CTypeArray* files, const FileSpec* item,
                     std::int16_t importerIndex, CTypeArray* resultList, std::int32_t depth);
    void collectFolder(ProgressWindow* progressWindow, CTypeArray* files, const FileSpec* item,
                       std::int16_t importerIndex, CTypeArray* resultList, std::int32_t depth);
    void keepFile(ProgressWindow* progressWindow, CTypeArray* files, const FileSpec* item);
    void refuseFile(const FileSpec* item, CTypeArray* resultList);
    bool confirmLargeBatch(std::int32_t count);
    void convertOneFile(ProgressWindow* progressWindow, CTypeArray* files, CTypeArray* converted);
    void showIntermediateStorage(const FileSpec& storage);
    void openConvertedFiles(const char* exportChoice, const FileSpec* outputBlock);
    void reportOpenFailure(const FileSpec& file, const CFail& failure);
    void handOutResults(const CTypeArray& converted);
    ConversionEngines& engines();

    TaskDescriptor task;
    std::u16string refusalReason;
    ProgressWindow* progressWindow = nullptr;
    bool openAfterConversion = true;  // false for a large batch converted without opening its files
    char16_t textRuns[kTaskTextBufferUnits];
    char sideText[kTaskSideBufferBytes];
};
