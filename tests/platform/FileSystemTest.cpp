#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/files/FileName.h"
#include "platform/files/FileSystem.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::NativePath;

using testsupport::writeBytes;

NativePath pathOf(const std::string& bytes) {
    return NativePath::fromNarrow(bytes);
}

// Opens the file for reading and closes it again; the answer of the open.
std::int16_t openOf(const std::string& path) {
    platform::FileHandle handle = platform::kNoFile;
    const std::int16_t code = platform::openFile(pathOf(path), true, false, handle);
    platform::closeFile(handle);
    return code;
}

std::string lastSystemError() {
    return std::strerror(errno);
}

// Makes queryItem answer as where statx is refused, for the life of the object.
class StatxRefused {
public:
    StatxRefused() { platform::refuseStatxForTesting(true); }
    ~StatxRefused() { platform::refuseStatxForTesting(false); }
    StatxRefused(const StatxRefused&) = delete;
    StatxRefused& operator=(const StatxRefused&) = delete;
};

// ---- the file-name mapping --------------------------------------------------------------------

struct NameCase {
    const char* what;
    std::string bytes;
    std::u16string name;
};

TEST(FileName, MapsValidUtf8ToCharactersAndEveryOtherByteToAnEscape) {
    const NameCase cases[] = {
        {"ASCII", "plain.txt", u"plain.txt"},
        {"two-byte character", "caf\xC3\xA9", u"caf\u00E9"},
        {"character outside the BMP", "\xF0\x9F\x98\x80.doc", u"\U0001F600.doc"},
        {"byte 0xFF", "bad\xFF", u"bad\xDCFF"},
        {"Latin-1 text", "\xE9t\xE9", u"\xDCE9t\xDCE9"},
        {"sequence cut off at the end", "x\xC3", u"x\xDCC3"},
        {"overlong form of '/'", "\xC0\xAF", u"\xDCC0\xDCAF"},
        {"encoded surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
        {"lone continuation byte", "a\x80" "b", u"a\xDC80" u"b"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(platform::fileNameFromBytes(c.bytes), c.name) << c.what;
        EXPECT_EQ(platform::fileNameToBytes(c.name), c.bytes) << c.what;
    }
}

TEST(FileName, EveryByteStringSurvivesTheRoundTrip) {
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(platform::fileNameToBytes(platform::fileNameFromBytes(one)), one) << b;
    }
    std::mt19937 generator(20240611);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(round % 17 + 1), ' ');
        for (char& c : bytes) c = static_cast<char>(byte(generator));
        ASSERT_EQ(platform::fileNameToBytes(platform::fileNameFromBytes(bytes)), bytes) << round;
    }
}

TEST(FileName, ALoneSurrogateOutsideTheEscapesIsWrittenInItsThreeByteForm) {
    EXPECT_EQ(platform::fileNameToBytes(u"\xD800"), "\xED\xA0\x80");
    // The same bytes read back as three escapes, which name the same file again.
    EXPECT_EQ(platform::fileNameToBytes(platform::fileNameFromBytes("\xED\xA0\x80")), "\xED\xA0\x80");
}

// ---- paths ------------------------------------------------------------------------------------

TEST(NativePath, TheNarrowFormTakesAtMost511BytesAndNoPathHoldsAZero) {
    EXPECT_EQ(NativePath::fromNarrow(std::string(511, 'a')).problem(), 0);
    EXPECT_EQ(NativePath::fromNarrow(std::string(512, 'a')).problem(), platform::error::kNameTooLong);
    EXPECT_EQ(NativePath::fromWide(std::u16string(600, u'a')).problem(), 0);
    EXPECT_EQ(NativePath::fromNarrow(std::string("a\0b", 3)).problem(), platform::error::kInvalidName);
    EXPECT_EQ(NativePath::fromWide(std::u16string(u"a\0b", 3)).problem(), platform::error::kInvalidName);
    EXPECT_EQ(NativePath::fromWide(u"d\xDCFF").bytes(), "d\xFF");
}

// ---- results of the calls ----------------------------------------------------------------------

TEST(FileSystem, AnswersTheErrorNumbersCallersTestFor) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file("file"), "data");
    std::filesystem::create_directory(folder.file("sub"));
    struct Case {
        const char* what;
        std::int16_t code;
        std::int16_t expected;
    };
    const Case cases[] = {
        {"create over a file", platform::createNewFile(pathOf(folder.file("file"))), 80},
        {"create over a folder", platform::createNewFile(pathOf(folder.file("sub"))), 80},
        {"create in a missing folder", platform::createNewFile(pathOf(folder.file("none/x"))), 2},
        {"open a missing file", openOf(folder.file("missing")), 2},
        {"open below a file", openOf(folder.file("file/x")), 3},
        {"open a folder as a file", openOf(folder.file("sub")), 5},
        {"open a file", openOf(folder.file("file")), 0},
        {"delete a folder", platform::deleteFile(pathOf(folder.file("sub"))), 5},
        {"delete a missing file", platform::deleteFile(pathOf(folder.file("missing"))), 2},
        {"create an existing folder", platform::createFolder(pathOf(folder.file("sub"))), 183},
        {"create a folder where a file is", platform::createFolder(pathOf(folder.file("file"))), 183},
        {"create a folder in a missing one", platform::createFolder(pathOf(folder.file("none/x"))), 2},
        {"a path with a zero", platform::createFolder(NativePath::fromNarrow(std::string("a\0b", 3))), 123},
        {"a narrow path too long", platform::createNewFile(pathOf(std::string(600, 'a'))), 206},
    };
    for (const Case& c : cases) EXPECT_EQ(c.code, c.expected) << c.what;
}

