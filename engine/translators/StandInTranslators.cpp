#include "engine/translators/StandInTranslators.h"

#include <new>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"

namespace {

constexpr const char* kUnit = "BTranslator";

}  // namespace

void CStandInImporter::identifyFile(const PascalWString&, const PascalWString&, std::int16_t) {
    throwFail(result::kErrInaccessible, __LINE__, kUnit);
}

void CStandInImporter::readDocument() {
    throwFail(result::kErrInaccessible, __LINE__, kUnit);
}

std::int32_t CStandInExporter::dispatch(XParamBlock*) {
    return dispatchResultOf(result::kErrInaccessible);
}

CBaseTranslator* makeStandInImporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CStandInImporter(descriptor);
}

CBaseTranslator* makeStandInExporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CStandInExporter(descriptor);
}
