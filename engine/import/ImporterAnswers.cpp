#include "engine/import/ImporterAnswers.h"

#include "engine/import/CImportEngine.h"
#include "foundation/CFail.h"
#include "model/params/ParamBlockHost.h"
#include "model/params/XParamBlock.h"

namespace {
constexpr const char* kUnit = "BEngineImp";
}

void checkTextAnswer(const XParamBlock& block) {
    if (block.textLength < 0 || block.textLength > kTaskTextBufferUnits) throwFail(result::kNullObject, __LINE__, kUnit);
    if (block.textLength > 0 && block.textBuffer == nullptr) throwFail(result::kNullObject, __LINE__, kUnit);
}

void checkSheetCountAnswer(const XParamBlock& block) {
    if (block.sheetCount > kMaxSheetCount) throwFail(result::kNullObject, __LINE__, kUnit);
}

void checkBackgroundAnswer(const XParamBlock& block) {
    if (block.backgroundLength > kTaskSideBufferBytes) throwFail(result::kNullObject, __LINE__, kUnit);
    if (block.backgroundLength > 0 && block.backgroundText == nullptr) throwFail(result::kNullObject, __LINE__, kUnit);
}
