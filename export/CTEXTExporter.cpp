#include "export/CTEXTExporter.h"

#include <new>

#include "export/CTEXTExtruder.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "model/params/LanguageEncoding.h"
#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"

namespace {

constexpr const char* kUnit = "BL_TEXT(exp)";

}  // namespace

CTEXTExporter::CTEXTExporter(const TranslatorDescriptor* descriptor) : CExporter(descriptor), conversion(kUnit) {}

CTEXTExporter::~CTEXTExporter() {
    disposeObject(mainExtruder);
}

void CTEXTExporter::beginMainStory() {
    // A main story that ended without its end request leaves its writer behind; its output is dropped.
    disposeObject(mainExtruder);
    mainExtruder = new (std::nothrow) CTEXTExtruder(outputFile(), &byteCount);
    throwIfNull(mainExtruder, __LINE__, kUnit);
    visible.reset();
    labels.reset();
    answerYes();
}

void CTEXTExporter::doText() {
    if (mainExtruder != nullptr) {
        // A paragraph's text is held until the next paragraph begins; inside a note written in place the
        // output waits for the note's end. Ended paragraphs go out a block at a time, not a write each.
        if (mainExtruder->paragraphEnded() && block->storyNumber != storykind::kFootnote)
            mainExtruder->flushFullBlock();
        const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(block->textBuffer);
        std::int32_t length = block->textLength;
        const bool utf16 = block->textEncoding == kUtf16TextEncoding;
        if (!utf16 && (length < 0 || (bytes == nullptr && length > 0))) throwFail(result::kNullObject, __LINE__, kUnit);
        const std::int32_t encoding = static_cast<std::int32_t>(languageEncoding(selectLanguageByHint(block->form)));
        const std::int32_t lastUnit = length <= 0 ? 0 : utf16 ? block->textBuffer[length - 1] : bytes[length - 1];
        writeListLabel(labels.labelBefore(block->rule, *block, lastUnit), encoding);
        if (utf16) {
            length = conversion.convert(encoding, block->textBuffer, block->textLength);
            bytes = conversion.bytes();
        }
        shown.clear();
        raisingOutOfMemory(__LINE__, kUnit, [&] {
            visible.filter(block->form.txtData, reinterpret_cast<const char*>(bytes), length, shown,
                           block->rule.lastCellOfRow == 1);
        });
        if (!shown.empty())
            mainExtruder->writeRun(reinterpret_cast<const std::uint8_t*>(shown.data()),
                                   static_cast<std::int32_t>(shown.size()), block->form, block->rule);
    }
    answerYes();
}

// The label goes out in the code page of the paragraph's first run, under that run's style.
void CTEXTExporter::writeListLabel(const std::u16string& label, std::int32_t encoding) {
    if (label.empty()) return;
    const std::int32_t length = conversion.convert(encoding, label.data(), static_cast<std::int32_t>(label.size()));
    mainExtruder->writeRun(conversion.bytes(), length, block->form, block->rule);
}

void CTEXTExporter::endMainStory() {
    if (mainExtruder != nullptr) {
        mainExtruder->flush();
        mainExtruder->storeStyleTable();
        disposeObject(mainExtruder);
    }
    answerYes();
}

// The file goes with the sheet: a main story that never ended is dropped with it.
void CTEXTExporter::endSheet() {
    disposeObject(mainExtruder);
    answerYes();
}

CBaseTranslator* makeTEXTExporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CTEXTExporter(descriptor);
}
