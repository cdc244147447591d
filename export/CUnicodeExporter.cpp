#include "export/CUnicodeExporter.h"

#include <new>

#include "export/CUnicodeExtruder.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BL_Unicode(exp)";
// U+FEFF in little-endian order.
constexpr std::uint8_t kByteOrderMark[2] = {0xFF, 0xFE};

}  // namespace

CUnicodeExporter::CUnicodeExporter(const TranslatorDescriptor* descriptor) : CExporter(descriptor) {}

CUnicodeExporter::~CUnicodeExporter() {
    disposeObject(mainExtruder);
}

CUnicodeExtruder* CUnicodeExporter::newExtruder() {
    auto* extruder = new (std::nothrow) CUnicodeExtruder(outputFile());
    throwIfNull(extruder, __LINE__, kUnit);
    return extruder;
}

void CUnicodeExporter::beginSheet() {
    throwIfNullObject(outputFile(), __LINE__, kUnit);
    throwIfError(outputFile()->write(kByteOrderMark, sizeof kByteOrderMark, kFromStart, 0), __LINE__, kUnit);
    answerYes();
}

void CUnicodeExporter::beginMainStory() {
    // A main story that ended without its end request leaves its writer behind; its output is dropped.
    disposeObject(mainExtruder);
    mainExtruder = newExtruder();
    currentExtruder = mainExtruder;
    mainVisible.reset();
    currentVisible = &mainVisible;
    mainLabels.reset();
    currentLabels = &mainLabels;
    answerYes();
}

void CUnicodeExporter::beginCollectedStory(OwnedList<CUnicodeExtruder>& stories) {
    CUnicodeExtruder* extruder = newExtruder();
    stories.append(extruder);
    currentExtruder = extruder;
    sideVisible.reset();
    currentVisible = &sideVisible;
    sideLabels.reset();
    currentLabels = &sideLabels;
    answerYes();
}

void CUnicodeExporter::beginCommentStory() {
    beginCollectedStory(commentStories);
}

void CUnicodeExporter::beginFootnoteStory() {
    beginCollectedStory(footnoteStories);
}

void CUnicodeExporter::doText() {
    if (currentExtruder != nullptr) {
        if (block->textLength < 0 || (block->textBuffer == nullptr && block->textLength > 0))
            throwFail(result::kNullObject, __LINE__, kUnit);
        const std::int32_t lastUnit = block->textLength > 0 ? block->textBuffer[block->textLength - 1] : 0;
        const std::u16string label = currentLabels->labelBefore(block->rule, *block, lastUnit);
        if (!label.empty()) currentExtruder->writeRun(label.data(), static_cast<std::int32_t>(label.size()));
        shown.clear();
        raisingOutOfMemory(__LINE__, kUnit, [&] {
            currentVisible->filter(block->form.txtData, block->textBuffer, block->textLength, shown,
                                   block->rule.lastCellOfRow == 1);
        });
        if (!shown.empty()) currentExtruder->writeRun(shown.data(), static_cast<std::int32_t>(shown.size()));
    }
    answerYes();
}

// A collected story's text stays pending in its writer until the sheet ends.
void CUnicodeExporter::endCommentStory() {
    currentExtruder = nullptr;
    currentVisible = &mainVisible;
    currentLabels = &mainLabels;
    answerYes();
}

void CUnicodeExporter::endFootnoteStory() {
    currentExtruder = nullptr;
    currentVisible = &mainVisible;
    currentLabels = &mainLabels;
    answerYes();
}

void CUnicodeExporter::endMainStory() {
    if (mainExtruder != nullptr) {
        mainExtruder->flush();
        disposeObject(mainExtruder);
    }
    currentExtruder = nullptr;
    answerYes();
}

void CUnicodeExporter::endSheet() {
    // The file goes with the sheet: a main story that never ended is dropped with it.
    currentExtruder = nullptr;
    disposeObject(mainExtruder);
    for (OwnedList<CUnicodeExtruder>* stories : {&footnoteStories, &commentStories}) {
        for (std::int32_t index = 1; index <= stories->count(); ++index) stories->at(index)->flush();
        stories->clear();
    }
    answerYes();
}

CBaseTranslator* makeUnicodeExporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CUnicodeExporter(descriptor);
}
