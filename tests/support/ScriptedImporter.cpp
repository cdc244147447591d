#include "tests/support/ScriptedImporter.h"

#include <algorithm>
#include <new>

#include "engine/translators/DetectionFlag.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/files/FileSpec.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/PascalWString.h"
#include "model/params/ParamBlockHost.h"
#include "model/params/XParamBlock.h"

namespace testsupport {

std::vector<std::int16_t> ImporterScript::selectors() const {
    std::vector<std::int16_t> codes;
    for (const ImporterCall& call : calls) codes.push_back(call.selector);
    return codes;
}

ScriptedImporter::ScriptedImporter(const TranslatorDescriptor* descriptor, ImporterScript& script)
    : CImporter(descriptor), script(script) {
    ++script.made;
}

ScriptedImporter::~ScriptedImporter() {
    ++script.destroyed;
}

std::int32_t ScriptedImporter::dispatch(XParamBlock* requestBlock) {
    if (requestBlock != nullptr) {
        ImporterCall call{requestBlock->selector, requestBlock->sheetIndex, requestBlock->storyNumber,
                          detectionActive, "", false};
        if (requestBlock->identifySpec != nullptr) call.itemName = pstringToUtf8(requestBlock->identifySpec->name);
        script.calls.push_back(call);
    }
    const std::int32_t answer = CImporter::dispatch(requestBlock);
    if (requestBlock != nullptr) script.calls.back().fileOpen = file != nullptr;
    return answer;
}

bool ScriptedImporter::answerFromScript() {
    ImporterAnswer answer;
    auto queued = script.answers.find(block->selector);
    const auto standing = script.standing.find(block->selector);
    if (queued != script.answers.end() && !queued->second.empty()) {
        answer = queued->second.front();
        queued->second.pop_front();
    } else if (standing != script.standing.end()) {
        answer = standing->second;
    } else {
        return false;
    }
    if (!answer.reason.empty()) {
        freeMemory(block->reasonText);
        block->reasonText = duplicateWString(answer.reason.c_str());
    }
    if (answer.failure != 0) throwFail(answer.failure, __LINE__, "ScriptedImporter");
    if (answer.sheetCount != -1) block->sheetCount = answer.sheetCount;
    if (answer.cellOfRow != -1) block->rule.cellOfRow = answer.cellOfRow;
    if (block->selector == request::kSelText || block->selector == request::kSelBeginSheet) {
        const std::size_t units = std::min<std::size_t>(answer.text.size(), kTaskTextBufferUnits);
        if (block->textBuffer != nullptr) std::copy_n(answer.text.begin(), units, block->textBuffer);
        block->textLength = block->textBuffer != nullptr ? static_cast<std::int32_t>(units) : 0;
    }
    if (answer.answer != kKeepCode) block->selector = answer.answer;
    return true;
}

void ScriptedImporter::handleSelector() {
    if (!answerFromScript()) CImporter::handleSelector();
}

void ScriptedImporter::identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick) {
    if (!answerFromScript()) CImporter::identifyFile(name, folder, isQuick);
}

CBaseTranslator* makeScriptedImporter(const TranslatorDescriptor* descriptor) {
    ImporterScript* script = ImporterScriptBinding::find(descriptor);
    if (script == nullptr) return new (std::nothrow) CImporter(descriptor);
    return new (std::nothrow) ScriptedImporter(descriptor, *script);
}

}  // namespace testsupport
