#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/files/AppFolders.h"
#include "package/compound/CPPSFile.h"
#include "package/compound/CPPSStream.h"
#include "platform/files/Folders.h"
#include "platform/process/AllocationFailure.h"
#include "tests/package/CompoundFileBuilder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

using testsupport::CompoundFileBuilder;

namespace {

std::string pattern(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + static_cast<char>(i % 251));
    return bytes;
}

class CompoundFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Temporary copies go to a folder of the test's own, so that it can tell none is left behind.
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, folder.file("cache/"));
        setUpTemporaryFilesFolder();
        temporaries = std::filesystem::path(folder.path()) / "cache" / "Vostrandimeko temporary files";
    }
    void TearDown() override {
        EXPECT_TRUE(std::filesystem::is_empty(temporaries)) << "a temporary file was left behind";
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "");
    }

    PascalWString write(const std::string& bytes) {
        EXPECT_TRUE(testsupport::writeBytes(folder.file("input.bin"), bytes));
        return makePascal(u"input.bin");
    }
    PascalWString folderName() const { return makePascal(std::u16string(folder.path().begin(), folder.path().end())); }

    // The code the reader fails with, 0 when it opens.
    std::int16_t openCode(const std::string& bytes) {
        const PascalWString name = write(bytes);
        return failureCode([&] { CPPSFile file(name, folderName()); });
    }

    // The bytes of the named stream, as CPPSStream copies them.
    std::string streamBytes(CPPSFile& file, std::int32_t start, const char* name, std::int16_t recursive) {
        CPPSStream stream(&file, start, name, recursive);
        std::uint32_t size = 0;
        EXPECT_EQ(0, stream.getSize(size));
        std::string bytes(size, '\0');
        if (size > 0) {
            EXPECT_EQ(0, stream.read(bytes.data(), static_cast<std::int32_t>(size), kFromStart, 0));
        }
        return bytes;
    }

    testsupport::TemporaryFolder folder;
    std::filesystem::path temporaries;
};

TEST_F(CompoundFileTest, StreamsAroundTheMiniStreamCutoffReadWhole) {
    // 4095 bytes live in the mini stream, 4096 in regular sectors; 64 and 512 are exact sector sizes.
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{64}, std::size_t{512}, std::size_t{4095},
                                   std::size_t{4096}, std::size_t{10000}}) {
        SCOPED_TRACE(size);
        CompoundFileBuilder builder;
        const std::int32_t small = builder.addStream(u"Small", pattern(100, 'a'));
        const std::int32_t tested = builder.addStream(u"EncryptedPackage", pattern(size, 'k'));
        builder.setChildren(0, {small, tested});
        builder.layOut();
        CPPSFile file(write(builder.bytes()), folderName());
        EXPECT_EQ(pattern(size, 'k'), streamBytes(file, file.rootIndex(), "EncryptedPackage", 0));
        EXPECT_EQ(pattern(100, 'a'), streamBytes(file, file.rootIndex(), "Small", 0));
    }
}

TEST_F(CompoundFileTest, SectorsOf4096BytesRead) {
    CompoundFileBuilder builder(12);
    const std::int32_t small = builder.addStream(u"Small", pattern(300, 'a'));
    const std::int32_t large = builder.addStream(u"Large", pattern(9000, 'b'));
    builder.setChildren(0, {small, large});
    builder.layOut();
    CPPSFile file(write(builder.bytes()), folderName());
    EXPECT_EQ(pattern(300, 'a'), streamBytes(file, file.rootIndex(), "Small", 0));
    EXPECT_EQ(pattern(9000, 'b'), streamBytes(file, file.rootIndex(), "Large", 0));
}

TEST_F(CompoundFileTest, FatBeyondTheHeaderSlotsIsFollowedThroughTheFatList) {
    // The stream's sectors are numbered past 109 x 128, so their FAT entries lie in FAT sectors that only
    // the FAT-list chain names.
    CompoundFileBuilder builder;
    builder.padSectors(14100);
    const std::int32_t stream = builder.addStream(u"EncryptedPackage", pattern(20000, 'e'));
    builder.setChildren(0, {stream});
    builder.layOut();
    ASSERT_GT(builder.fatSectorCount(), 109u);
    ASSERT_GT(builder.startSector(stream), 109u * 128u);
    CPPSFile file(write(builder.bytes()), folderName());
    EXPECT_EQ(pattern(20000, 'e'), streamBytes(file, file.rootIndex(), "EncryptedPackage", 0));
}

