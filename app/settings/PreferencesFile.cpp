#include "app/settings/PreferencesFile.h"

#include <vector>

#include "app/settings/ProgramFolders.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/ShellServices.h"
#include "foundation/language/UIStrings.h"
#include "platform/files/FileSystem.h"

namespace {

platform::NativePath nativeOf(const std::u16string& path) {
    return platform::NativePath::fromWide(path);
}

bool fieldsAreSound(const PreferenceField* fields, std::int32_t count, const std::uint8_t* base) {
    for (std::int32_t i = 0; i < count; ++i) {
        const PreferenceField& field = fields[i];
        const std::uint8_t* at = base + field.offset;
        switch (field.value) {
        case PreferenceValue::pascalText:
            if ((at[0] | (at[1] << 8)) > kPascalCapacity) return false;
            break;
        case PreferenceValue::text: {
            bool ended = false;
            for (std::int32_t b = 0; b < field.width && !ended; ++b) ended = at[b] == 0;
            if (!ended) return false;
            break;
        }
        case PreferenceValue::family:
            if (!fieldsAreSound(familyPreferenceFields, familyPreferenceFieldCount, at)) return false;
            break;
        default:
            break;
        }
    }
    return true;
}

// The whole file, or a code: 2 when it is missing.
std::int16_t readWholeFile(const std::u16string& path, std::vector<std::uint8_t>& bytes) {
    platform::FileHandle file = platform::kNoFile;
    std::int16_t code = platform::openFile(nativeOf(path), true, false, file);
    if (code != result::kSuccess) return code;
    std::uint64_t size = 0;
    code = platform::fileSize(file, size);
    // A file far beyond the record's size is damaged whatever it holds; only its size is needed.
    const std::uint64_t wanted = size > kPreferencesBytes ? kPreferencesBytes + 1 : size;
    if (code == result::kSuccess) {
        bytes.resize(static_cast<std::size_t>(wanted));
        std::int32_t read = 0;
        code = platform::readFile(file, bytes.data(), static_cast<std::int32_t>(bytes.size()), read);
        if (code == platform::error::kEndOfFile || read != static_cast<std::int32_t>(bytes.size())) bytes.resize(read);
        if (code == platform::error::kEndOfFile) code = result::kSuccess;
    }
    platform::closeFile(file);
    return code;
}

std::int16_t writeWholeFile(const std::u16string& path, const std::uint8_t* bytes, std::int32_t count) {
    platform::FileHandle file = platform::kNoFile;
    std::int16_t code = platform::openFile(nativeOf(path), false, true, file);
    if (code == platform::error::kFileNotFound) {
        code = platform::createNewFile(nativeOf(path));
        if (code == result::kSuccess) code = platform::openFile(nativeOf(path), false, true, file);
    }
    if (code != result::kSuccess) return code;
    code = platform::setFileLength(file, 0);
    if (code == result::kSuccess) code = platform::writeFile(file, bytes, count);
    const std::int16_t closed = platform::closeFile(file);
    return code != result::kSuccess ? code : closed;
}

}  // namespace

std::u16string preferencesFilePath() {
    return filePath(applicationDataFolder(), uistring::kPreferencesFileName);
}

bool preferencesBytesAreSound(const std::uint8_t* bytes, std::int64_t length) {
    if (bytes == nullptr || length != kPreferencesBytes) return false;
    return fieldsAreSound(preferenceFields, preferenceFieldCount, bytes);
}

PreferencesFileResult readPreferencesFile(Preferences& preferences) {
    const std::u16string path = preferencesFilePath();
    std::vector<std::uint8_t> bytes;
    const std::int16_t code = readWholeFile(path, bytes);
    if (code == platform::error::kFileNotFound || code == platform::error::kPathNotFound) {
        return {PreferencesFileState::missing, {}};
    }
    if (code != result::kSuccess) return {PreferencesFileState::unreadable, {}};
    if (!preferencesBytesAreSound(bytes.data(), static_cast<std::int64_t>(bytes.size()))) {
        const std::u16string damaged = path + u".damaged";
        platform::replaceFile(nativeOf(path), nativeOf(damaged));
        return {PreferencesFileState::setAside, damaged};
    }
    decodePreferences(bytes.data(), kPreferencesBytes, preferences);
    return {PreferencesFileState::read, {}};
}

std::int16_t savePreferences(const Preferences& preferences) {
    return failureCode([&]() -> std::int16_t {
        const PascalWString folder = applicationDataFolder();
        const std::int16_t made = setUpFolder(folder);
        if (made != result::kSuccess) return made;
        static std::uint8_t bytes[kPreferencesBytes];
        encodePreferences(preferences, bytes);
        const std::u16string path = preferencesFilePath();
        const std::u16string temporary = path + u".new";
        std::int16_t code = writeWholeFile(temporary, bytes, kPreferencesBytes);
        if (code == result::kSuccess) code = platform::replaceFile(nativeOf(temporary), nativeOf(path));
        if (code != result::kSuccess) platform::deleteFile(nativeOf(temporary));
        return code;
    });
}

void resolveOpenModes(Preferences& preferences) {
    struct FamilyList {
        FamilyPreferences* family;
        std::uint16_t listNameId;
    };
    const FamilyList families[] = {{&preferences.wordProcessing, kWordProcessingTargetsStringId},
                                   {&preferences.spreadsheet, kSpreadsheetTargetsStringId}};
    for (const FamilyList& entry : families) {
        if (entry.family->openMode != kOpenNotResolved) continue;
        char16_t listName[kLoadStringSize];
        loadUniText(listName, entry.listNameId);
        const bool found =
            findTargetApplications(listName, entry.family->appName, entry.family->applicationFolder) == result::kSuccess;
        entry.family->openMode = found ? kOpenWithSpecificApplication : kOpenWithDefaultApplication;
    }
}
