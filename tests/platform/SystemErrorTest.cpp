#include <gtest/gtest.h>

#include <cerrno>

#include "platform/process/SystemError.h"

namespace {

struct ErrnoCase {
    int errnoValue;
    std::int16_t expected;
};

TEST(SystemError, MapsPosixErrorsToTheNumbersCallersTestFor) {
    const ErrnoCase cases[] = {
        {0, 0},       {ENOENT, 2},  {ENOTDIR, 3}, {EMFILE, 4},   {EACCES, 5},         {EPERM, 5},
        {EROFS, 5},   {EISDIR, 5},  {EEXIST, 80}, {ENOSPC, 112}, {ENAMETOOLONG, 206},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::errorFromErrno(c.errnoValue), c.expected) << c.errnoValue;
    EXPECT_NE(platform::errorFromErrno(EIO), 0);
}

TEST(SystemError, AnExistingFolderIs183) {
    EXPECT_EQ(platform::folderErrorFromErrno(EEXIST), 183);
    EXPECT_EQ(platform::folderErrorFromErrno(ENOENT), 2);
}

}  // namespace
