#include "engine/translators/CBaseTranslator.h"

#include "engine/translators/TranslatorRequest.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"

CBaseTranslator::~CBaseTranslator() {
    releaseFile();
}

std::int32_t CBaseTranslator::dispatch(XParamBlock*) {
    return 1;
}

std::int32_t CBaseTranslator::dispatchRequest(XParamBlock* requestBlock, std::int16_t openCode) {
    if (requestBlock == nullptr) return dispatchResultOf(result::kNullObject);
    block = requestBlock;
    const std::int16_t code = block->selector;
    if (code == request::kSelStart) return answerOf([this] { start(); });
    if (code == request::kSelIdentifyQuick || code == request::kSelIdentifyFull)
        return answerOf([this, code] { identify(code == request::kSelIdentifyQuick ? 1 : 0); });

    std::int32_t answer = 0;
    if (code == openCode) answer = answerOf([this] { openFile(); });
    if (answer == 0) answer = answerOf([this] { handleSelector(); });
    if (answer != 0) releaseFile();
    return answer;
}

void CBaseTranslator::start() {
    onStart1();
    onStart2();
    onStart3();
}

void CBaseTranslator::identify(std::int16_t) {}

void CBaseTranslator::identifyFile(const PascalWString&, const PascalWString&, std::int16_t) {}

void CBaseTranslator::answerYes() {
    block->selector = request::kAnswerYes;
}

void CBaseTranslator::releaseFile() {
    disposeObject(file);
}
