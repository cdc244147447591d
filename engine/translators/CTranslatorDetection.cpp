// Detection: which importer of a registry takes an item of the file system. A file is tested by each
// importer's rules, then its content signatures, then, when its descriptor asks for it, by the importer
// itself with the full identify request; a folder only by importers that accept folders, asked with
// the quick identify request.
#include <algorithm>

#include "engine/translators/CTranslator.h"
#include "engine/translators/DetectionFlag.h"
#include "engine/translators/DetectionItem.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/files/FileSpec.h"
#include "foundation/memory/Memory.h"

namespace {

constexpr const char* kUnit = "BTranslator";

std::int32_t usedRules(const TranslatorDescriptor& descriptor) {
    return std::clamp<std::int32_t>(descriptor.ruleCount, 0, kMaxTranslatorRules);
}

std::int32_t usedSignatures(const TranslatorDescriptor& descriptor) {
    return std::clamp<std::int32_t>(descriptor.signatureCount, 0, kMaxContentSignatures);
}

bool passesRules(const TranslatorDescriptor& descriptor, const DetectionItem& item) {
    for (std::int32_t i = 0; i < usedRules(descriptor); ++i)
        if (item.passesRule(descriptor.rules[i])) return true;
    return false;
}

// True when the descriptor has no signature in use, or the file matches one of them.
bool passesSignatures(const TranslatorDescriptor& descriptor, DetectionItem& item) {
    bool anySignature = false;
    for (std::int32_t i = 0; i < usedSignatures(descriptor); ++i) {
        if (descriptor.signatures[i].length == 0) continue;
        anySignature = true;
        if (item.matchesSignature(descriptor.signatures[i])) return true;
    }
    return !anySignature;
}

}  // namespace

bool CTranslator::acceptsFile(std::int32_t index, const TranslatorDescriptor& descriptor, DetectionItem& item,
                              const PascalWString& name, const PascalWString& folder, char16_t** reason) {
    if (!passesRules(descriptor, item) || !passesSignatures(descriptor, item)) return false;
    if (!asksTranslator(descriptor)) return true;

    FileSpec spec;
    makeFileSpec(spec, name, folder);
    char16_t* refusal = nullptr;
    const std::int32_t answer = request(index, request::kSelIdentifyFull, &spec, reason != nullptr ? &refusal : nullptr);
    if (answer == 0) return true;
    // An importer that refuses a file of its own family with a reason ends detection: the file is
    // reported with that reason instead of being offered to the others.
    if (refusal != nullptr) {
        freeMemory(*reason);
        *reason = refusal;
        throwFail(result::kErrInaccessible, __LINE__, kUnit);
    }
    return false;
}

bool CTranslator::acceptsFolder(std::int32_t index, const TranslatorDescriptor& descriptor, const PascalWString& name,
                                const PascalWString& folder) {
    if (!acceptsFolders(descriptor)) return false;
    if (!asksTranslator(descriptor)) return true;
    FileSpec spec;
    makeFileSpec(spec, name, folder);
    return request(index, request::kSelIdentifyQuick, &spec, nullptr) == 0;
}

std::int32_t CTranslator::chooseAmongAccepting(std::int32_t preferredIndex, std::int32_t lastAccepting) const {
    if (preferredIndex >= 0) {
        const TranslatorDescriptor* preferred = descriptorAt(preferredIndex);
        if (preferred == nullptr) return lastAccepting;
        if (preferred->matched == 1) return preferredIndex;
    }
    for (std::int32_t index = entries - 1; index >= 0; --index) {
        const TranslatorDescriptor* descriptor = descriptorAt(index);
        if (descriptor != nullptr && descriptor->matched == 1 && isPreferred(*descriptor)) return index;
    }
    return -1;
}

std::int32_t CTranslator::detect(std::int32_t preferredIndex, std::int16_t chooseAmongAll, const PascalWString& name,
                                 const PascalWString& folder, char16_t** reason) {
    const DetectionScope active;
    if (preferredIndex >= 0 && direction == TranslatorDirection::exporters) {
        const TranslatorDescriptor* preferred = descriptorAt(preferredIndex);
        if (preferred != nullptr && docKindsOf(*preferred) != 0) return preferredIndex;
    }
    const std::int32_t givenPreference = direction == TranslatorDirection::importers ? preferredIndex : -1;

    DetectionItem item(name, folder);
    std::int32_t found = -1;
    std::int32_t accepting = 0;
    for (std::int32_t index = 0; index < entries; ++index) {
        TranslatorDescriptor* descriptor = descriptorAt(index);
        if (descriptor == nullptr) continue;
        descriptor->matched = 0;
        const bool accepted = item.isFolder() ? acceptsFolder(index, *descriptor, name, folder)
                                              : acceptsFile(index, *descriptor, item, name, folder, reason);
        if (!accepted) continue;
        descriptor->matched = 1;
        found = index;
        ++accepting;
        if (chooseAmongAll == 0) break;
    }
    if (accepting == 0) throwFail(result::kErrUnknownFormat, __LINE__, kUnit);
    if (chooseAmongAll != 0 && accepting > 1) return chooseAmongAccepting(givenPreference, found);
    return found;
}

std::int16_t CTranslator::accepts(std::int32_t index, const PascalWString& name, const PascalWString& folder) {
    if (index < 0) return 1;
    DetectionItem item(name, folder);
    const TranslatorDescriptor* descriptor = descriptorAt(index);
    if (descriptor == nullptr || docKindsOf(*descriptor) == 0) return 1;
    // A folder is a document only of a translator that takes folders; it is never opened as a file.
    if (item.isFolder()) return acceptsFolder(index, *descriptor, name, folder) ? 1 : 0;
    return acceptsFile(index, *descriptor, item, name, folder, nullptr) ? 1 : 0;
}

std::int16_t CTranslator::anyAcceptsFolders(const PascalWString& name, const PascalWString& folder) {
    const DetectionScope active;
    for (std::int32_t index = 0; index < entries; ++index) {
        const TranslatorDescriptor* descriptor = descriptorAt(index);
        if (descriptor != nullptr && acceptsFolder(index, *descriptor, name, folder)) return 1;
    }
    return 0;
}