TEST_F(CompoundFileTest, NamesFoundByTheirEightBitForm) {
    CompoundFileBuilder builder;
    const std::int32_t summary = builder.addStream(u"\u0005SummaryInformation", "summary");
    const std::int32_t storage = builder.addStorage(u"Storage");
    const std::int32_t nested = builder.addStream(u"EncryptedPackage", "nested");
    // A name whose length field claims far more than 32 units is read as its first 32.
    const std::int32_t longName = builder.addStream(u"abcdefghijklmnopqrstuvwxyz01234", "long");
    builder.setNameLength(longName, 0xFFFF);
    builder.setChildren(0, {summary, storage, longName});
    builder.setChildren(storage, {nested});
    builder.layOut();
    CPPSFile file(write(builder.bytes()), folderName());
    const std::int32_t root = file.rootIndex();

    EXPECT_EQ(1, file.hasEntry(root, "fSummaryInformation", 0));
    EXPECT_EQ(0, file.hasEntry(root, "\x05SummaryInformation", 0));
    EXPECT_EQ(0, file.hasEntry(root, "encryptedpackage", 1));
    // One storage below the root: only a recursive search reaches it.
    EXPECT_EQ(0, file.hasEntry(root, "EncryptedPackage", 0));
    EXPECT_EQ("nested", streamBytes(file, root, "EncryptedPackage", 1));
    EXPECT_EQ("nested", streamBytes(file, file.storageIndex(root, "Storage"), "EncryptedPackage", 0));
    EXPECT_EQ(root, file.storageIndex(root, nullptr));
    EXPECT_EQ(compound::kNoEntry, file.storageIndex(root, "fSummaryInformation"));
    EXPECT_EQ("long", streamBytes(file, root, "abcdefghijklmnopqrstuvwxyz01234", 0));
    // A missing stream fails with 12 and leaves no temporary file.
    EXPECT_EQ(12, failureCode([&] { CPPSStream stream(&file, root, "Missing", 1); }));
}

TEST_F(CompoundFileTest, RootWithoutChildrenFindsOnlyItself) {
    CompoundFileBuilder builder;
    builder.layOut();
    CPPSFile file(write(builder.bytes()), folderName());
    EXPECT_EQ(0, file.hasEntry(file.rootIndex(), "EncryptedPackage", 1));
    EXPECT_EQ(0, file.hasEntry(file.rootIndex(), "", 1));
    EXPECT_EQ(1, file.hasEntry(file.rootIndex(), "Root Entry", 0));
}

TEST_F(CompoundFileTest, CyclicChainsEndWhereTheyMeetThemselves) {
    CompoundFileBuilder builder;
    const std::int32_t stream = builder.addStream(u"Large", pattern(5000, 'c'));
    const std::int32_t small = builder.addStream(u"Small", pattern(300, 's'));
    builder.setChildren(0, {stream, small});
    builder.setDirectorySectors(2);
    builder.layOut();
    // The stream's fourth sector leads back to its first; the small stream's second mini sector to its
    // first; the directory's second sector back to its first.
    const std::uint32_t first = builder.startSector(stream);
    builder.fat()[first + 3] = first;
    builder.miniFat()[builder.startSector(small) + 1] = builder.startSector(small);
    builder.fat()[builder.directoryStart() + 1] = builder.directoryStart();
    CPPSFile file(write(builder.bytes()), folderName());
    EXPECT_EQ(pattern(5000, 'c').substr(0, 4 * 512), streamBytes(file, file.rootIndex(), "Large", 0));
    EXPECT_EQ(pattern(300, 's').substr(0, 2 * 64), streamBytes(file, file.rootIndex(), "Small", 0));
}

TEST_F(CompoundFileTest, CyclicSiblingTreesEndTheSearch) {
    CompoundFileBuilder builder;
    const std::int32_t storage = builder.addStorage(u"Storage");
    const std::int32_t a = builder.addStream(u"A", "a");
    const std::int32_t b = builder.addStream(u"B", "b");
    builder.setChildren(0, {storage});
    builder.setChildren(storage, {a});
    // A's siblings lead back to B and B's to the storage above and to A: every link is a loop.
    builder.setSiblings(a, b, a);
    builder.setSiblings(b, storage, a);
    builder.layOut();
    CPPSFile file(write(builder.bytes()), folderName());
    EXPECT_EQ(0, file.hasEntry(file.rootIndex(), "Missing", 1));
    EXPECT_EQ("b", streamBytes(file, file.rootIndex(), "B", 1));
}

