#include "export/CCSVExporter.h"

#include <new>

#include "export/CCSVExtruder.h"
#include "foundation/CFail.h"
#include "foundation/Memory.h"
#include "model/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BL_CSV(exp)";
// The text-encoding code of Mac OS Roman, the charset of every CSV file.
constexpr std::int32_t kMacRomanEncoding = 0;

}  // namespace

CCSVExporter::CCSVExporter(const TranslatorDescriptor* descriptor) : CExporter(descriptor), conversion(kUnit) {}

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
        const std::int32_t length = conversion.convert(kMacRomanEncoding, block->textBuffer, block->textLength);
        mainExtruder->writeRun(conversion.bytes(), length);
        mainExtruder->flush();
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
