// The document pass of the import engine: request 0, every sheet with its stories, the document
// element "Zevozav" with the tables the importer collected, request 25 (see CImportEngine.h).
//
// End requests follow their begin requests on every way out: a failure inside a begun sheet still
// sends request 24 (a failed request 24 once more), a failure after request 0 still sends request 25,
// and request 25 goes out once, even when it is its own answer that failed.
#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "engine/import/CImportEngine.h"
#include "engine/task/CImportTask.h"
#include "engine/translators/CTranslator.h"
#include "engine/import/DocumentTablesWriter.h"
#include "engine/import/ImporterAnswers.h"
#include "engine/task/ProgressWindow.h"
#include "engine/translators/TranslatorRequest.h"
#include "engine/task/UserQuestions.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "foundation/encoding/Utf8Codec.h"
#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"
#include "model/storage/IndexedName.h"
#include "model/params/XParamBlock.h"

namespace {
constexpr const char* kUnit = "BEngineImp";
constexpr std::uint16_t kSheetFileLine = 10209;  // "%h (sheet %d of %d)\r(%s)"
constexpr std::size_t kSheetNameBytes = 255;     // the UTF-8 name, cut at a character boundary
constexpr std::int16_t kFirstSideKind = 3;       // header, footer, field, comment, bookmark, footnote,
constexpr std::int16_t kLastSideKind = 9;        // endnote: counted into "XSize"
constexpr std::int16_t kGraphicKind = 10;
constexpr std::int16_t kTableKind = 11;
constexpr int kSideKinds = kLastSideKind - kFirstSideKind + 1;
constexpr std::uint32_t kErrorIconAndOk = 1;
// Why a document whose importer answers no sheet fails: an empty output would pass for its conversion.
constexpr const char16_t* kNothingToConvert = u"it holds nothing to convert";

// The UTF-8 form of the units, cut before the character that would pass the room.
std::string boundedUtf8(const char16_t* units, std::int32_t length) {
    std::string name = utf16ToUtf8String(std::u16string_view(units, static_cast<std::size_t>(length)));
    if (name.size() <= kSheetNameBytes) return name;
    std::size_t end = kSheetNameBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    name.resize(end);
    return name;
}

// A failed document request. An importer may leave why in the block's reasonText (the parser's message,
// the reason it refuses a document): the failure then carries that text in place of the unit name, so the
// report log's line tells it, and a file cancelled with a reason shows it to the asker given (none in a
// quiet batch, whose log line tells it).
[[noreturn]] void raiseDocumentFailure(std::int32_t answer, const XParamBlock& block, UserQuestions* asker,
                                       std::int32_t line) {
    if (block.reasonText == nullptr) throwFail(answer, line, kUnit);
    if (static_cast<std::int16_t>(answer) == result::kErrCancelled)
        reportFailure(asker, nullptr, 0, kErrorIconAndOk, block.reasonText);
    std::string reason = boundedUtf8(block.reasonText, static_cast<std::int32_t>(std::char_traits<char16_t>::length(block.reasonText)));
    // A failure keeps only what follows the last ':' of its unit name.
    std::replace(reason.begin(), reason.end(), ':', ';');
    throwFail(answer, line, reason.c_str());
}

// The block of the whole call, disposed however the call ends.
struct DocumentBlock {
    XParamBlock block{};
    ~DocumentBlock() { disposeXParamBlock(&block); }
};
}  // namespace

std::int32_t CImportEngine::importSheets() {
    DocumentBlock document;
    XParamBlock* block = &document.block;
    bool documentBegun = false;
    try {
        raisingOutOfMemory(__LINE__, kUnit, [&] {
            initXParamBlock(task, block);
            block->fileSpec = *inputSpec;
            const std::int32_t documentAnswer = importerRegistry->send(request::kSelDocument, block);
            if (documentAnswer != 0)
                raiseDocumentFailure(documentAnswer, *block, quietBatch() || task == nullptr ? nullptr : task->asker(),
                                     __LINE__);
            documentBegun = true;
            checkSheetCountAnswer(*block);
            if (block->sheetCount <= 0) refuseEmptyDocument(__LINE__);
            throwIfError(storage->rootStream()->writeValues(nullptr, 0, "SHEETS %l", block->sheetCount), __LINE__, kUnit);

            for (std::int32_t sheet = 0; sheet < block->sheetCount; ++sheet) {
                importSheet(static_cast<std::int16_t>(sheet), block);
                checkSheetCountAnswer(*block);
            }

            const std::unique_ptr<CStream> documentElement(new (std::nothrow) CStream(storage->rootStream(), "Zevozav", 1));
            throwIfNull(documentElement.get(), __LINE__, kUnit);
            writeDocumentTables(*block, *documentElement, importerDescriptor->name, inputFile);

            documentBegun = false;
            throwIfError(importerRegistry->send(request::kSelEndDocument, block), __LINE__, kUnit);
        });
    } catch (const CFail&) {
        if (documentBegun) importerRegistry->send(request::kSelEndDocument, block);
        rethrowFailure();
    }
    return 0;
}