TEST_F(CompoundFileTest, ChainThatEndsEarlyYieldsWhatItHas) {
    CompoundFileBuilder builder;
    const std::int32_t stream = builder.addStream(u"Large", pattern(5000, 'c'));
    builder.setChildren(0, {stream});
    builder.layOut();
    builder.fat()[builder.startSector(stream) + 1] = 0xFFFFFFFEu;
    CPPSFile file(write(builder.bytes()), folderName());
    EXPECT_EQ(pattern(5000, 'c').substr(0, 2 * 512), streamBytes(file, file.rootIndex(), "Large", 0));
}

TEST_F(CompoundFileTest, DamagedFilesFailWithTheirCodes) {
    CompoundFileBuilder builder;
    const std::int32_t stream = builder.addStream(u"EncryptedPackage", pattern(5000, 'c'));
    builder.setChildren(0, {stream});
    builder.layOut();
    const std::string good = builder.bytes();
    auto patched = [&](std::size_t at, std::uint32_t value) {
        std::string bytes = good;
        for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
        return bytes;
    };
    struct Case {
        const char* title;
        std::string bytes;
        std::int16_t code;
    };
    const Case cases[] = {
        {"empty file", "", compound::kNotCompoundFile},
        {"zip package", "PK\x03\x04" + std::string(600, '\0'), compound::kNotCompoundFile},
        {"signature only", good.substr(0, 8), 38},
        {"truncated after the header", good.substr(0, 512), compound::kBadFat},
        {"truncated inside the FAT", good.substr(0, good.size() - 300), 38},
        {"sector size 1024", patched(0x1E, 0x000A | (6u << 16)), compound::kBadFat},
        {"FAT sector count beyond the file", patched(0x2C, 0x00FFFFFF), compound::kBadFat},
        {"FAT list chain missing", patched(0x2C, 110), compound::kBadFat},
        {"directory chain starts free", patched(0x30, 0xFFFFFFFF), compound::kBadDirectoryChain},
        {"directory chain starts outside the FAT", patched(0x30, 1000000), compound::kBadDirectoryChain},
        {"no directory", patched(0x30, 0xFFFFFFFE), compound::kNoDirectory},
        {"mini FAT chain at a FAT-list mark", patched(0x3C, 0xFFFFFFFD), compound::kBadMiniFatChain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(c.code, openCode(c.bytes));
    }
}

TEST_F(CompoundFileTest, DirectoryWithoutRootFails) {
    CompoundFileBuilder builder;
    builder.layOut();
    std::string bytes = builder.bytes();
    const std::size_t directory = (builder.directoryStart() + 1) * 512;
    bytes[directory + 66] = 1;  // the root becomes a plain storage
    EXPECT_EQ(compound::kNoRootEntry, openCode(bytes));
}

TEST_F(CompoundFileTest, TemporaryCopyOfTheMiniStreamGoesWithTheReader) {
    CompoundFileBuilder builder;
    const std::int32_t stream = builder.addStream(u"Small", "small");
    builder.setChildren(0, {stream});
    builder.layOut();
    {
        CPPSFile file(write(builder.bytes()), folderName());
        EXPECT_FALSE(std::filesystem::is_empty(temporaries));
    }
    EXPECT_TRUE(std::filesystem::is_empty(temporaries));
}

// Every allocation of loading a file and copying a stream, failed in turn, raises 12 and leaves no
// temporary file behind (the sanitizer build checks that nothing leaks).
TEST_F(CompoundFileTest, LackOfMemoryFailsWith12AndLeavesNothing) {
    CompoundFileBuilder builder;
    const std::int32_t storage = builder.addStorage(u"Storage");
    const std::int32_t small = builder.addStream(u"Small", pattern(300, 's'));
    const std::int32_t large = builder.addStream(u"EncryptedPackage", pattern(5000, 'e'));
    builder.setChildren(0, {storage, large});
    builder.setChildren(storage, {small});
    builder.layOut();
    const PascalWString name = write(builder.bytes());
    for (std::int64_t n = 1;; ++n) {
        platform::failNthAllocation(n);
        const std::int16_t code = failureCode([&] {
            CPPSFile file(name, folderName());
            CPPSStream encrypted(&file, file.rootIndex(), "EncryptedPackage", 0);
            CPPSStream nested(&file, file.rootIndex(), "Small", 1);
        });
        platform::disarmAllocationFailure();
        EXPECT_TRUE(std::filesystem::is_empty(temporaries)) << n;
        if (code == 0) {
            EXPECT_GT(n, 10);
            break;
        }
        ASSERT_EQ(12, code) << n;
    }
}

}  // namespace
