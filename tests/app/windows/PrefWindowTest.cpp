// The preferences window on the headless window system: what it lists, what each control stores in
// the record, Cancel and "This time only", and the record it writes read by the command line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/conversion/TranslatorTables.h"
#include "app/settings/PreferencesFile.h"
#include "app/windows/CPrefWindow.h"
#include "engine/ProgramPreferences.h"
#include "engine/translators/CTranslator.h"
#include "platform/files/FileName.h"
#include "platform/files/Folders.h"
#include "platform/windows/HeadlessWindowSystem.h"
#include "tests/app/conversion/StopDuringBatch.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;
namespace id = prefwindow;
using platform::HeadlessWindowSystem;

// Runs a step on the preferences window once it shows; the step posts what a person would do.
class OnPreferences : public platform::WindowObserver {
public:
    std::function<void(platform::Dialog*)> step;
    void dialogShown(platform::Dialog* dialog, const std::string& name) override {
        if (name == "PrefWindow" && step) step(dialog);
    }
};

class PrefWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setWindowSystem(&windows);
        windows.setObserver(&observer);
        platform::overrideFolderForTesting(platform::Folder::ApplicationData, folder.file("config/"));
        clearPreferences(record);
        record.soundsFolder = makePascal(u"/nonexistent/sounds/");
        record.soundName = makePascal(u"Chime.wav");
    }
    void TearDown() override {
        windows.setObserver(nullptr);
        platform::setWindowSystem(nullptr);
        platform::overrideFolderForTesting(platform::Folder::ApplicationData, "");
    }

    std::int32_t entryOf(platform::Dialog* dialog, std::uint16_t control, const std::string& text) {
        const auto entries = windows.comboTexts(dialog, control);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i] == text) return static_cast<std::int32_t>(i);
        }
        return -1;
    }

    HeadlessWindowSystem windows;
    OnPreferences observer;
    testsupport::TemporaryFolder folder;
    CTranslator exporters{exporterTable, TranslatorDirection::exporters};
    Preferences record{};
};

TEST_F(PrefWindowTest, ListsTheOfferedFormatsAndShowsOneTabAtATime) {
    observer.step = [&](platform::Dialog* dialog) {
        EXPECT_EQ(windows.comboTexts(dialog, id::kWordProcessingFirst + id::kConvertTo),
                  (std::vector<std::string>{"RTF", "Text", "Unicode"}));
        EXPECT_EQ(windows.comboTexts(dialog, id::kSpreadsheetFirst + id::kConvertTo),
                  (std::vector<std::string>{"CSV", "Text", "Unicode"}));
        EXPECT_EQ(windows.comboSelection(dialog, id::kWordProcessingFirst + id::kConvertTo), 0);
        EXPECT_TRUE(windows.itemVisible(dialog, id::kWordProcessingFirst + id::kConvertTo));
        EXPECT_FALSE(windows.itemVisible(dialog, id::kSpreadsheetFirst + id::kConvertTo));
        EXPECT_FALSE(windows.itemVisible(dialog, id::kAskManyFiles));
        windows.setTabSelection(dialog, id::kTabs, 3);
        static_cast<CPrefWindow*>(windowFromHandle(dialog))->showTab();
        EXPECT_TRUE(windows.itemVisible(dialog, id::kAskManyFiles));
        EXPECT_FALSE(windows.itemVisible(dialog, id::kWordProcessingFirst + id::kConvertTo));
        EXPECT_FALSE(windows.itemVisible(dialog, id::kKeepLogs));
        windows.postClick(dialog, id::kCancel);
    };
    showPreferences(&record, nullptr, &exporters);
}

// Cancel, or the close box, after changing everything leaves the record byte for byte as it was.
TEST_F(PrefWindowTest, CancelAndTheCloseBoxLeaveTheRecordAsItWas) {
    for (const std::uint16_t ending : {id::kCancel, std::uint16_t{0}}) {
        std::uint8_t before[kPreferencesBytes];
        encodePreferences(record, before);
        observer.step = [&](platform::Dialog* dialog) {
            windows.postComboChoice(dialog, id::kWordProcessingFirst + id::kConvertTo, 1);
            windows.postClick(dialog, id::kWordProcessingFirst + id::kOpenConverted);
            windows.postComboChoice(dialog, id::kTabs, 2);
            windows.postClick(dialog, id::kKeepLogs);
            windows.postClick(dialog, id::kDisplayAlert);
            windows.postComboChoice(dialog, id::kTabs, 3);
            windows.postClick(dialog, id::kAskManyFiles);
            if (ending != 0) windows.postClick(dialog, ending);
        };
        EXPECT_FALSE(showPreferences(&record, nullptr, &exporters));
        std::uint8_t after[kPreferencesBytes];
        encodePreferences(record, after);
        EXPECT_EQ(std::memcmp(before, after, sizeof before), 0) << "ended with " << ending;
    }
}

