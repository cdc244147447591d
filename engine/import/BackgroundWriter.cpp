#include "engine/import/BackgroundWriter.h"

#include <cstring>

#include "engine/import/ImporterAnswers.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "model/params/ParamBlockHost.h"
#include "model/records/RecordWriting.h"

void writeBackground(const XParamBlock& block, CStream& documentElement) {
    checkBackgroundAnswer(block);
    ChildElement background(documentElement, "BACKGROUND");
    background->writeValues(nullptr, 0, "backLength %l", block.backgroundLength);
    if (block.backgroundLength <= 0) return;
    const auto length = static_cast<std::int32_t>(strnlen(block.backgroundText, kTaskSideBufferBytes));
    if (length == 0) return;
    char* encoded = nullptr;
    std::int32_t encodedLength = 0;
    base64Encode(block.backgroundText, length, &encoded, &encodedLength);
    try {
        background->addText(encoded, encodedLength);
    } catch (const CFail&) {
        freeMemory(encoded);
        rethrowFailure();
    }
    freeMemory(encoded);
}
