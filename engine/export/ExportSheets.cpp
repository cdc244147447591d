// The stored document played sheet by sheet: the export engine's exportSheets and beginDocument (see
// CExportEngine.h).
//
// A document of one sheet (every word-processing document) is written into the one output file named
// by the run. A workbook of several sheets, for an exporter that does not put all sheets into one file,
// becomes a folder of that name holding one file per sheet, named after the sheet. Either way each
// file is staged: the exporter writes it under a temporary name that the run puts in place at the end.
#include <cstdio>
#include <new>

#include "engine/ProgramPreferences.h"
#include "engine/export/CExportEngine.h"
#include "engine/export/output/OutputNaming.h"
#include "engine/export/parameters/DocParamsReader.h"
#include "engine/task/ProgressWindow.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"
#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
constexpr std::uint16_t kSheetFileLine = 10211;  // "%h (sheet %d of %d)\r(%s)"
constexpr std::int16_t kFirstSideKind = 2;        // header
constexpr std::int16_t kLastCountedKind = 8;      // endnote
constexpr std::int16_t kMainStoryKind = 11;
constexpr std::int32_t kSheetNameBytes = 1024;
constexpr std::int32_t kElementNameBytes = 32;

bool takesKind(const TranslatorDescriptor& descriptor, std::int16_t exportKind) {
    return (descriptor.storyMask & (1u << (exportKind - 1))) != 0;
}

// Releases what a block owns however exportSheets ends; disposing twice releases nothing more.
struct BlockRelease {
    XParamBlock& block;
    ~BlockRelease() { disposeXParamBlock(&block); }
};
}  // namespace

std::int16_t CExportEngine::exportSheets(FileSpec** outputFiles) {
    XParamBlock block{};
    const BlockRelease release{block};
    CStream* root = storage->rootStream();
    {
        CStream documentStream(root, "Zevozav", 0);
        // The exporter's own failure fails this file; it does not end the batch.
        if (beginDocument(documentStream, &block) != 1) throwFail(documentFailure, __LINE__, kUnit);
    }
    if (block.textBuffer == nullptr) block.textBuffer = runBuffer();
    throwIfError(root->readValues(nullptr, nullptr, "SHEETS %l", &block.sheetCount), __LINE__, kUnit);
    if (block.sheetCount < 0) block.sheetCount = 0;
    if (block.sheetCount > INT16_MAX) throwFail(result::kNullObject, __LINE__, kUnit);

    if (block.sheetCount > 1 && !allSheetsInOneFile(*exporterDescriptor)) {
        throwIfError(outputFile->createFolder(), __LINE__, kUnit);
        oneFilePerSheet = 1;
    }
    const std::int32_t records = oneFilePerSheet == 1 ? block.sheetCount : 1;
    *outputFiles = static_cast<FileSpec*>(allocMemory(records * static_cast<std::int32_t>(sizeof(FileSpec))));
    throwIfNull(*outputFiles, __LINE__, kUnit);
    if (oneFilePerSheet != 1) stageSingleOutput(&block, *outputFiles);

    for (std::int16_t sheet = 0; sheet < block.sheetCount; ++sheet) exportSheet(sheet, &block, *outputFiles);
    endDocument(&block);
    return result::kSuccess;
}

void CExportEngine::stageSingleOutput(XParamBlock* block, FileSpec* outputFiles) {
    copyFileSpec(outputFiles[0], *outputSpec);
    block->fileSpec = staging.stage(outputFile->getName(), outputFile->getFolder());
}

void CExportEngine::exportSheet(std::int16_t sheet, XParamBlock* block, FileSpec* outputFiles) {
    bool sheetBegun = false;
    try {
        if (block->sheetCount > 1 && progressWindow != nullptr) {
            const UniFormatValue values[] = {outputSpec->name, sheet + 1, block->sheetCount, exporterDescriptor->name};
            progressWindow->setFileLine(kSheetFileLine, values);
            progressWindow->resetBar();
            progressWindow->clearStatus();
        }
        char elementName[kElementNameBytes];
        std::snprintf(elementName, sizeof elementName, "SHEET_%d", static_cast<int>(sheet));
        sheetStream = new (std::nothrow) CStream(storage->rootStream(), elementName, 0);
        throwIfNull(sheetStream, __LINE__, kUnit);
        if (oneFilePerSheet == 1) prepareSheetFile(sheet, block, outputFiles);

        std::int16_t counts[kLastCountedKind + 1] = {};
        {
            CStream sizes(sheetStream, "XSize", 0);
            for (std::int16_t kind = kFirstSideKind; kind <= kLastCountedKind; ++kind) {
                char format[kElementNameBytes];
                std::snprintf(format, sizeof format, "XSize_fIndx_%03d %%d", kind - kFirstSideKind);
                sizes.readValues(nullptr, nullptr, format, &counts[kind]);
            }
        }
        block->sheetIndex = sheet;
        throwIfError(exporterRegistry->send(request::kSelBeginSheet, block), __LINE__, kUnit);
        sheetBegun = true;

        for (std::int16_t kind = kFirstSideKind; kind <= kLastCountedKind; ++kind) {
            if (!takesKind(*exporterDescriptor, kind)) continue;
            for (std::int16_t mark = 0; mark < counts[kind]; ++mark)
                exportStory(nullptr, kind, mark, sheetStream, block, 1);
        }
        exportStory(nullptr, kMainStoryKind, -1, sheetStream, block, 1);

        sheetBegun = false;
        throwIfError(exporterRegistry->send(request::kSelEndSheet, block), __LINE__, kUnit);
        disposeObject(sheetStream);
    } catch (const CFail&) {
        // The exporter closes its file at the end of a begun sheet; an error of that request replaces
        // the first failure.
        try {
            if (sheetBegun) throwIfError(exporterRegistry->send(request::kSelEndSheet, block), __LINE__, kUnit);
        } catch (const CFail&) {
            disposeObject(sheetStream);
            rethrowFailure();
        }
        disposeObject(sheetStream);
        rethrowFailure();
    }
}

void CExportEngine::prepareSheetFile(std::int16_t sheet, XParamBlock* block, FileSpec* outputFiles) {
    char storedName[kSheetNameBytes] = {};
    sheetStream->readValues(nullptr, nullptr, "sheetName %s", storedName);
    PascalWString name = safeSheetName(storedName, sheet);
    PascalWString folder{};
    throwIfError(outputFile->getPathAsFolder(folder), __LINE__, kUnit);
    makeOutputName(*exporterDescriptor, name, folder, uniqueNames == 1, false,
                   [this](const PascalWString& candidate, const PascalWString& in) {
                       return nameExistsOnDisk(candidate, in) || staging.holds(candidate, in);
                   });
    block->fileSpec = staging.stage(name, folder);
    makeFileSpec(outputFiles[sheet], name, folder);
}

std::int16_t CExportEngine::beginDocument(CStream& documentStream, XParamBlock* block) {
    readDocParams(task, documentStream, *block, progressWindow, &storyLoadArg);
    documentFailure = failureCode([&] {
        block->fileSpec = *outputSpec;
        block->fileSpec.documentKind = documentKind;
        throwIfError(exporterRegistry->send(request::kSelDocument, block), __LINE__, kUnit);
    });
    return documentFailure == result::kSuccess ? 1 : 0;
}