TEST(FileSystem, OpeningAFifoNeverBlocksAndFailsWith5) {
    testsupport::TemporaryFolder folder;
    if (mkfifo(folder.file("pipe").c_str(), 0600) != 0) GTEST_SKIP() << "the file system refuses a FIFO: " << lastSystemError();
    EXPECT_EQ(openOf(folder.file("pipe")), 5);
}

TEST(FileSystem, ReadsWhatThereIsAndRefusesBadPositionsAndCounts) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file("f"), "0123456789");
    platform::FileHandle handle = platform::kNoFile;
    ASSERT_EQ(platform::openFile(pathOf(folder.file("f")), true, true, handle), 0);

    char buffer[32] = {};
    std::int32_t bytesRead = -1;
    EXPECT_EQ(platform::seekFile(handle, platform::kFromStart, 7, nullptr), 0);
    EXPECT_EQ(platform::readFile(handle, buffer, 10, bytesRead), 0);
    EXPECT_EQ(bytesRead, 3);
    EXPECT_EQ(std::string(buffer, 3), "789");

    std::int64_t position = 0;
    EXPECT_EQ(platform::seekFile(handle, platform::kFromEnd, -4, &position), 0);
    EXPECT_EQ(position, 6);
    EXPECT_EQ(platform::seekFile(handle, platform::kFromStart, -1, nullptr), platform::error::kNegativeSeek);
    EXPECT_EQ(platform::seekFile(handle, 3, 0, nullptr), platform::error::kInvalidParameter);
    EXPECT_EQ(platform::readFile(handle, buffer, -1, bytesRead), platform::error::kInvalidParameter);
    EXPECT_EQ(platform::writeFile(handle, nullptr, 4), platform::error::kInvalidParameter);
    EXPECT_EQ(platform::setFileLength(handle, -1), platform::error::kInvalidParameter);

    EXPECT_EQ(platform::setFileLength(handle, 4), 0);
    std::uint64_t size = 0;
    EXPECT_EQ(platform::fileSize(handle, size), 0);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(platform::closeFile(handle), 0);
    EXPECT_EQ(handle, platform::kNoFile);

    EXPECT_EQ(platform::readFile(handle, buffer, 1, bytesRead), platform::error::kNotOpen);
    EXPECT_EQ(platform::writeFile(handle, buffer, 1), platform::error::kNotOpen);
    EXPECT_EQ(platform::fileSize(handle, size), platform::error::kNotOpen);
    EXPECT_EQ(platform::closeFile(handle), 0);
}

TEST(FileSystem, QueriesKindHiddenSizeAndTimes) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file(".profile"), "abc");
    std::filesystem::create_directory(folder.file("docs"));

    platform::ItemInfo info;
    ASSERT_EQ(platform::queryItem(pathOf(folder.file(".profile")), info), 0);
    EXPECT_FALSE(info.isFolder);
    EXPECT_TRUE(info.isHidden);
    EXPECT_EQ(info.size, 3u);
    EXPECT_NE(info.creationTime, 0u);

    ASSERT_EQ(platform::queryItem(pathOf(folder.file("docs/")), info), 0);
    EXPECT_TRUE(info.isFolder);
    EXPECT_FALSE(info.isHidden);
    EXPECT_EQ(platform::queryItem(pathOf(folder.file("missing")), info), 2);

    const std::uint32_t noon = 1700000000;  // 2023-11-14
    EXPECT_EQ(platform::setItemTimes(pathOf(folder.file(".profile")), nullptr, &noon), 0);
    ASSERT_EQ(platform::queryItem(pathOf(folder.file(".profile")), info), 0);
    EXPECT_EQ(info.modificationTime, noon);
    EXPECT_EQ(platform::setItemTimes(pathOf(folder.file("missing")), nullptr, &noon), 2);
}

TEST(FileSystem, QueriesWithStatWhereStatxIsRefused) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file(".profile"), "abc");
    std::filesystem::create_directory(folder.file("docs"));
    const std::uint32_t noon = 1700000000;
    ASSERT_EQ(platform::setItemTimes(pathOf(folder.file(".profile")), nullptr, &noon), 0);

    const StatxRefused refused;
    platform::ItemInfo info;
    ASSERT_EQ(platform::queryItem(pathOf(folder.file(".profile")), info), 0);
    EXPECT_FALSE(info.isFolder);
    EXPECT_TRUE(info.isHidden);
    EXPECT_EQ(info.size, 3u);
    EXPECT_EQ(info.modificationTime, noon);
    EXPECT_EQ(info.creationTime, noon) << "stat keeps no birth time: the modification time stands in";
    ASSERT_EQ(platform::queryItem(pathOf(folder.file("docs/")), info), 0);
    EXPECT_TRUE(info.isFolder);
    EXPECT_EQ(platform::queryItem(pathOf(folder.file("missing")), info), 2);
    EXPECT_EQ(platform::queryItem(pathOf(folder.file(".profile/x")), info), 3);
}

