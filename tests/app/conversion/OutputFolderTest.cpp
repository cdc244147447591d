#include "app/conversion/OutputFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "platform/files/Folders.h"
#include "tests/support/TemporaryFolder.h"

namespace {

// The user's answers, in order: a parent folder and a name, or cancel.
struct Answer {
    std::string parent;
    std::string name;
    bool cancel = false;
};
std::deque<Answer> answers;
std::vector<std::string> prompts;

std::int16_t scriptedChooser(PascalWString& name, PascalWString& folder, const char16_t* title) {
    prompts.push_back(title != nullptr ? utf16ToUtf8String(title) : "<usual>");
    if (answers.empty() || answers.front().cancel) return result::kStopQuietly;
    assignCString(folder, answers.front().parent.c_str());
    assignCString(name, answers.front().name.c_str());
    answers.pop_front();
    return 0;
}

std::string text(const PascalWString& value) {
    return utf16ToUtf8String(value.view());
}

class OutputFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearPreferences(preferences);
        answers.clear();
        prompts.clear();
        std::filesystem::create_directories(temporary.path() + "out");
        platform::overrideFolderForTesting(platform::Folder::Documents, temporary.path() + "Documents/");
    }
    void TearDown() override { platform::overrideFolderForTesting(platform::Folder::Documents, ""); }

    // The folder answered, or "<same>" for the original's folder.
    std::string resolve() {
        FamilyPreferences* family = &preferences.wordProcessing;
        const PascalWString* folder = resolveOutputFolder(&family, scriptedChooser);
        return folder == nullptr ? "<same>" : text(*folder);
    }

    Preferences preferences;
    testsupport::TemporaryFolder temporary;
};

TEST_F(OutputFolderTest, EachModeGivesItsFolder) {
    FamilyPreferences& family = preferences.wordProcessing;
    EXPECT_EQ(resolve(), "<same>");

    family.saveMode = kSaveInSpecificFolder;
    assignCString(family.storedParent, temporary.path().c_str());
    assignCString(family.storedName, "out");
    EXPECT_EQ(resolve(), temporary.path() + "out/");

    family.saveMode = kSaveInConvertedFilesFolder;
    EXPECT_EQ(resolve(), temporary.path() + "Documents/Vostrandimeko converted files/");

    family.saveMode = kSaveChooseWhileConverting;
    answers = {{temporary.path(), "out"}};
    EXPECT_EQ(resolve(), temporary.path() + "out/");
    EXPECT_EQ(family.saveMode, kSaveChooseWhileConverting);
    EXPECT_EQ(prompts, std::vector<std::string>{"<usual>"}) << "only mode 2 asks";
}

TEST_F(OutputFolderTest, MissingStoredFolderIsAskedForEveryTimeIntoTheCurrentDestination) {
    FamilyPreferences& family = preferences.wordProcessing;
    family.saveMode = kSaveInSpecificFolder;
    assignCString(family.storedParent, temporary.path().c_str());
    assignCString(family.storedName, "gone");
    answers = {{temporary.path(), "out"}, {temporary.path(), "out"}};
    EXPECT_EQ(resolve(), temporary.path() + "out/");
    EXPECT_EQ(resolve(), temporary.path() + "out/");
    EXPECT_EQ(prompts, std::vector<std::string>(2, "The folder 'gone' is either missing or locked. Please select another folder."));
    EXPECT_EQ(text(family.storedName), "gone");
    EXPECT_EQ(text(family.currentName), "out");
}

TEST_F(OutputFolderTest, ChosenFolderThatDoesNotExistIsAskedAgainAndTheModeBecomesSpecific) {
    FamilyPreferences& family = preferences.wordProcessing;
    family.saveMode = kSaveChooseWhileConverting;
    answers = {{temporary.path(), "nowhere"}, {"/", ""}};
    EXPECT_EQ(resolve(), "/");
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[1], "The folder 'nowhere' is either missing or locked. Please select another folder.");
    EXPECT_EQ(text(family.currentDrive), "/") << "a whole drive was chosen";
    EXPECT_EQ(family.saveMode, kSaveInSpecificFolder);
}

TEST_F(OutputFolderTest, CancelledQuestionEndsTheFile) {
    preferences.wordProcessing.saveMode = kSaveChooseWhileConverting;
    answers = {{"", "", true}};
    try {
        resolve();
        ADD_FAILURE() << "a cancelled question gave a folder";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, result::kStopQuietly);
    }
}

}  // namespace
