#include "tests/support/RecordingExporter.h"

#include <new>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/files/CFile.h"
#include "model/records/RecordFields.h"
#include "model/records/RecordTables.h"

namespace testsupport {
namespace {

void addChanges(const RecordTable& table, const void* before, const void* after, std::vector<std::string>& names) {
    for (const FieldSpec& field : table.fields)
        if (!equalField(field, before, after)) names.push_back(std::string(table.name) + "." + field.name);
}

ExportEvent eventOf(std::int16_t code) {
    if (code == request::kSelDocument) return ExportEvent::document;
    if (code == request::kSelBeginSheet) return ExportEvent::beginSheet;
    if (code >= request::kSelBeginStory && code < request::kSelSpecial) return ExportEvent::beginStory;
    if (code == request::kSelText) return ExportEvent::text;
    if (code >= request::kSelEndStory && code < request::kSelEndSheet) return ExportEvent::endStory;
    if (code == request::kSelEndSheet) return ExportEvent::endSheet;
    if (code == request::kSelEndDocument) return ExportEvent::endDocument;
    return ExportEvent::other;
}

}  // namespace

std::vector<std::string> changedRecordFields(const XParamBlock& before, const XParamBlock& after) {
    std::vector<std::string> names;
    addChanges(kXFormTable, &before.form, &after.form, names);
    addChanges(kXRuleTable, &before.rule, &after.rule, names);
    addChanges(kXPageTable, &before.page, &after.page, names);
    return names;
}

RecordingExporter::RecordingExporter(const TranslatorDescriptor* descriptor, ExportLog& log)
    : CExporter(descriptor), log(log) {}

void RecordingExporter::handleSelector() {
    const ExportEvent event = eventOf(block->selector);
    if (static_cast<std::int32_t>(log.entries.size()) == log.failAtRequest) throwFail(log.failureCode, __LINE__, "Test");
    record(event);
    if (event == ExportEvent::text) {
        if (log.writeText && file != nullptr) {
            const std::string text = log.entries.back().textEncoding == kUtf16TextEncoding
                                         ? utf16ToUtf8String(log.entries.back().text)
                                         : log.entries.back().bytes;
            throwIfError(file->write(text.data(), static_cast<std::int32_t>(text.size()), kFromEnd, 0), __LINE__,
                         "Test");
        }
        if (log.onText) log.onText(*block);
    }
    if (event == ExportEvent::beginStory && log.takeSideStories) {
        answerYes();
        return;
    }
    CExporter::handleSelector();
}

void RecordingExporter::record(ExportEvent event) {
    ExportEntry entry{event, block->selector, block->storyNumber, {}, {}};
    if (event == ExportEvent::beginStory || event == ExportEvent::beginSheet || event == ExportEvent::document) {
        // A deep copy: the records and fields by value; the borrowed and owned pointers are not kept,
        // since the block's owner frees what they point to.
        XParamBlock copy = *block;
        copy.textBuffer = nullptr;
        copy.backgroundText = nullptr;
        copy.theme = nullptr;
        copy.colors = nullptr;
        copy.fonts = nullptr;
        copy.styles = nullptr;
        copy.authors = nullptr;
        copy.progressWindow = nullptr;
        copy.listDefs = nullptr;
        copy.listOvrs = nullptr;
        copy.listPics = nullptr;
        copy.identifySpec = nullptr;
        copy.reasonText = nullptr;
        log.beginCopies.push_back(copy);
        if (event == ExportEvent::beginStory) storyStart = copy;
    }
    if (event == ExportEvent::beginSheet) entry.fileName = block->fileSpec.name.view();
    if (event == ExportEvent::text) {
        entry.textEncoding = block->textEncoding;
        if (block->textBuffer != nullptr && block->textLength > 0) {
            if (block->textEncoding == kUtf16TextEncoding)
                entry.text.assign(block->textBuffer, static_cast<std::size_t>(block->textLength));
            else
                entry.bytes.assign(reinterpret_cast<const char*>(block->textBuffer),
                                   static_cast<std::size_t>(block->textLength));
        }
        entry.txtType = block->form.txtType;
        entry.hasPicture = block->form.picData != nullptr;
        entry.changedFields = changedRecordFields(storyStart, *block);
    }
    log.entries.push_back(std::move(entry));
}

CBaseTranslator* makeRecordingExporter(const TranslatorDescriptor* descriptor) {
    ExportLog* log = ExportLogBinding::find(descriptor);
    if (log == nullptr) return new (std::nothrow) CExporter(descriptor);
    return new (std::nothrow) RecordingExporter(descriptor, *log);
}

}  // namespace testsupport
