#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/FileSystem.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::NativePath;

using testsupport::readBytes;
using testsupport::writeBytes;

TEST(ReplaceFile, MovesAFileOverAnotherAndRefusesFolders) {
    testsupport::TemporaryFolder folder;
    const std::string from = folder.file("new.xml");
    const std::string to = folder.file("old.xml");
    writeBytes(from, "new");
    writeBytes(to, "old");

    EXPECT_EQ(platform::replaceFile(NativePath::fromNarrow(from), NativePath::fromNarrow(to)), 0);
    EXPECT_EQ(readBytes(to), "new");
    EXPECT_FALSE(std::filesystem::exists(from));

    // A missing source, a folder as source or as target.
    EXPECT_EQ(platform::replaceFile(NativePath::fromNarrow(from), NativePath::fromNarrow(to)),
              platform::error::kFileNotFound);
    std::filesystem::create_directory(folder.file("sub"));
    EXPECT_EQ(platform::replaceFile(NativePath::fromNarrow(folder.file("sub")), NativePath::fromNarrow(from)),
              platform::error::kAccessDenied);
    EXPECT_EQ(platform::replaceFile(NativePath::fromNarrow(to), NativePath::fromNarrow(folder.file("sub"))),
              platform::error::kAccessDenied);
    EXPECT_EQ(readBytes(to), "new");
}

}  // namespace