// The file fails like a document its importer refuses: the person is told why (a batch of several files
// tells it in the file's line), and the report log's line carries the reason in place of the unit name.
void CImportEngine::refuseEmptyDocument(std::int32_t line) {
    const std::string reason = utf16ToUtf8String(kNothingToConvert);
    if (!quietBatch()) {
        explainRefusal(kNothingToConvert);
        throwFail(result::kErrCancelled, line, reason.c_str());
    }
    if (task != nullptr) task->keepRefusalReason(kNothingToConvert);
    throwFail(result::kErrInaccessible, line, reason.c_str());
}

void CImportEngine::importSheet(std::int16_t sheet, XParamBlock* block) {
    bool sheetBegun = false;
    try {
        raisingOutOfMemory(__LINE__, kUnit, [&] {
            showSheetLine(sheet, block->sheetCount);
            sheetStream = new (std::nothrow) CStream(storage->rootStream(), sheetElementName(sheet).c_str(), 1);
            throwIfNull(sheetStream, __LINE__, kUnit);
            block->sheetIndex = sheet;
            throwIfError(importerRegistry->send(request::kSelBeginSheet, block), __LINE__, kUnit);
            checkTextAnswer(*block);
            if (block->textLength != 0) {
                const std::string name = boundedUtf8(block->textBuffer, block->textLength);
                throwIfError(sheetStream->writeValues(nullptr, 0, "sheetName %s", name.c_str()), __LINE__, kUnit);
            }
            sheetBegun = true;

            importStory(request::kSelBeginStory, -1, block);
            std::int32_t counts[kSideKinds] = {};
            for (std::int16_t kind = kFirstSideKind; kind <= kLastSideKind; ++kind) {
                std::int32_t& count = counts[kind - kFirstSideKind];
                while (importStory(kind, count, block) == 1) ++count;
            }
            for (std::int16_t kind : {kGraphicKind, kTableKind}) {
                while (importStory(kind, -1, block) == 1) {
                }
            }
            writeStoryCounts(counts);

            // The flag stays up until the end request succeeded: a failed request 24 is sent once more.
            throwIfError(importerRegistry->send(request::kSelEndSheet, block), __LINE__, kUnit);
            sheetBegun = false;
            disposeObject(sheetStream);
        });
    } catch (const CFail&) {
        try {
            if (sheetBegun) throwIfError(importerRegistry->send(request::kSelEndSheet, block), __LINE__, kUnit);
        } catch (const CFail&) {
            disposeObject(sheetStream);
            rethrowFailure();
        }
        disposeObject(sheetStream);
        rethrowFailure();
    }
}

std::string CImportEngine::sheetElementName(std::int16_t sheet) {
    return "SHEET_" + std::to_string(sheet);
}

void CImportEngine::showSheetLine(std::int16_t sheet, std::int32_t sheetCount) {
    if (sheetCount <= 1 || progressWindow == nullptr) return;
    const UniFormatValue values[] = {inputSpec->name, sheet + 1, sheetCount, importerDescriptor->name};
    progressWindow->setFileLine(kSheetFileLine, values);
    progressWindow->resetBar();
    progressWindow->clearStatus();
}

void CImportEngine::writeStoryCounts(const std::int32_t* counts) {
    CStream sizes(sheetStream, "XSize", 1);
    for (int index = 0; index < kSideKinds; ++index) {
        // The counts stop at the 16-bit limit the stored letter holds.
        const auto count = static_cast<std::int16_t>(std::min<std::int32_t>(counts[index], INT16_MAX));
        sizes.writeValues(nullptr, 0, IndexedName("XSize_fIndx_%03d %%d", index).c_str(), count);
    }
}
