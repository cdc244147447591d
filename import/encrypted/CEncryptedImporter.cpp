#include "import/encrypted/CEncryptedImporter.h"

#include <memory>
#include <new>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"
#include "package/compound/CPPSFile.h"

namespace {

constexpr const char* kUnit = "BL_Encrypted(imp)";
constexpr const char* kEncryptedStream = "EncryptedPackage";
constexpr std::int32_t kRootEntry = -1;

}  // namespace

void CEncryptedImporter::identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t) {
    // A file that is not a compound file, or one without the stream, raises inside the readers.
    const std::unique_ptr<CPPSFile> compoundFile(new (std::nothrow) CPPSFile(name, folder));
    throwIfNull(compoundFile.get(), __LINE__, kUnit);
    const std::int32_t root = compoundFile->storageIndex(kRootEntry, nullptr);
    if (compoundFile->hasEntry(root, kEncryptedStream, 1) != 1) throwFail(result::kErrInaccessible, __LINE__, kUnit);
}

void CEncryptedImporter::readDocument() {
    char16_t text[256];
    loadUniText(text, kProtectedDocumentMessage);
    freeMemory(block->reasonText);
    block->reasonText = duplicateWString(text);
    throwIfNull(block->reasonText, __LINE__, kUnit);
    throwFail(result::kErrCancelled, __LINE__, kUnit);
}

CBaseTranslator* makeEncryptedImporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CEncryptedImporter(descriptor);
}
