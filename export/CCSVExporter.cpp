#include "export/CCSVExporter.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "export/CCSVExtruder.h"
#include "foundation/CFail.h"
#include "foundation/Memory.h"
#include "foundation/Utf8Codec.h"
#include "model/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BL_CSV(exp)";
bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The UTF-8 form of the units; a lone surrogate is left out.
std::string toUtf8(const char16_t* text, std::int32_t length) {
    const std::u16string_view units(text, static_cast<std::size_t>(length));
    const auto isSurrogate = [](char16_t unit) { return isHighSurrogate(unit) || isLowSurrogate(unit); };
    if (std::none_of(units.begin(), units.end(), isSurrogate)) return utf16ToUtf8String(units);
    std::u16string paired;
    paired.reserve(static_cast<std::size_t>(length));
    for (std::int32_t index = 0; index < length; ++index) {
        const char16_t unit = text[index];
        if (isHighSurrogate(unit) && index + 1 < length && isLowSurrogate(text[index + 1])) {
            paired.push_back(unit);
            paired.push_back(text[++index]);
        } else if (!isHighSurrogate(unit) && !isLowSurrogate(unit)) {
            paired.push_back(unit);
        }
    }
    return utf16ToUtf8String(paired);
}

}  // namespace

CCSVExporter::CCSVExporter(const TranslatorDescriptor* descriptor) : CExporter(descriptor) {}

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
            converted = toUtf8(block->textBuffer, block->textLength);
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
