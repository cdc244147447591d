#include "engine/translators/CImporter.h"

#include <new>

#include "engine/translators/TranslatorDescriptor.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/files/CFile.h"
#include "model/params/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BImporter";
// The letter page: the default document is not metric.
constexpr std::int16_t kLetterPageSize = 2;

}  // namespace

CImporter::CImporter(const TranslatorDescriptor* descriptor) : CBaseTranslator(descriptor) {}

std::int32_t CImporter::dispatch(XParamBlock* requestBlock) {
    return dispatchRequest(requestBlock, request::kSelDocument);
}

void CImporter::handleSelector() {
    using Operation = void (CImporter::*)();
    // The operations of the requests 0 to 25 in import numbering; 7 (bookmark story) has none.
    static const Operation operations[request::kSelEndDocument + 1] = {
        &CImporter::readDocument,     &CImporter::beginSheet,       &CImporter::hasMainStory,
        &CImporter::hasHeaderStory,   &CImporter::hasFooterStory,   &CImporter::hasFieldStory,
        &CImporter::hasCommentStory,  nullptr,                      &CImporter::hasFootnoteStory,
        &CImporter::hasEndnoteStory,  &CImporter::hasGraphicStory,  &CImporter::hasTableStory,
        &CImporter::readSpecial,      &CImporter::readText,         &CImporter::endMainStory,
        &CImporter::endHeaderStory,   &CImporter::endFooterStory,   &CImporter::endFieldStory,
        &CImporter::endCommentStory,  &CImporter::endBookmarkStory, &CImporter::endFootnoteStory,
        &CImporter::endEndnoteStory,  &CImporter::endGraphicStory,  &CImporter::endTableStory,
        &CImporter::endSheet,         &CImporter::endDocument,
    };
    const std::int16_t code = block->selector;
    if (code < 0 || code > request::kSelEndDocument || operations[code] == nullptr) return;
    (this->*operations[code])();
}

void CImporter::identify(std::int16_t isQuick) {
    throwIfNullObject(block->identifySpec, __LINE__, kUnit);
    identifyFile(block->identifySpec->name, block->identifySpec->folder, isQuick);
}

void CImporter::readDocument() {
    initXForm(&block->form);
    initXRule(&block->rule);
    initXPage(&block->page, kLetterPageSize);
    initXHead(&block->head);
    answerYes();
}

void CImporter::beginSheet() { answerYes(); }
void CImporter::hasMainStory() { answerYes(); }
// A side story is absent unless an importer says otherwise: the request's own code stays.
void CImporter::hasHeaderStory() {}
void CImporter::hasFooterStory() {}
void CImporter::hasFieldStory() {}
void CImporter::hasCommentStory() {}
void CImporter::hasBookmarkStory() {}
void CImporter::hasFootnoteStory() {}
void CImporter::hasEndnoteStory() {}
void CImporter::hasGraphicStory() {}
void CImporter::hasTableStory() {}
void CImporter::readSpecial() { answerNoText(); }
void CImporter::readText() { answerNoText(); }
void CImporter::endMainStory() { answerYes(); }
void CImporter::endHeaderStory() { answerYes(); }
void CImporter::endFooterStory() { answerYes(); }
void CImporter::endFieldStory() { answerYes(); }
void CImporter::endCommentStory() { answerYes(); }
void CImporter::endBookmarkStory() { answerYes(); }
void CImporter::endFootnoteStory() { answerYes(); }
void CImporter::endEndnoteStory() { answerYes(); }
void CImporter::endGraphicStory() { answerYes(); }
void CImporter::endTableStory() { answerYes(); }
void CImporter::endSheet() { answerYes(); }
void CImporter::endDocument() { answerYes(); }

void CImporter::answerNoText() {
    block->selector = request::kAnswerYes;
    block->textLength = 0;
}

std::unique_ptr<CFile> CImporter::openForIdentification(const PascalWString& name, const PascalWString& folder,
                                                        const char* unit) const {
    const TranslatorRule* rule = descriptor != nullptr ? &descriptor->rules[0] : nullptr;
    std::unique_ptr<CFile> input(new (std::nothrow) CFile(name, folder, rule ? rule->fileType : kAnyFileCode,
                                                          rule ? rule->creator : kAnyFileCode, 1, 0, kGenericRead,
                                                          kGenericRead));
    throwIfNull(input.get(), __LINE__, unit);
    throwIfError(input->open(), __LINE__, unit);
    return input;
}

void CImporter::openFile() {
    // Request 0 comes once per importer; a second one starts from a fresh file object.
    releaseFile();
    const TranslatorRule* rule = descriptor != nullptr ? &descriptor->rules[0] : nullptr;
    file = new (std::nothrow) CFile(block->fileSpec.name, block->fileSpec.folder,
                                    rule != nullptr ? rule->fileType : kAnyFileCode,
                                    rule != nullptr ? rule->creator : kAnyFileCode,
                                    descriptor != nullptr ? firstFileOptionOf(*descriptor) : 0,
                                    descriptor != nullptr ? secondFileOptionOf(*descriptor) : 0, kGenericRead,
                                    kGenericRead);
    throwIfNull(file, __LINE__, kUnit);
    // A package stored as a folder stays unopened for the importer to walk.
    if (!file->isFolder()) throwIfError(file->open(), __LINE__, kUnit);
}
