#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "foundation/CFail.h"
#include "foundation/files/AppFolders.h"
#include "platform/files/FileName.h"
#include "platform/files/Folders.h"
#include "tests/support/TemporaryFolder.h"

namespace {

PascalWString pascalOf(const std::string& bytes) {
    return makePascal(platform::fileNameFromBytes(bytes));
}

// Points the system's folders into a test folder and back.
class AppFoldersTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (auto which : {platform::Folder::TemporaryFiles, platform::Folder::Program, platform::Folder::Desktop}) {
            platform::overrideFolderForTesting(which, "");
        }
    }
    testsupport::TemporaryFolder folder;
};

std::int16_t setUpFailure() {
    try {
        setUpTemporaryFilesFolder();
    } catch (const CFail& fail) {
        return fail.error;
    }
    return 0;
}

TEST_F(AppFoldersTest, TheTemporaryFilesFolderIsCreatedWithAMissingCacheFolderAbove) {
    const std::string cache = folder.file("home/.cache/");
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, cache);
    EXPECT_EQ(setUpFailure(), 0);
    const std::string expected = cache + "Vostrandimeko temporary files/";
    EXPECT_EQ(temporaryFilesFolder(), pascalOf(expected));
    EXPECT_TRUE(std::filesystem::is_directory(expected));
    EXPECT_EQ(setUpFailure(), 0);  // an existing folder is fine
    EXPECT_EQ(folderSetUpFailurePath().length(), 0);
}

TEST_F(AppFoldersTest, AFileInPlaceOfTheFolderStopsTheSetUpAndIsKept) {
    struct Case {
        const char* what;
        std::string cache;
        std::string blocker;
    };
    const Case cases[] = {
        {"a file named like the folder", folder.file("c1/"), folder.file("c1/Vostrandimeko temporary files")},
        {"a file in place of the cache folder", folder.file("c2/"), folder.file("c2")},
    };
    std::filesystem::create_directory(folder.file("c1"));
    for (const Case& c : cases) {
        std::ofstream(c.blocker) << "user data";
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, c.cache);
        EXPECT_EQ(setUpFailure(), 20) << c.what;
        std::ifstream kept(c.blocker);
        std::stringstream text;
        text << kept.rdbuf();
        EXPECT_EQ(text.str(), "user data") << c.what;
        std::string named = c.blocker;
        if (named.back() != '/') named += '/';
        EXPECT_EQ(folderSetUpFailurePath(), pascalOf(named)) << c.what;
    }
}

TEST_F(AppFoldersTest, FoldersThatDoNotFitRaise206) {
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "/" + std::string(240, 'x'));
    EXPECT_EQ(setUpFailure(), 206);
    platform::overrideFolderForTesting(platform::Folder::Program, "/" + std::string(300, 'p'));
    EXPECT_THROW(appFolder(nullptr), CFail);
    platform::overrideFolderForTesting(platform::Folder::Program, "/opt/vdk/");
    const std::u16string longName(260, u's');
    try {
        appFolder(longName.c_str());
        ADD_FAILURE() << "a sub-folder name of 260 units was taken";
    } catch (const CFail& fail) {
        EXPECT_EQ(fail.error, 206);
    }
}

TEST_F(AppFoldersTest, AppFolderAndDesktopEndWithTheSeparator) {
    platform::overrideFolderForTesting(platform::Folder::Program, "/opt/vdk/bin");
    EXPECT_EQ(*appFolder(nullptr), makePascal(u"/opt/vdk/bin/"));
    EXPECT_EQ(*appFolder(u"Targets"), makePascal(u"/opt/vdk/bin/Targets/"));
    EXPECT_EQ(appFolder(nullptr), appFolder(u"Help"));  // one shared string

    platform::overrideFolderForTesting(platform::Folder::Desktop, folder.file("Desk\xE9"));
    setUpDesktopFolder();
    EXPECT_EQ(desktopFolder(), pascalOf(folder.file("Desk\xE9/")));
}

}  // namespace