TEST(FileSystem, ALinkTargetIsReadWholeWhateverItsLength) {
    testsupport::TemporaryFolder folder;
    // Around the sizes the buffer takes as it grows: a target that fills a buffer exactly must not be
    // taken for a whole one.
    for (const std::size_t length : {1, 255, 256, 257, 511, 512, 513, 1024, 4000}) {
        const std::string target(length, 't');
        const std::string link = folder.file("link" + std::to_string(length));
        if (::symlink(target.c_str(), link.c_str()) != 0) {
            GTEST_SKIP() << "the file system refuses a link to " << length << " bytes: " << lastSystemError();
        }
        std::string read = "unchanged";
        ASSERT_EQ(platform::readLinkTarget(pathOf(link), read), 0) << length;
        EXPECT_EQ(read.size(), length);
        EXPECT_TRUE(read == target) << length;
    }
    std::string read;
    EXPECT_EQ(platform::readLinkTarget(pathOf(folder.file("missing")), read), 2);
    writeBytes(folder.file("plain"), "x");
    EXPECT_NE(platform::readLinkTarget(pathOf(folder.file("plain")), read), 0) << "a plain file is no link";
}

// The names in a folder's listing, in the narrow form.
std::vector<std::string> narrowListing(const std::string& path) {
    platform::FolderListing* listing = nullptr;
    std::vector<std::string> names;
    if (platform::openFolderListing(pathOf(path), listing) != 0) return {"<cannot list>"};
    for (std::string name; listing->nextNarrow(name);) names.push_back(name);
    platform::closeFolderListing(listing);
    return names;
}

TEST(FileSystem, ListingsAreSortedAndShowHiddenEntries) {
    testsupport::TemporaryFolder folder;
    for (const char* name : {"b", "a", ".hidden", "C", "z\xC3\xA9"}) writeBytes(folder.file(name), "x");
    std::filesystem::create_directory(folder.file("sub"));

    const std::vector<std::string> expected = {".hidden", "C", "a", "b", "sub", "z\xC3\xA9"};
    EXPECT_EQ(narrowListing(folder.path()), expected);

    platform::FolderListing* listing = nullptr;
    ASSERT_EQ(platform::openFolderListing(NativePath::fromWide(u"" + platform::fileNameFromBytes(folder.path())), listing), 0);
    std::vector<std::u16string> wide;
    for (std::u16string name; listing->nextWide(name);) wide.push_back(name);
    platform::closeFolderListing(listing);
    EXPECT_EQ(listing, nullptr);
    ASSERT_EQ(wide.size(), expected.size());
    EXPECT_EQ(wide[5], u"z\u00E9");

    EXPECT_EQ(platform::openFolderListing(pathOf(folder.file("missing")), listing), 2);
    EXPECT_EQ(listing, nullptr);
    EXPECT_EQ(platform::openFolderListing(pathOf(folder.file("a")), listing), 3);
}

TEST(FileSystem, ListingsNeverShowALinkToAFolder) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file("a"), "x");
    std::filesystem::create_directory(folder.file("sub"));
    if (::symlink(folder.file("sub").c_str(), folder.file("linkToSub").c_str()) != 0 ||
        ::symlink(folder.file("a").c_str(), folder.file("linkToA").c_str()) != 0) {
        GTEST_SKIP() << "the file system refuses symbolic links: " << lastSystemError();
    }
    EXPECT_EQ(narrowListing(folder.path()), (std::vector<std::string>{"a", "linkToA", "sub"}));
}

TEST(FileSystem, ANameThatIsNotUtf8IsListedAsItsEscapesAndOpensAgain) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file("b"), "x");
    if (!writeBytes(folder.file("\xFF" "raw"), "raw")) {
        GTEST_SKIP() << "the file system refuses a name that is not UTF-8: " << lastSystemError();
    }
    EXPECT_EQ(narrowListing(folder.path()), (std::vector<std::string>{"b", "\xFF" "raw"}));

    platform::FolderListing* listing = nullptr;
    ASSERT_EQ(platform::openFolderListing(NativePath::fromWide(platform::fileNameFromBytes(folder.path())), listing), 0);
    std::vector<std::u16string> wide;
    for (std::u16string name; listing->nextWide(name);) wide.push_back(name);
    platform::closeFolderListing(listing);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[1], u"\xDCFFraw");
    platform::FileHandle handle = platform::kNoFile;
    ASSERT_EQ(platform::openFile(NativePath::fromWide(platform::fileNameFromBytes(folder.path()) + wide[1]), true, false, handle), 0);
    platform::closeFile(handle);
}

}  // namespace
