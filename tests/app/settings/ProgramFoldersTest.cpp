#include "app/settings/ProgramFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/CFail.h"
#include "foundation/files/AppFolders.h"
#include "platform/files/FileName.h"
#include "platform/files/Folders.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using testsupport::readBytes;
using testsupport::writeBytes;

std::string bytesOf(const PascalWString& text) {
    return platform::fileNameToBytes(text.view());
}

class ProgramFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::overrideFolderForTesting(platform::Folder::Documents, documents());
        platform::overrideFolderForTesting(platform::Folder::ApplicationData, temporary.path() + "config/");
    }
    void TearDown() override {
        platform::overrideFolderForTesting(platform::Folder::Documents, "");
        platform::overrideFolderForTesting(platform::Folder::ApplicationData, "");
    }
    std::string documents() const { return temporary.path() + "home/Documents/"; }

    testsupport::TemporaryFolder temporary;
};

TEST_F(ProgramFoldersTest, ProgramFolderEndsInTheSeparatorWithoutTheProgramName) {
    const std::string folder = bytesOf(programFolder());
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(bytesOf(appSubFolder(uistring::kSoundsFolder)), folder + "Sounds/");
}

TEST_F(ProgramFoldersTest, ConvertedFilesFolderIsMadeWithItsParents) {
    EXPECT_EQ(bytesOf(convertedFilesFolder()), documents() + "Vostrandimeko converted files/");
    EXPECT_TRUE(std::filesystem::is_directory(documents() + "Vostrandimeko converted files"));
}

TEST_F(ProgramFoldersTest, FileInPlaceOfAFolderIsKept) {
    std::filesystem::create_directories(documents());
    ASSERT_TRUE(writeBytes(documents() + "Vostrandimeko converted files", "mine"));
    ASSERT_TRUE(writeBytes(documents() + "Vostrandimeko logs", "mine too"));

    // The converted files then go to Documents itself.
    EXPECT_EQ(bytesOf(convertedFilesFolder()), documents());
    EXPECT_EQ(readBytes(documents() + "Vostrandimeko converted files"), "mine");

    // The logs folder stops the start-up, naming the path.
    try {
        setUpLogsFolder();
        ADD_FAILURE() << "a file in place of the logs folder was taken for it";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, result::kFileBlocksFolder);
    }
    EXPECT_EQ(bytesOf(folderSetUpFailurePath()), documents() + "Vostrandimeko logs/");
    EXPECT_EQ(readBytes(documents() + "Vostrandimeko logs"), "mine too");
}

TEST_F(ProgramFoldersTest, LanguageChoiceAndFirstRunMarker) {
    EXPECT_EQ(readLanguageFile(), 0);
    std::filesystem::create_directories(temporary.path() + "config");
    ASSERT_TRUE(writeBytes(temporary.path() + "config/Vostrandimeko.lng", std::string("\x07\x04", 2)));
    EXPECT_EQ(readLanguageFile(), 0x0407);
    ASSERT_TRUE(writeBytes(temporary.path() + "config/Vostrandimeko.lng", "\x07"));
    EXPECT_EQ(readLanguageFile(), 0) << "a short file is no choice";

    EXPECT_FALSE(firstRunMarkerPresent());
    writeFirstRunMarker();
    EXPECT_TRUE(firstRunMarkerPresent());
    writeFirstRunMarker();
    EXPECT_EQ(readBytes(temporary.path() + "config/Vostrandimeko.1st"), "");
}

}  // namespace
