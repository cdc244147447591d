#include "app/settings/PreferencesFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "foundation/encoding/Utf8Codec.h"
#include "platform/files/FileName.h"
#include "platform/files/Folders.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using testsupport::readBytes;
using testsupport::writeBytes;

class PreferencesFileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::overrideFolderForTesting(platform::Folder::ApplicationData, configFolder()); }
    void TearDown() override { platform::overrideFolderForTesting(platform::Folder::ApplicationData, ""); }

    std::string configFolder() const { return temporary.path() + "config/"; }
    std::string preferencesPath() const { return configFolder() + "Vostrandimeko (3).ini"; }

    static Preferences defaults() {
        Preferences preferences;
        clearPreferences(preferences);
        return preferences;
    }
    static std::string encoded(const Preferences& preferences) {
        static std::uint8_t bytes[kPreferencesBytes];
        encodePreferences(preferences, bytes);
        return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }

    testsupport::TemporaryFolder temporary;
};

TEST_F(PreferencesFileTest, MissingFileKeepsTheDefaults) {
    Preferences preferences = defaults();
    EXPECT_EQ(readPreferencesFile(preferences).state, PreferencesFileState::missing);
    EXPECT_EQ(encoded(preferences), encoded(defaults()));
    EXPECT_STREQ(preferences.wordProcessing.convertTo, "RTF");
    EXPECT_STREQ(preferences.spreadsheet.convertTo, "CSV");
    EXPECT_EQ(preferences.wordProcessing.openMode, kOpenNotResolved);
}

TEST_F(PreferencesFileTest, SavedRecordReadsBackAndKeepsItsOffsets) {
    Preferences saved = defaults();
    saved.spreadsheet.openMode = kOpenNever;
    saved.wordProcessing.saveMode = kSaveInSpecificFolder;
    assignCString(saved.wordProcessing.storedName, "Converted");
    saved.logMode = kLogInSpecificFolder;
    saved.notifyFlags = kNotifyShowSummary | 0x8000;
    assignCString(saved.soundName, "done.wav");
    saved.windowWidth = 640;

    // The folder does not exist yet: saving makes it.
    ASSERT_EQ(savePreferences(saved), 0);
    const std::string file = readBytes(preferencesPath());
    ASSERT_EQ(file.size(), static_cast<std::size_t>(kPreferencesBytes));
    EXPECT_EQ(readBytes(preferencesPath() + ".new"), "");

    // The offsets are the file format: a change to the record must not move them.
    struct Pinned {
        std::size_t offset;
        std::string bytes;
    };
    const Pinned pinned[] = {
        {24, std::string("RTF\0", 4)},             // word-processing "Convert to"
        {24 + 64, std::string("\1\0", 2)},        // its save mode
        {24 + 578, std::string("\x09\0C\0", 4)},  // its stored folder name: length, then UTF-16
        {4190, std::string("CSV\0", 4)},           // spreadsheet "Convert to"
        {4190 + 1602, std::string("\0\0", 2)},    // its open mode
        {24 + 1602, std::string("\xFF\xFF", 2)},  // word processing's, not resolved
        {8356, std::string("\2\0", 2)},            // log mode
        {8870, std::string("\x02\x80", 2)},        // notify flags, unknown bits kept
        {9384, std::string("\x08\0d\0", 4)},       // sound name
        {10536, std::string("\x80\x02", 2)},       // window width
    };
    for (const Pinned& field : pinned) {
        EXPECT_EQ(file.substr(field.offset, field.bytes.size()), field.bytes) << "offset " << field.offset;
    }

    Preferences read = defaults();
    EXPECT_EQ(readPreferencesFile(read).state, PreferencesFileState::read);
    EXPECT_EQ(encoded(read), encoded(saved));
}

TEST_F(PreferencesFileTest, SaveReplacesTheOldFileWhole) {
    Preferences first = defaults();
    first.dateNames = 1;
    ASSERT_EQ(savePreferences(first), 0);
    Preferences second = defaults();
    ASSERT_EQ(savePreferences(second), 0);
    Preferences read = defaults();
    read.dateNames = 7;
    ASSERT_EQ(readPreferencesFile(read).state, PreferencesFileState::read);
    EXPECT_EQ(read.dateNames, 0);
}

TEST_F(PreferencesFileTest, DamagedFileIsSetAsideAndTheDefaultsStay) {
    std::string sound(kPreferencesBytes, '\0');
    std::memcpy(&sound[24], "RTF", 3);
    std::memcpy(&sound[4190], "CSV", 3);
    sound[20] = 1;  // dateNames: a read file would change it
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string longText = sound;
    longText[8358] = static_cast<char>(255);  // logFolderName longer than a PascalWString holds
    std::string longFamilyText = sound;
    longFamilyText[24 + 1604 + 1] = 1;  // appName of 256 units
    std::string unendedName = sound;
    std::memset(&unendedName[4190], 'A', 64);  // "Convert to" without its 0 byte
    const Case cases[] = {
        {"one byte too many", sound + "x"},
        {"one byte short", sound.substr(1)},
        {"empty", ""},
        {"text length out of range", longText},
        {"family text length out of range", longFamilyText},
        {"8-bit text without its end", unendedName},
    };
    for (const Case& c : cases) {
        std::filesystem::create_directories(configFolder());
        ASSERT_TRUE(writeBytes(preferencesPath(), c.bytes)) << c.what;
        Preferences preferences = defaults();
        const PreferencesFileResult outcome = readPreferencesFile(preferences);
        EXPECT_EQ(outcome.state, PreferencesFileState::setAside) << c.what;
        EXPECT_EQ(platform::fileNameToBytes(outcome.setAsidePath), preferencesPath() + ".damaged") << c.what;
        EXPECT_EQ(readBytes(preferencesPath() + ".damaged"), c.bytes) << c.what;
        EXPECT_FALSE(std::filesystem::exists(preferencesPath())) << c.what;
        EXPECT_EQ(encoded(preferences), encoded(defaults())) << c.what;
    }
}

TEST_F(PreferencesFileTest, FileInPlaceOfTheFolderIsKeptAndTheSaveFails) {
    ASSERT_TRUE(writeBytes(temporary.path() + "config", "not a folder"));
    EXPECT_NE(savePreferences(defaults()), 0);
    EXPECT_EQ(readBytes(temporary.path() + "config"), "not a folder");
}

}  // namespace

namespace {

TEST_F(PreferencesFileTest, OnlyUnresolvedOpenModesAreResolved) {
    // No desktop registers an application in the test's empty registry: the default application.
    const std::int16_t stored[] = {kOpenNotResolved, kOpenNever, kOpenWithDefaultApplication,
                                   kOpenWithSpecificApplication};
    const std::int16_t resolved[] = {kOpenWithDefaultApplication, kOpenNever, kOpenWithDefaultApplication,
                                     kOpenWithSpecificApplication};
    for (int i = 0; i < 4; ++i) {
        Preferences preferences = defaults();
        preferences.wordProcessing.openMode = stored[i];
        preferences.spreadsheet.openMode = stored[i];
        assignCString(preferences.wordProcessing.appName, "writer");
        resolveOpenModes(preferences);
        EXPECT_EQ(preferences.wordProcessing.openMode, resolved[i]) << stored[i];
        EXPECT_EQ(preferences.spreadsheet.openMode, resolved[i]) << stored[i];
        EXPECT_EQ(utf16ToUtf8String(preferences.wordProcessing.appName.view()), "writer");
    }
}

}  // namespace
