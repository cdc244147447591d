// The preferences record: its file size, where each field lies in the file, the defaults, and reading
// back what was written, with stored texts kept inside their fields.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/Preferences.h"
#include "foundation/CFail.h"

namespace {

struct OffsetRow {
    const char* name;
    std::int32_t offset;
};

const OffsetRow kRecordOffsets[] = {
    {"mainWindowOption", 2},     {"dumpParamBlocks", 4},   {"showIntermediateXml", 6}, {"showFinalDocument", 8},
    {"noAskContextMenu", 10},    {"noAskDefaultApp", 12},  {"noAskManyFiles", 14},     {"noAskOtherFiles", 16},
    {"otherFilesAnswer", 18},    {"dateNames", 20},        {"diagnosticCopy", 22},     {"wordProcessing", 24},
    {"spreadsheet", 4190},       {"logMode", 8356},        {"logFolderName", 8358},    {"notifyFlags", 8870},
    {"logFolderParent", 8872},   {"soundName", 9384},      {"soundsFolder", 9896},     {"storyOptions", 10410},
    {"placementSaved", 10528},   {"windowTop", 10530},     {"windowLeft", 10532},      {"windowHeight", 10534},
    {"windowWidth", 10536},
};

const OffsetRow kFamilyOffsets[] = {
    {"convertTo", 0},       {"saveMode", 64},         {"storedDrive", 66},          {"storedName", 578},
    {"storedParent", 1090}, {"openMode", 1602},       {"appName", 1604},            {"applicationFolder", 2116},
    {"currentDrive", 2628}, {"currentName", 3140},    {"fallbackCount", 3652},      {"currentParent", 3654},
};

std::int32_t offsetOf(const PreferenceField* fields, std::int32_t count, const char* name) {
    for (std::int32_t i = 0; i < count; ++i)
        if (std::strcmp(fields[i].name, name) == 0) return fields[i].offset;
    return -1;
}

// Rows in file order that leave no byte out and none twice.
std::int32_t coveredBytes(const PreferenceField* fields, std::int32_t count) {
    std::int32_t end = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        EXPECT_EQ(fields[i].offset, end) << fields[i].name;
        end = fields[i].offset + fields[i].width;
    }
    return end;
}

std::uint16_t unitAt(const std::uint8_t* bytes, std::int32_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

TEST(PreferencesTest, LayoutOfTheFile) {
    EXPECT_EQ(coveredBytes(preferenceFields, preferenceFieldCount), kPreferencesBytes);
    EXPECT_EQ(coveredBytes(familyPreferenceFields, familyPreferenceFieldCount), kFamilyPreferencesBytes);
    for (const OffsetRow& row : kRecordOffsets)
        EXPECT_EQ(offsetOf(preferenceFields, preferenceFieldCount, row.name), row.offset) << row.name;
    for (const OffsetRow& row : kFamilyOffsets)
        EXPECT_EQ(offsetOf(familyPreferenceFields, familyPreferenceFieldCount, row.name), row.offset) << row.name;
}

TEST(PreferencesTest, DefaultsInTheFile) {
    Preferences preferences;
    std::memset(static_cast<void*>(&preferences), 0x5A, sizeof preferences);
    clearPreferences(preferences);
    std::uint8_t bytes[kPreferencesBytes];
    encodePreferences(preferences, bytes);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 24)), "RTF");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 4190)), "CSV");
    EXPECT_EQ(unitAt(bytes, 24 + 1602), 0xFFFF) << "open mode not resolved";
    EXPECT_EQ(unitAt(bytes, 4190 + 1602), 0xFFFF);
    std::int32_t nonZero = 0;
    for (std::uint8_t byte : bytes) nonZero += byte != 0 ? 1 : 0;
    EXPECT_EQ(nonZero, 3 + 3 + 2 + 2) << "everything else is zero";
}

TEST(PreferencesTest, WrittenValuesReadBack) {
    Preferences written;
    clearPreferences(written);
    written.dumpParamBlocks = 1;
    written.notifyFlags = 0x8003;
    written.spreadsheet.openMode = kOpenWithSpecificApplication;
    assignCString(written.spreadsheet.appName, "gnumeric");
    written.storyOptions[19] = -7;
    written.windowWidth = 1024;
    written.unusedBeforePlacement[5] = 9;
    std::uint8_t bytes[kPreferencesBytes];
    encodePreferences(written, bytes);
    EXPECT_EQ(unitAt(bytes, 8870), 0x8003);
    EXPECT_EQ(unitAt(bytes, 10410 + 38), 0xFFF9);
    EXPECT_EQ(unitAt(bytes, 4190 + 1604), 8) << "length unit of the application's name";

    Preferences read;
    clearPreferences(read);
    ASSERT_EQ(decodePreferences(bytes, kPreferencesBytes, read), 0);
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);
}

// Strings are built in place with whatever their units held before: the file carries the texts alone,
// never the bytes after them, so saving the same settings writes the same file.
TEST(PreferencesTest, BytesAfterTheTextsAreNotWritten) {
    Preferences clean;
    clearPreferences(clean);
    Preferences untidy;
    std::memset(static_cast<void*>(&untidy), 0xA5, sizeof untidy);
    clearPreferences(untidy);
    for (Preferences* record : {&clean, &untidy}) {
        assignCString(record->soundsFolder, "/usr/share/sounds/");
        assignCString(record->wordProcessing.currentName, "Reports");
    }
    std::memset(untidy.soundsFolder.units + 19, 0xEE, sizeof untidy.soundsFolder.units - 19 * 2);
    std::memset(untidy.logFolderName.units + 1, 0x7F, sizeof untidy.logFolderName.units - 2);
    std::memset(untidy.spreadsheet.convertTo + 4, 'x', kConvertToBytes - 4);

    std::uint8_t cleanBytes[kPreferencesBytes];
    std::uint8_t untidyBytes[kPreferencesBytes];
    encodePreferences(clean, cleanBytes);
    encodePreferences(untidy, untidyBytes);
    for (std::int32_t i = 0; i < kPreferencesBytes; ++i) ASSERT_EQ(untidyBytes[i], cleanBytes[i]) << "byte " << i;
    EXPECT_EQ(unitAt(cleanBytes, 9896), 18) << "the sounds folder's length";
    EXPECT_EQ(unitAt(cleanBytes, 9896 + 2 * 18), u'/');
}

TEST(PreferencesTest, BadFileContentsAreKeptInBounds) {
    Preferences preferences;
    clearPreferences(preferences);
    std::uint8_t bytes[kPreferencesBytes];
    encodePreferences(preferences, bytes);
    EXPECT_EQ(decodePreferences(bytes, kPreferencesBytes + 1, preferences), result::kNullObject);
    EXPECT_EQ(decodePreferences(bytes, kPreferencesBytes - 1, preferences), result::kNullObject);

    std::memset(bytes + 24, 'A', kConvertToBytes);     // "Convert to" without its 0
    bytes[9384] = 0x2C;                                 // soundName's length: 300 units
    bytes[9385] = 0x01;
    ASSERT_EQ(decodePreferences(bytes, kPreferencesBytes, preferences), 0);
    EXPECT_EQ(std::strlen(preferences.wordProcessing.convertTo), static_cast<std::size_t>(kConvertToBytes - 1));
    EXPECT_EQ(preferences.soundName.length(), kPascalCapacity);
}

}  // namespace
