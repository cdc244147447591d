#include "engine/Preferences.h"

#include <algorithm>
#include <cstring>

#include "foundation/CFail.h"

namespace {

template <typename Record, auto Member>
void* fieldOf(void* record) {
    return &(static_cast<Record*>(record)->*Member);
}

template <auto Member>
constexpr auto top = &fieldOf<Preferences, Member>;
template <auto Member>
constexpr auto family = &fieldOf<FamilyPreferences, Member>;

constexpr std::int32_t kPascalBytes = 512;
using V = PreferenceValue;

void putUnit(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t unitAt(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

void encodeFields(const PreferenceField* fields, std::int32_t count, const void* record, std::uint8_t* base);
void decodeFields(const PreferenceField* fields, std::int32_t count, void* record, const std::uint8_t* base);

void encodeField(const PreferenceField& field, const void* record, std::uint8_t* at) {
    const void* member = field.member(const_cast<void*>(record));
    switch (field.value) {
        case V::int16:
        case V::uint16:
        case V::int16Array: {
            const auto* memory = static_cast<const std::uint8_t*>(member);
            for (std::int32_t i = 0; i < field.width / 2; ++i) {
                std::uint16_t unit = 0;
                std::memcpy(&unit, memory + 2 * i, sizeof unit);
                putUnit(at + 2 * i, unit);
            }
            break;
        }
        case V::pascalText: {
            // Only the length and the text: the units after it were never set by whoever built the
            // string, and the file keeps zeros there (encodePreferences cleared them).
            const auto* text = static_cast<const PascalWString*>(member);
            const std::int32_t length = std::min(text->length(), field.width / 2 - 1);
            putUnit(at, static_cast<std::uint16_t>(length));
            for (std::int32_t i = 1; i <= length; ++i) putUnit(at + 2 * i, text->units[i]);
            break;
        }
        case V::bytes:
            std::memcpy(at, member, static_cast<std::size_t>(field.width));
            break;
        case V::text:
            // Up to its 0 byte, which the cleared bytes after it provide.
            std::memcpy(at, member, strnlen(static_cast<const char*>(member), static_cast<std::size_t>(field.width - 1)));
            break;
        case V::family:
            encodeFields(familyPreferenceFields, familyPreferenceFieldCount, member, at);
            break;
    }
}

void decodeField(const PreferenceField& field, void* record, const std::uint8_t* at) {
    void* member = field.member(record);
    switch (field.value) {
        case V::int16:
        case V::uint16:
        case V::int16Array:
        case V::pascalText: {
            auto* memory = static_cast<std::uint8_t*>(member);
            for (std::int32_t i = 0; i < field.width / 2; ++i) {
                std::uint16_t unit = unitAt(at + 2 * i);
                // A stored length beyond the capacity would send every reader past the text.
                if (i == 0 && field.value == V::pascalText) unit = std::min<std::uint16_t>(unit, kPascalCapacity);
                std::memcpy(memory + 2 * i, &unit, sizeof unit);
            }
            break;
        }
        case V::bytes:
            std::memcpy(member, at, static_cast<std::size_t>(field.width));
            break;
        case V::text:
            std::memcpy(member, at, static_cast<std::size_t>(field.width));
            static_cast<char*>(member)[field.width - 1] = '\0';
            break;
        case V::family:
            decodeFields(familyPreferenceFields, familyPreferenceFieldCount, member, at);
            break;
    }
}

void encodeFields(const PreferenceField* fields, std::int32_t count, const void* record, std::uint8_t* base) {
    for (std::int32_t i = 0; i < count; ++i) encodeField(fields[i], record, base + fields[i].offset);
}

void decodeFields(const PreferenceField* fields, std::int32_t count, void* record, const std::uint8_t* base) {
    for (std::int32_t i = 0; i < count; ++i) decodeField(fields[i], record, base + fields[i].offset);
}

void setConvertTo(FamilyPreferences& preferences, const char* exporterName) {
    std::memset(preferences.convertTo, 0, sizeof preferences.convertTo);
    std::strncpy(preferences.convertTo, exporterName, sizeof preferences.convertTo - 1);
}

}  // namespace

const PreferenceField familyPreferenceFields[] = {
    {"convertTo", 0, kConvertToBytes, V::text, family<&FamilyPreferences::convertTo>},
    {"saveMode", 64, 2, V::int16, family<&FamilyPreferences::saveMode>},
    {"storedDrive", 66, kPascalBytes, V::pascalText, family<&FamilyPreferences::storedDrive>},
    {"storedName", 578, kPascalBytes, V::pascalText, family<&FamilyPreferences::storedName>},
    {"storedParent", 1090, kPascalBytes, V::pascalText, family<&FamilyPreferences::storedParent>},
    {"openMode", 1602, 2, V::int16, family<&FamilyPreferences::openMode>},
    {"appName", 1604, kPascalBytes, V::pascalText, family<&FamilyPreferences::appName>},
    {"applicationFolder", 2116, kPascalBytes, V::pascalText, family<&FamilyPreferences::applicationFolder>},
    {"currentDrive", 2628, kPascalBytes, V::pascalText, family<&FamilyPreferences::currentDrive>},
    {"currentName", 3140, kPascalBytes, V::pascalText, family<&FamilyPreferences::currentName>},
    {"fallbackCount", 3652, 2, V::int16, family<&FamilyPreferences::fallbackCount>},
    {"currentParent", 3654, kPascalBytes, V::pascalText, family<&FamilyPreferences::currentParent>},
};
const std::int32_t familyPreferenceFieldCount = std::size(familyPreferenceFields);

const PreferenceField preferenceFields[] = {
    {"unusedAtStart", 0, 2, V::int16, top<&Preferences::unusedAtStart>},
    {"mainWindowOption", 2, 2, V::int16, top<&Preferences::mainWindowOption>},
    {"dumpParamBlocks", 4, 2, V::int16, top<&Preferences::dumpParamBlocks>},
    {"showIntermediateXml", 6, 2, V::int16, top<&Preferences::showIntermediateXml>},
    {"showFinalDocument", 8, 2, V::int16, top<&Preferences::showFinalDocument>},
    {"noAskContextMenu", 10, 2, V::int16, top<&Preferences::noAskContextMenu>},
    {"noAskDefaultApp", 12, 2, V::int16, top<&Preferences::noAskDefaultApp>},
    {"noAskManyFiles", 14, 2, V::int16, top<&Preferences::noAskManyFiles>},
    {"noAskOtherFiles", 16, 2, V::int16, top<&Preferences::noAskOtherFiles>},
    {"otherFilesAnswer", 18, 2, V::int16, top<&Preferences::otherFilesAnswer>},
    {"dateNames", 20, 2, V::int16, top<&Preferences::dateNames>},
    {"diagnosticCopy", 22, 2, V::int16, top<&Preferences::diagnosticCopy>},
    {"wordProcessing", 24, kFamilyPreferencesBytes, V::family, top<&Preferences::wordProcessing>},
    {"spreadsheet", 4190, kFamilyPreferencesBytes, V::family, top<&Preferences::spreadsheet>},
    {"logMode", 8356, 2, V::int16, top<&Preferences::logMode>},
    {"logFolderName", 8358, kPascalBytes, V::pascalText, top<&Preferences::logFolderName>},
    {"notifyFlags", 8870, 2, V::uint16, top<&Preferences::notifyFlags>},
    {"logFolderParent", 8872, kPascalBytes, V::pascalText, top<&Preferences::logFolderParent>},
    {"soundName", 9384, kPascalBytes, V::pascalText, top<&Preferences::soundName>},
    {"soundsFolder", 9896, kPascalBytes, V::pascalText, top<&Preferences::soundsFolder>},
    {"unusedAfterSoundsFolder", 10408, 2, V::int16, top<&Preferences::unusedAfterSoundsFolder>},
    {"storyOptions", 10410, 2 * kStoryOptionCount, V::int16Array, top<&Preferences::storyOptions>},
    {"unusedBeforePlacement", 10450, 78, V::bytes, top<&Preferences::unusedBeforePlacement>},
    {"placementSaved", 10528, 2, V::int16, top<&Preferences::placementSaved>},
    {"windowTop", 10530, 2, V::int16, top<&Preferences::windowTop>},
    {"windowLeft", 10532, 2, V::int16, top<&Preferences::windowLeft>},
    {"windowHeight", 10534, 2, V::int16, top<&Preferences::windowHeight>},
    {"windowWidth", 10536, 2, V::int16, top<&Preferences::windowWidth>},
    {"unusedAtEnd", 10538, 2, V::int16, top<&Preferences::unusedAtEnd>},
};
const std::int32_t preferenceFieldCount = std::size(preferenceFields);

void clearPreferences(Preferences& preferences) {
    std::memset(static_cast<void*>(&preferences), 0, sizeof preferences);
    setConvertTo(preferences.wordProcessing, "RTF");
    setConvertTo(preferences.spreadsheet, "CSV");
    preferences.wordProcessing.openMode = kOpenNotResolved;
    preferences.spreadsheet.openMode = kOpenNotResolved;
}

void copyPreferences(Preferences& destination, const Preferences& source) {
    destination = source;
}

void encodePreferences(const Preferences& preferences, std::uint8_t (&bytes)[kPreferencesBytes]) {
    std::memset(bytes, 0, sizeof bytes);
    encodeFields(preferenceFields, preferenceFieldCount, &preferences, bytes);
}

std::int16_t decodePreferences(const std::uint8_t* bytes, std::int32_t length, Preferences& preferences) {
    if (bytes == nullptr || length != kPreferencesBytes) return result::kNullObject;
    decodeFields(preferenceFields, preferenceFieldCount, &preferences, bytes);
    return 0;
}
