#include "engine/translators/DetectionItem.h"

#include <cstring>
#include <limits>
#include <new>

#include "engine/translators/TranslatorDescriptor.h"
#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/Wildcard.h"

namespace {

constexpr const char* kUnit = "BTranslator";

bool sameExtension(const char* ruleExtension, const char* fileExtension) {
    // The file object reports extensions in capitals; the rules write them small.
    for (std::size_t i = 0;; ++i) {
        const unsigned char a = static_cast<unsigned char>(ruleExtension[i]);
        const unsigned char b = static_cast<unsigned char>(fileExtension[i]);
        const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
        if (lower(a) != lower(b)) return false;
        if (a == 0) return true;
    }
}

}  // namespace

DetectionItem::DetectionItem(const PascalWString& name, const PascalWString& folder)
    : file(new (std::nothrow) CFile(name, folder, kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead, kGenericRead)) {
    throwIfNull(file, __LINE__, kUnit);
    std::int16_t hasData = 0;
    std::int16_t second = 0;
    std::int16_t isFolderFlag = 0;
    std::int16_t isFolderFlag2 = 0;
    folderItem = file->getKind(hasData, second, isFolderFlag, isFolderFlag2) == 0 && isFolderFlag == 1;
    file->getTypeAndExtension(&fileType, &creator, nameText, sizeof nameText, extensionText, sizeof extensionText);
}

DetectionItem::~DetectionItem() {
    disposeObject(file);
}

bool DetectionItem::passesRule(const TranslatorRule& rule) const {
    if (rule.ruleFlags == kRuleEmpty) return false;
    if (rule.ruleFlags == kRuleAnyFile) return true;
    if ((rule.ruleFlags & kRuleTestType) && fileType != rule.fileType) return false;
    if ((rule.ruleFlags & kRuleTestCreator) && creator != rule.creator) return false;
    if (rule.ruleFlags & kRuleTestName) {
        char pattern[sizeof rule.namePattern + 1] = {};
        std::memcpy(pattern, rule.namePattern, sizeof rule.namePattern);
        if (matchWildcard(pattern, nameText) != kWildMatch) return false;
    }
    if (rule.ruleFlags & kRuleTestExtension) {
        char extension[sizeof rule.extension + 1] = {};
        std::memcpy(extension, rule.extension, sizeof rule.extension);
        if (!sameExtension(extension, extensionText)) return false;
    }
    return true;
}

bool DetectionItem::matchesSignature(const ContentSignature& signature) {
    if (folderItem || signature.length == 0 || signature.length > kMaxSignatureBytes) return false;
    if (signature.offset > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) return false;
    if (openCount == 0) {
        openCount = 1;
        openResult = file->open();
    }
    if (openResult != 0) return false;
    std::uint8_t bytes[kMaxSignatureBytes] = {};
    // A read that meets the end of the file answers non-zero: a short file does not match.
    const std::int16_t readResult = file->read(bytes, static_cast<std::int32_t>(signature.length), kFromStart,
                                               static_cast<std::int32_t>(signature.offset));
    return readResult == 0 && std::memcmp(bytes, signature.bytes, signature.length) == 0;
}
