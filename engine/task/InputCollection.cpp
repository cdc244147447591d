// Collecting the files of a batch from the items the user gave: plain files the importers accept,
// folders that an importer takes as one document, and the files of every other folder, walked to any
// reasonable depth.
#include <memory>

#include "engine/task/CImportTask.h"
#include "engine/task/ProgressWindow.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "foundation/language/UIStrings.h"

namespace {
constexpr const char* kUnit = "BEngine";
constexpr std::uint16_t kUnrecognizedFileText = 10116;  // "Unrecognzied File"
// Folder listings never follow links to folders; a tree deeper than this (a mount that shows a
// folder inside itself) is not walked further, and what was found so far is kept.
constexpr std::int32_t kFolderDepthLimit = 64;
}  // namespace

void CImportTask::collectFiles(ProgressWindow* window, CTypeArray* files, const FileSpec* item,
                               std::int16_t importerIndex, CTypeArray* resultList) {
    collectItem(window, files, item, importerIndex, resultList, 0);
}

void CImportTask::collectItem(ProgressWindow* window, CTypeArray* files, const FileSpec* item,
                              std::int16_t importerIndex, CTypeArray* resultList, std::int32_t depth) {
    if (window != nullptr && window->poll() == 1) throwFail(result::kStopQuietly, __LINE__, kUnit);
    if (item->hidden == 1) return;
    CTranslator* registry = task.importerRegistry;
    const std::uint32_t kind = itemKindOf(*item);
    if (kind == kindFile) {
        const bool accepted =
            importerIndex < 0 || (registry != nullptr && registry->accepts(importerIndex, item->name, item->folder) == 1);
        if (accepted) {
            keepFile(window, files, item);
        } else {
            refuseFile(item, resultList);
        }
    } else if (kind >= kindFolder) {
        if (registry != nullptr && registry->anyAcceptsFolders(item->name, item->folder) == 1) {
            keepFile(window, files, item);
        } else {
            collectFolder(window, files, item, importerIndex, resultList, depth);
        }
    }
}

void CImportTask::keepFile(ProgressWindow* window, CTypeArray* files, const FileSpec* item) {
    files->addFileSpec(*item);
    if (window != nullptr) window->incrementCount();
}

void CImportTask::refuseFile(const FileSpec* item, CTypeArray* resultList) {
    ++task.failedFiles;
    if (resultList == nullptr) return;
    FileSpec refused = *item;
    loadText(refused.reasonText, kUnrecognizedFileText);
    refused.importResult = result::kErrInaccessible;
    refused.exportResult = 0;
    resultList->addFileSpec(refused);
}

void CImportTask::collectFolder(ProgressWindow* window, CTypeArray* files, const FileSpec* item,
                                std::int16_t importerIndex, CTypeArray* resultList, std::int32_t depth) {
    if (depth >= kFolderDepthLimit) return;
    CFile listing(item->name, item->folder, kAnyFileCode, kAnyFileCode, 0, 0, kGenericRead, 0);
    while (std::unique_ptr<CFile> entry{listing.nextFolderItem()}) {
        FileSpec found;
        makeFileSpec(found, entry->getName(), entry->getFolder());
        collectItem(window, files, &found, importerIndex, resultList, depth + 1);
    }
}
