#include <gtest/gtest.h>

#include "platform/files/Folders.h"

namespace {

TEST(Folders, ProgramFolderIsTheTestExecutablesFolder) {
    const std::string folder = platform::programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), platform::kPathSeparator);
    EXPECT_NE(folder.find("tests"), std::string::npos);
}

TEST(Folders, EveryFolderCanBeOverriddenAndRestored) {
    using platform::Folder;
    const struct {
        Folder which;
        std::string (*query)();
    } folders[] = {
        {Folder::Program, platform::programFolder},
        {Folder::ApplicationData, platform::applicationDataFolder},
        {Folder::Desktop, platform::desktopFolder},
        {Folder::Documents, platform::documentsFolder},
        {Folder::TemporaryFiles, platform::temporaryFilesFolder},
    };
    for (const auto& f : folders) {
        const std::string system = f.query();
        EXPECT_EQ(system.back(), '/');
        platform::overrideFolderForTesting(f.which, "/tmp/elsewhere");
        EXPECT_EQ(f.query(), "/tmp/elsewhere/");
        platform::overrideFolderForTesting(f.which, "");
        EXPECT_EQ(f.query(), system);
    }
}

}  // namespace
