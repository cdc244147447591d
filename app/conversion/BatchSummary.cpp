#include "app/conversion/BatchSummary.h"

#include "app/settings/ProgramFolders.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorDescriptor.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/TextFormat.h"

namespace {
constexpr std::uint16_t kOneFileConverted = 10147;
constexpr std::uint16_t kFilesConverted = 10148;
constexpr std::uint16_t kOneFileOfFamily = 10149;
constexpr std::uint16_t kFilesOfFamily = 10150;
constexpr std::uint16_t kOneBesideOriginal = 10151;
constexpr std::uint16_t kManyBesideOriginals = 10152;
constexpr std::uint16_t kOneInFallbackFolder = 10153;
constexpr std::uint16_t kManyInFallbackFolder = 10154;
constexpr std::uint16_t kOneOnDisk = 10155;
constexpr std::uint16_t kManyOnDisk = 10156;
constexpr std::uint16_t kOneInFolder = 10157;
constexpr std::uint16_t kManyInFolder = 10158;
constexpr std::uint16_t kOneFellBack = 10161;
constexpr std::uint16_t kManyFellBack = 10162;

std::u16string uiString(std::uint16_t id) {
    char16_t text[kLoadStringSize];
    return loadUniText(text, id);
}

template <typename... Values>
std::u16string formatted(std::uint16_t id, const Values&... values) {
    return formatUniToString(uiString(id).c_str(), values...);
}

PascalWString convertedFilesFolderName() {
    return makePascal(uiString(uistring::kConvertedFilesFolder));
}

// Where the family's files went: a drive, when a whole one was chosen, else the folder's name.
std::u16string destinationSentence(const PascalWString& drive, const PascalWString& folderName, bool one) {
    if (drive.length() > 0) return formatted(one ? kOneOnDisk : kManyOnDisk, drive);
    return formatted(one ? kOneInFolder : kManyInFolder, folderName);
}

std::u16string placeSentence(const FamilyPreferences& family, std::int32_t count) {
    const bool one = count == 1;
    switch (family.saveMode) {
    case kSaveBesideOriginal:
        if (one) {
            return family.fallbackCount == 1 ? formatted(kOneInFallbackFolder, convertedFilesFolderName())
                                             : uiString(kOneBesideOriginal);
        }
        return count == family.fallbackCount ? formatted(kManyInFallbackFolder, convertedFilesFolderName())
                                             : uiString(kManyBesideOriginals);
    case kSaveInSpecificFolder:
        return destinationSentence(family.storedDrive, family.storedName, one);
    case kSaveChooseWhileConverting:
        return destinationSentence(family.currentDrive, family.currentName, one);
    default:
        return {};
    }
}

std::string formatDisplayName(const FamilyPreferences& family, const CTranslator* exporters) {
    std::int32_t index = -1;
    const TranslatorDescriptor* descriptor = exporters != nullptr ? exporters->findByName(family.convertTo, &index) : nullptr;
    return descriptor != nullptr ? descriptor->name : family.convertTo;
}
}  // namespace

std::u16string familySummary(const FamilyPreferences& family, std::uint16_t familyNameId, std::int32_t count,
                             const CTranslator* exporters) {
    const std::u16string familyName = uiString(familyNameId);
    const std::string formatName = formatDisplayName(family, exporters);
    const std::u16string place = placeSentence(family, count);
    if (count == 1) return formatted(kOneFileOfFamily, familyName.c_str(), formatName.c_str(), place.c_str());
    return formatted(kFilesOfFamily, count, familyName.c_str(), formatName.c_str(), place.c_str());
}

std::u16string batchSummary(const Preferences& preferences, std::int32_t wordCount, std::int32_t sheetCount,
                            const CTranslator* exporters) {
    const std::int32_t total = wordCount + sheetCount;
    std::u16string summary = total == 1 ? uiString(kOneFileConverted) : formatted(kFilesConverted, total);
    if (wordCount > 0) {
        summary += familySummary(preferences.wordProcessing, uistring::kWordProcessingFamily, wordCount, exporters);
    }
    if (sheetCount > 0) {
        if (wordCount > 0) summary += u"\r\r";
        summary += familySummary(preferences.spreadsheet, uistring::kSpreadsheetFamily, sheetCount, exporters);
    }
    return summary;
}

std::u16string fallbackNotice(std::int32_t fallbackCount) {
    if (fallbackCount == 1) return formatted(kOneFellBack, convertedFilesFolderName());
    return formatted(kManyFellBack, fallbackCount, convertedFilesFolderName());
}
