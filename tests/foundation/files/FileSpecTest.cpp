#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CTypeArray.h"
#include "foundation/files/FileSpec.h"
#include "foundation/memory/Memory.h"
#include "platform/files/FileName.h"
#include "platform/process/AllocationFailure.h"
#include "tests/support/TemporaryFolder.h"

namespace {

PascalWString pascalOf(const std::string& bytes) {
    return makePascal(platform::fileNameFromBytes(bytes));
}

FileSpec specOf(std::u16string_view name, std::u16string_view folder, std::uint32_t id = 0) {
    FileSpec spec;
    clearFileSpec(spec);
    spec.name = makePascal(name);
    spec.folder = makePascal(folder);
    setFileId(spec, id);
    return spec;
}

std::vector<std::u16string> pathsIn(const CTypeArray& list) {
    std::vector<std::u16string> paths;
    for (std::int32_t i = 1; i <= list.getCount(); ++i) paths.emplace_back(fileSpecPath(*list.fileSpecAt(i)));
    return paths;
}

// ---- FileSpec -----------------------------------------------------------------------------------

TEST(FileSpec, MakeFileSpecReadsKindCodesAndHiddenFromTheFileSystem) {
    testsupport::TemporaryFolder folder;
    std::ofstream(folder.file("a.docx")) << "x";
    std::ofstream(folder.file(".notes")) << "x";
    std::filesystem::create_directory(folder.file("docs"));
    std::filesystem::create_directory(folder.file(".config"));
    struct Case {
        const char* name;
        std::uint32_t kind;
        std::uint32_t code;
        std::int16_t hidden;
    };
    const Case cases[] = {
        {"missing.docx", kindFile, 0, 0},
        {"a.docx", kindFile, kAnyFileCode, 0},
        {".notes", kindFile, kAnyFileCode, 1},
        {"docs", kindFolder, kFolderCode, 0},
        {".config", kindFolder, kFolderCode, 1},
    };
    for (const Case& c : cases) {
        FileSpec spec;
        std::memset(&spec, 0x5A, sizeof spec);
        makeFileSpec(spec, pascalOf(c.name), pascalOf(folder.path()));
        EXPECT_EQ(spec.name, pascalOf(c.name)) << c.name;
        EXPECT_EQ(spec.folder, pascalOf(folder.path())) << c.name;
        EXPECT_EQ(itemKindOf(spec), c.kind) << c.name;
        EXPECT_EQ(fileIdOf(spec), 0u) << c.name;
        EXPECT_EQ(spec.fileType, c.code) << c.name;
        EXPECT_EQ(spec.creator, c.code) << c.name;
        EXPECT_EQ(spec.hidden, c.hidden) << c.name;
        EXPECT_EQ(spec.baseFolder.length(), 0) << c.name;
        EXPECT_EQ(spec.importResult, 0) << c.name;
        EXPECT_EQ(spec.reasonText[0], '\0') << c.name;
    }
}

TEST(FileSpec, MakeFileSpecFromPathSplitsAtTheLastSeparatorAndRefusesWhatDoesNotFit) {
    FileSpec spec;
    EXPECT_EQ(makeFileSpecFromPath(spec, u"/docs/sub/a.docx"), 0);
    EXPECT_EQ(spec.name, makePascal(u"a.docx"));
    EXPECT_EQ(spec.folder, makePascal(u"/docs/sub/"));
    EXPECT_EQ(std::u16string(fileSpecPath(spec)), u"/docs/sub/a.docx");

    EXPECT_EQ(makeFileSpecFromPath(spec, u"/docs/sub/"), 0);
    EXPECT_EQ(spec.name.length(), 0);
    EXPECT_EQ(spec.folder, makePascal(u"/docs/sub/"));

    const std::u16string tooLong = u"/" + std::u16string(300, u'x');
    EXPECT_EQ(makeFileSpecFromPath(spec, tooLong.c_str()), 206);
    EXPECT_EQ(spec.name.length(), 0);
    EXPECT_EQ(spec.folder.length(), 0);
    EXPECT_EQ(makeFileSpecFromPath(spec, nullptr), 0);
}

TEST(FileSpec, KindAndIdShareOneWordWithoutDisturbingEachOther) {
    FileSpec spec = specOf(u"a", u"/");
    setItemKind(spec, kindFolder);
    setFileId(spec, 0xFFFFFFFFu);  // only 26 bits are kept
    EXPECT_EQ(itemKindOf(spec), kindFolder);
    EXPECT_EQ(fileIdOf(spec), kFileIdMask);
    setItemKind(spec, kindFile);
    EXPECT_EQ(fileIdOf(spec), kFileIdMask);
    EXPECT_EQ(spec.kindAndId & 0x20u, 0u);  // bit 5 stays clear

    FileSpec copy;
    copyFileSpec(copy, spec);
    EXPECT_EQ(std::memcmp(&copy, &spec, sizeof spec), 0);
}

// ---- CTypeArray ---------------------------------------------------------------------------------

TEST(CTypeArray, KeepsEveryDistinctFileSortedByNameThenFolder) {
    CTypeArray list;
    struct Add {
        std::u16string_view name;
        std::u16string_view folder;
        std::int32_t countAfter;
    };
    const Add adds[] = {
        {u"a.docx", u"/one/", 1},
        {u"A.DOCX", u"/two/", 2},   // same name ignoring case, another folder
        {u"a.docx", u"/two/", 3},   // same name exactly, another folder
        {u"A.docx", u"/one/", 4},   // beside a.docx in the same folder
        {u"a.docx", u"/one/", 4},   // the same file again
        {u"b.txt", u"/One/", 5},    // the folder differs in case only
        {u"b.txt", u"/one/", 6},
        {u"B.TXT", u"/one/", 7},
    };
    for (const Add& add : adds) EXPECT_EQ(list.addFileSpec(specOf(add.name, add.folder)), add.countAfter) << std::string(add.name.begin(), add.name.end());
    const std::vector<std::u16string> expected = {u"/one/A.docx", u"/one/a.docx", u"/two/A.DOCX", u"/two/a.docx",
                                                  u"/One/b.txt",  u"/one/B.TXT",  u"/one/b.txt"};
    EXPECT_EQ(pathsIn(list), expected);
    EXPECT_EQ(list.indexOfFileSpec(specOf(u"a.docx", u"/two/")), 4);
    EXPECT_EQ(list.indexOfFileSpec(specOf(u"a.docx", u"/three/")), 0);
}

TEST(CTypeArray, RemovesIndexesAndBoundsPositions) {
    CTypeArray list;
    for (const char16_t* name : {u"c", u"a", u"b"}) list.addFileSpec(specOf(name, u"/f/"));
    struct Case {
        std::int32_t position;
        const char16_t* name;
    };
    const Case positions[] = {{0, nullptr}, {1, u"a"}, {3, u"c"}, {4, nullptr}, {-1, nullptr}, {INT_MAX, nullptr}};
    for (const Case& c : positions) {
        const FileSpec* entry = list.fileSpecAt(c.position);
        if (!c.name) {
            EXPECT_EQ(entry, nullptr) << c.position;
        } else {
            ASSERT_NE(entry, nullptr) << c.position;
            EXPECT_EQ(entry->name, makePascal(c.name)) << c.position;
        }
    }
    EXPECT_EQ(list.removeFileSpec(specOf(u"b", u"/f/")), 2);
    EXPECT_EQ(list.getCount(), 2);
    EXPECT_EQ(list.removeFileSpec(specOf(u"b", u"/f/")), 0);
    EXPECT_EQ(list.removeFileSpec(specOf(u"a", u"/other/")), 0);
    EXPECT_EQ(list.indexOfFileSpec(specOf(u"c", u"/f/")), 2);

    // Entries are written through the pointers the list hands out.
    list.fileSpecAt(1)->importResult = 32003;
    EXPECT_EQ(list.fileSpecAt(1)->importResult, 32003);

    list.freeAllFileSpecs();
    EXPECT_EQ(list.getCount(), 0);
    EXPECT_EQ(list.addFileSpec(specOf(u"again", u"/f/")), 1);
}

TEST(CTypeArray, FileIdsFitTheirBitsAndFindTheirEntries) {
    CTypeArray list;
    EXPECT_EQ(list.nextFreeFileId(), kFirstFileId);
    list.addFileSpec(specOf(u"a", u"/f/", kFirstFileId));
    list.addFileSpec(specOf(u"b", u"/f/", kFirstFileId + 1));
    list.addFileSpec(specOf(u"c", u"/f/", kFirstFileId + 3));
    list.addFileSpec(specOf(u"d", u"/f/", 7));  // a position stored as id by the import side
    list.addFileSpec(specOf(u"e", u"/f/"));
    EXPECT_EQ(list.nextFreeFileId(), kFirstFileId + 2);

    struct Case {
        std::uint32_t id;
        const char16_t* name;
    };
    const Case finds[] = {{kFirstFileId + 1, u"b"}, {7, u"d"}, {kFirstFileId + 2, nullptr}, {0, nullptr}};
    for (const Case& c : finds) {
        const FileSpec* entry = list.findByFileId(c.id);
        if (!c.name) {
            EXPECT_EQ(entry, nullptr) << c.id;
        } else {
            ASSERT_NE(entry, nullptr) << c.id;
            EXPECT_EQ(entry->name, makePascal(c.name)) << c.id;
        }
    }

    // Every id handed out survives the trip through the 26 id bits.
    for (int i = 0; i < 50; ++i) {
        const std::uint32_t id = list.nextFreeFileId();
        const char16_t name[] = {u'n', static_cast<char16_t>(u'A' + i), 0};
        FileSpec spec = specOf(name, u"/g/", id);
        ASSERT_EQ(fileIdOf(spec), id);
        list.addFileSpec(spec);
        ASSERT_EQ(list.findByFileId(id)->name, spec.name);
    }
    EXPECT_EQ(list.nextFreeFileId(), kFirstFileId + 53);
}

TEST(CTypeArray, AFailedAllocationOrALockedListLeavesTheListUnchanged) {
    // Whichever allocation fails, the FileSpec is either listed whole or not at all (and nothing leaks).
    for (std::int64_t n = 1; n <= 4; ++n) {
        CTypeArray list;
        list.addFileSpec(specOf(u"kept", u"/f/"));
        bool failed = false;
        {
            platform::ScopedAllocationFailure failure(n);
            try {
                list.addFileSpec(specOf(u"new", u"/f/"));
            } catch (const CFail& fail) {
                failed = true;
                EXPECT_EQ(fail.error, 12);
                EXPECT_STREQ(fail.fileName, "BArrays");
            }
        }
        EXPECT_EQ(failed, n == 1) << n;
        EXPECT_EQ(list.getCount(), failed ? 1 : 2) << n;
        EXPECT_EQ(list.indexOfFileSpec(specOf(u"new", u"/f/")) != 0, !failed) << n;
    }

    CTypeArray locked;
    locked.lock();
    EXPECT_EQ(locked.addFileSpec(specOf(u"new", u"/f/")), 0);
    locked.unlock();
    EXPECT_EQ(locked.addFileSpec(specOf(u"new", u"/f/")), 1);
}

TEST(CTypeArray, RawAppendAndRemoveHandOwnershipOverAsTheConversionTaskUsesThem) {
    CTypeArray list;
    auto* owned = static_cast<FileSpec*>(allocMemory(sizeof(FileSpec)));
    ASSERT_NE(owned, nullptr);
    *owned = specOf(u"b", u"/f/");
    list.appendItem(&owned, 0);  // the list owns it from here
    list.addFileSpec(specOf(u"a", u"/f/"));
    ASSERT_EQ(list.getCount(), 2);

    FileSpec* taken = nullptr;
    ASSERT_TRUE(list.fetchItem(2, &taken));
    list.removeItems(1, 2);  // the caller owns `taken` from here
    EXPECT_EQ(taken->name, makePascal(u"b"));
    freeMemory(taken);
    EXPECT_EQ(list.getCount(), 1);
}

}  // namespace
