#include "engine/CImporter.h"

#include <new>

#include "engine/TranslatorDescriptor.h"
#include "engine/TranslatorRequest.h"
#include "foundation/CFile.h"
#include "foundation/Memory.h"
#include "model/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BImporter";
// The letter page: the default document is not metric.
constexpr std::int16_t kLetterPageSize = 2;

}  // namespace

CImporter::CImporter(const TranslatorDescriptor* descriptor) : CBaseTranslator(descriptor) {}

CImporter::~CImporter() {
    releaseFile();
}

std::int32_t CImporter::dispatch(XParamBlock* requestBlock) {
    if (requestBlock == nullptr) return dispatchResultOf(result::kNullObject);
    block = requestBlock;
    const std::int16_t code = block->selector;
    if (code == request::kSelStart) return answerOf([this] { start(); });
    if (code == request::kSelIdentifyQuick || code == request::kSelIdentifyFull)
        return answerOf([this, code] { identify(code == request::kSelIdentifyQuick ? 1 : 0); });

    std::int32_t answer = 0;
    if (code == request::kSelDocument) answer = answerOf([this] { openInputFile(); });
    if (answer == 0) answer = answerOf([this] { handleSelector(); });
    if (answer != 0) releaseFile();
    return answer;
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

void CImporter::start() {
    onStart1();
    onStart2();
    onStart3();
}

void CImporter::identify(std::int16_t isQuick) {
    throwIfNullObject(block->identifySpec, __LINE__, kUnit);
    identifyFile(block->identifySpec->name, block->identifySpec->folder, isQuick);
}

void CImporter::identifyFile(const PascalWString&, const PascalWString&, std::int16_t) {}

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

void CImporter::answerYes() {
    block->selector = request::kAnswerYes;
}

void CImporter::answerNoText() {
    block->selector = request::kAnswerYes;
    block->textLength = 0;
}

void CImporter::openInputFile() {
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

void CImporter::releaseFile() {
    disposeObject(file);
}
