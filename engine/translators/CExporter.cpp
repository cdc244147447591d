#include "engine/translators/CExporter.h"

#include <new>

#include "engine/translators/TranslatorDescriptor.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/files/CFile.h"
#include "model/params/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BExporter";

}  // namespace

CExporter::CExporter(const TranslatorDescriptor* descriptor) : CBaseTranslator(descriptor) {}

std::int32_t CExporter::dispatch(XParamBlock* requestBlock) {
    const bool endsSheet = requestBlock != nullptr && requestBlock->selector == request::kSelEndSheet;
    const std::int32_t answer = dispatchRequest(requestBlock, request::kSelBeginSheet);
    // The sheet's output file goes with the sheet.
    if (endsSheet) releaseFile();
    return answer;
}

void CExporter::handleSelector() {
    using Operation = void (CExporter::*)();
    // The operations of the requests 0 to 25 in export numbering.
    static const Operation operations[request::kSelEndDocument + 1] = {
        &CExporter::doDocument,        &CExporter::beginSheet,        &CExporter::beginHeaderStory,
        &CExporter::beginFooterStory,  &CExporter::beginFieldStory,   &CExporter::beginCommentStory,
        &CExporter::beginBookmarkStory, &CExporter::beginFootnoteStory, &CExporter::beginEndnoteStory,
        &CExporter::beginGraphicStory, &CExporter::beginTableStory,   &CExporter::beginMainStory,
        &CExporter::doSpecial,         &CExporter::doText,            &CExporter::endHeaderStory,
        &CExporter::endFooterStory,    &CExporter::endFieldStory,     &CExporter::endCommentStory,
        &CExporter::endBookmarkStory,  &CExporter::endFootnoteStory,  &CExporter::endEndnoteStory,
        &CExporter::endGraphicStory,   &CExporter::endTableStory,     &CExporter::endMainStory,
        &CExporter::endSheet,          &CExporter::endDocument,
    };
    const std::int16_t code = block->selector;
    if (code < 0 || code > request::kSelEndDocument) return;
    (this->*operations[code])();
}

void CExporter::identify(std::int16_t isQuick) {
    throwIfNullObject(block->identifySpec, __LINE__, kUnit);
    identifyFile(block->identifySpec->name, block->identifySpec->folder, isQuick);
}

void CExporter::doDocument() { answerYes(); }
void CExporter::beginSheet() { answerYes(); }
// A side story is not taken unless an exporter says otherwise: the request's own code stays.
void CExporter::beginHeaderStory() {}
void CExporter::beginFooterStory() {}
void CExporter::beginFieldStory() {}
void CExporter::beginCommentStory() {}
void CExporter::beginBookmarkStory() {}
void CExporter::beginFootnoteStory() {}
void CExporter::beginEndnoteStory() {}
void CExporter::beginGraphicStory() {}
void CExporter::beginTableStory() {}
void CExporter::beginMainStory() { answerYes(); }
void CExporter::doSpecial() { answerYes(); }
void CExporter::doText() { answerYes(); }
void CExporter::endHeaderStory() { answerYes(); }
void CExporter::endFooterStory() { answerYes(); }
void CExporter::endFieldStory() { answerYes(); }
void CExporter::endCommentStory() { answerYes(); }
void CExporter::endBookmarkStory() { answerYes(); }
void CExporter::endFootnoteStory() { answerYes(); }
void CExporter::endEndnoteStory() { answerYes(); }
void CExporter::endGraphicStory() { answerYes(); }
void CExporter::endTableStory() { answerYes(); }
void CExporter::endMainStory() { answerYes(); }
void CExporter::endSheet() { answerYes(); }
void CExporter::endDocument() { answerYes(); }

void CExporter::openFile() {
    // Every sheet whose begin succeeded ends with request 24; a file still held is the last sheet's.
    releaseFile();
    const TranslatorRule* rule = descriptor != nullptr ? &descriptor->rules[0] : nullptr;
    constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;
    file = new (std::nothrow) CFile(block->fileSpec.name, block->fileSpec.folder, rule != nullptr ? rule->fileType : 0,
                                    rule != nullptr ? rule->creator : 0,
                                    descriptor != nullptr ? firstFileOptionOf(*descriptor) : 0,
                                    descriptor != nullptr ? secondFileOptionOf(*descriptor) : 0, kReadWrite,
                                    kReadWrite);
    throwIfNull(file, __LINE__, kUnit);
    // The export engine has created the file; the base neither creates nor truncates it.
    throwIfError(file->open(), __LINE__, kUnit);
}
