#include "export/CCSVExporter.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "export/CCSVExtruder.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BL_CSV(exp)";
bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Appends the UTF-8 form of the units to out; a lone surrogate is left out. The stretches between lone
// surrogates are converted as they stand, so a pair is never split.
void appendUtf8(std::string& out, const char16_t* text, std::int32_t length) {
    std::int32_t stretchStart = 0;
    for (std::int32_t index = 0; index < length; ++index) {
        const char16_t unit = text[index];
        if (!isHighSurrogate(unit) && !isLowSurrogate(unit)) continue;
        if (isHighSurrogate(unit) && index + 1 < length && isLowSurrogate(text[index + 1])) {
            ++index;
            continue;
        }
        appendUtf16AsUtf8(out, std::u16string_view(text + stretchStart, static_cast<std::size_t>(index - stretchStart)));
        stretchStart = index + 1;
    }
    appendUtf16AsUtf8(out, std::u16string_view(text + stretchStart, static_cast<std::size_t>(length - stretchStart)));
}

}  // namespace

CCSVExporter::CCSVExporter(const TranslatorDescriptor* descriptor) : CExporter(descriptor) {}

// A sheet's runs are nearly all ASCII, which narrows unit for unit (both loops vectorise); a run with
// any unit beyond it is converted in full.
void CCSVExporter::convertRun(const char16_t* text, std::int32_t length) {
    char16_t allBits = 0;
    for (std::int32_t index = 0; index < length; ++index) allBits |= text[index];
    converted.clear();
    if (allBits >= 0x80) {
        appendUtf8(converted, text, length);
        return;
    }
    converted.resize(static_cast<std::size_t>(length));
    std::copy(text, text + length, converted.begin());
}

CCSVExporter::~CCSVExporter() {
    disposeObject(mainExtruder);
}

void CCSVExporter::beginMainStory() {
    // A main story that ended without its end request leaves its writer behind; its output is dropped.
    disposeObject(mainExtruder);
    mainExtruder = new (std::nothrow) CCSVExtruder(outputFile());
    throwIfNull(mainExtruder, __LINE__, kUnit);
    answerYes();
}

void CCSVExporter::doText() {
    if (mainExtruder != nullptr) {
        if (block->textLength < 0 || (block->textLength > 0 && block->textBuffer == nullptr))
            throwFail(result::kNullObject, __LINE__, kUnit);
        try {
            convertRun(block->textBuffer, block->textLength);
        } catch (const std::bad_alloc&) {
            throwFail(result::kOutOfMemory, __LINE__, kUnit);
        }
        mainExtruder->writeRun(reinterpret_cast<const std::uint8_t*>(converted.data()),
                               static_cast<std::int32_t>(converted.size()));
        mainExtruder->flushFullBlock();
    }
    answerYes();
}

void CCSVExporter::endMainStory() {
    if (mainExtruder != nullptr) {
        mainExtruder->closeOpenField();
        mainExtruder->flush();
        disposeObject(mainExtruder);
    }
    answerYes();
}

// The file goes with the sheet: a main story that never ended is dropped with it.
void CCSVExporter::endSheet() {
    disposeObject(mainExtruder);
    answerYes();
}

CBaseTranslator* makeCSVExporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CCSVExporter(descriptor);
}