TEST_F(PrefWindowTest, OkStoresEachControlInItsField) {
    record.wordProcessing.openMode = kOpenWithSpecificApplication;
    record.wordProcessing.appName = makePascal(u"editor");
    observer.step = [&](platform::Dialog* dialog) {
        windows.postComboChoice(dialog, id::kWordProcessingFirst + id::kConvertTo,
                                entryOf(dialog, id::kWordProcessingFirst + id::kConvertTo, "Unicode"));
        // Unticking and ticking "Open converted files" comes back to the default application.
        windows.postClick(dialog, id::kWordProcessingFirst + id::kOpenConverted);
        windows.postClick(dialog, id::kWordProcessingFirst + id::kOpenConverted);
        windows.postComboChoice(dialog, id::kTabs, 2);
        windows.postClick(dialog, id::kKeepLogs);
        windows.postClick(dialog, id::kDisplayAlert);
        // No sounds: ticking "Play sound:" keeps the sound that was chosen.
        windows.postClick(dialog, id::kPlaySound);
        windows.postComboChoice(dialog, id::kTabs, 3);
        windows.postClick(dialog, id::kAskManyFiles);
        windows.postClick(dialog, id::kOk);
    };
    EXPECT_TRUE(showPreferences(&record, nullptr, &exporters));
    EXPECT_STREQ(record.wordProcessing.convertTo, "Unicode");
    EXPECT_EQ(record.wordProcessing.openMode, kOpenWithDefaultApplication);
    EXPECT_EQ(std::u16string(record.wordProcessing.appName.view()), u"editor");
    EXPECT_EQ(record.logMode, kLogInDefaultFolder);
    EXPECT_EQ(record.notifyFlags, kNotifyPlaySound | kNotifyShowSummary);
    EXPECT_EQ(std::u16string(record.soundName.view()), u"Chime.wav");
    // A ticked box means "ask": unticked stores 1.
    EXPECT_EQ(record.noAskManyFiles, 1);
    EXPECT_EQ(record.noAskDefaultApp, 0);
}

TEST_F(PrefWindowTest, SoundsAreListedWithoutTheirExtension) {
    fs::create_directories(folder.file("sounds"));
    for (const char* name : {"Bell.wav", "Chime.wav", "readme.txt"}) {
        ASSERT_TRUE(testsupport::writeBytes(folder.file("sounds/") + name, "x"));
    }
    record.soundsFolder = makePascal(platform::fileNameFromBytes(folder.file("sounds/")));
    observer.step = [&](platform::Dialog* dialog) {
        EXPECT_EQ(windows.comboTexts(dialog, id::kSounds), (std::vector<std::string>{"Bell", "Chime"}));
        EXPECT_EQ(windows.comboSelection(dialog, id::kSounds), 1);
        windows.postClick(dialog, id::kCancel);
    };
    showPreferences(&record, nullptr, &exporters);
}

// "This time only" is there only for a caller that takes it; its settings are not saved.
TEST_F(PrefWindowTest, ThisTimeOnlyIsOfferedWhenAskedForAndNotSaved) {
    observer.step = [&](platform::Dialog* dialog) {
        EXPECT_FALSE(windows.itemEnabled(dialog, id::kThisTimeOnly));
        windows.postClick(dialog, id::kThisTimeOnly);
        windows.postClick(dialog, id::kCancel);
    };
    std::int16_t once = 0;
    EXPECT_FALSE(showPreferences(&record, nullptr, &exporters));

    observer.step = [&](platform::Dialog* dialog) {
        windows.postComboChoice(dialog, id::kWordProcessingFirst + id::kConvertTo, 1);
        windows.postClick(dialog, id::kThisTimeOnly);
    };
    EXPECT_TRUE(showPreferences(&record, &once, &exporters));
    EXPECT_EQ(once, 1);
    EXPECT_STREQ(record.wordProcessing.convertTo, "Text");
    Preferences saved{};
    clearPreferences(saved);
    ASSERT_EQ(readPreferencesFile(saved).state, PreferencesFileState::read);
    EXPECT_STREQ(saved.wordProcessing.convertTo, "RTF");
}

// What the window writes is what the command line reads: its next run makes text files.
TEST_F(PrefWindowTest, TheRecordTheWindowWritesConvertsTheNextCommandLineRun) {
    observer.step = [&](platform::Dialog* dialog) {
        windows.postComboChoice(dialog, id::kWordProcessingFirst + id::kConvertTo,
                                entryOf(dialog, id::kWordProcessingFirst + id::kConvertTo, "Text"));
        windows.postClick(dialog, id::kOk);
    };
    record.wordProcessing.openMode = kOpenNever;
    ASSERT_TRUE(showPreferences(&record, nullptr, &exporters));
    ASSERT_TRUE(testsupport::writeBytes(folder.file("letter.xml"), testsupport::kSmallDocument));
    const std::string command = "cd '" + folder.path() + "' && env -i HOME='" + folder.path() + "' XDG_CONFIG_HOME='" +
                                folder.file("config") + "' XDG_CACHE_HOME='" + folder.file("cache") +
                                "' PATH=/usr/bin:/bin '" VDK_PROGRAM "' letter.xml >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(fs::exists(folder.file("letter.txt")));
    EXPECT_FALSE(fs::exists(folder.file("letter.rtf")));
}

}  // namespace
