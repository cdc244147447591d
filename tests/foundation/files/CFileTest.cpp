#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/encoding/WideApiFlag.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/CFile.h"
#include "platform/files/FileName.h"
#include "platform/files/FileSystem.h"
#include "platform/files/Folders.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;

PascalWString pascalOf(const std::string& bytes) {
    return makePascal(platform::fileNameFromBytes(bytes));
}

using testsupport::readBytes;
using testsupport::writeBytes;

std::string nameOf(const CFile& file) {
    return platform::fileNameToBytes(file.getName().view());
}

// Every case runs on the wide path (1) and on the 8-bit path (0).
class CFileTest : public ::testing::TestWithParam<std::int16_t> {
protected:
    void SetUp() override {
        savedWideFlag = useWideApi;
        useWideApi = GetParam();
    }
    void TearDown() override { useWideApi = savedWideFlag; }

    std::unique_ptr<CFile> fileIn(const std::string& bytesName) const {
        return std::make_unique<CFile>(pascalOf(bytesName), pascalOf(folder.path()), kAnyFileCode, kAnyFileCode, 1, 0,
                                       kReadWrite, kReadWrite);
    }

    testsupport::TemporaryFolder folder;
    std::int16_t savedWideFlag = 1;
};

INSTANTIATE_TEST_SUITE_P(WideAndNarrow, CFileTest, ::testing::Values(std::int16_t{1}, std::int16_t{0}),
                         [](const ::testing::TestParamInfo<std::int16_t>& p) { return p.param == 1 ? std::string("Wide") : std::string("Narrow"); });

TEST_P(CFileTest, CreatesOpensReadsAndWritesAtOffsets) {
    auto file = fileIn("report.txt");
    char buffer[16] = {};
    std::uint32_t size = 0;
    std::int32_t position = 0;
    struct Step {
        const char* what;
        std::function<std::int16_t()> run;
        std::int16_t expected;
    };
    const Step steps[] = {
        {"read while closed", [&] { return file->read(buffer, 4, kFromStart, 0); }, 6},
        {"write while closed", [&] { return file->write("x", 1, kFromStart, 0); }, 6},
        {"size while closed", [&] { return file->getSize(size); }, 6},
        {"open a missing file", [&] { return file->open(); }, 2},
        {"create new", [&] { return file->create(0); }, 0},
        {"create over it", [&] { return file->create(0); }, 80},
        {"open", [&] { return file->open(); }, 0},
        {"write at 0", [&] { return file->write("hello", 5, kFromStart, 0); }, 0},
        {"overwrite from offset 1", [&] { return file->write("XY", 2, kFromStart, 1); }, 0},
        {"append at the end", [&] { return file->write("!", 1, kFromEnd, 0); }, 0},
        {"size", [&] { return file->getSize(size); }, 0},
        {"read 3 at offset 2", [&] { return file->read(buffer, 3, kFromStart, 2); }, 0},
        {"read on from the current position", [&] { return file->read(buffer + 3, 1, kFromCurrent, 0); }, 0},
        {"position", [&] { return file->getPosition(position); }, 0},
        {"seek before the start", [&] { return file->seek(kFromStart, -1); }, platform::error::kNegativeSeek},
        {"negative count", [&] { return file->read(buffer, -1, kFromStart, 0); }, platform::error::kInvalidParameter},
        {"unknown origin", [&] { return file->write("x", 1, 7, 0); }, platform::error::kInvalidParameter},
        {"open again (no handle leaks)", [&] { return file->open(); }, 0},
    };
    for (const Step& step : steps) EXPECT_EQ(step.run(), step.expected) << step.what;
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(std::string(buffer, 4), "Ylo!");
    EXPECT_EQ(position, 6);
    EXPECT_EQ(file->close(), 0);
    EXPECT_EQ(readBytes(folder.file("report.txt")), "hXYlo!");
}

TEST_P(CFileTest, AShortReadIsReportedAndNeverLeavesOldBytesInTheBuffer) {
    writeBytes(folder.file("short"), "abc");
    auto file = fileIn("short");
    ASSERT_EQ(file->open(), 0);
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(file->read(buffer, 8, kFromStart, 0), platform::error::kEndOfFile);
    EXPECT_EQ(std::string(buffer, 8), std::string("abc\0\0\0\0\0", 8));

    std::int32_t bytesRead = -1;
    EXPECT_EQ(file->readAvailable(buffer, 8, kFromStart, 1, bytesRead), 0);
    EXPECT_EQ(bytesRead, 2);
    EXPECT_EQ(file->readAvailable(buffer, 8, kFromStart, 3, bytesRead), 0);
    EXPECT_EQ(bytesRead, 0);
    EXPECT_EQ(file->read(buffer, 3, kFromStart, 0), 0);
}

TEST_P(CFileTest, CreateWithDeleteFirstReplacesAndSetLengthCutsOrExtends) {
    writeBytes(folder.file("old"), "old contents");
    auto file = fileIn("old");
    EXPECT_EQ(file->create(1), 0);
    EXPECT_EQ(readBytes(folder.file("old")), "");

    ASSERT_EQ(file->open(), 0);
    ASSERT_EQ(file->write("0123456789", 10, kFromStart, 0), 0);
    std::int32_t position = 0;
    EXPECT_EQ(file->setLength(4), 0);
    EXPECT_EQ(file->getPosition(position), 0);
    EXPECT_EQ(position, 4);
    EXPECT_EQ(file->sizeOrZero(), 4u);
    EXPECT_EQ(file->setLength(6), 0);
    EXPECT_EQ(file->sizeOrZero(), 6u);
    EXPECT_EQ(file->setLength(-1), platform::error::kInvalidParameter);
    file->close();
    EXPECT_EQ(readBytes(folder.file("old")), std::string("0123\0\0", 6));
    EXPECT_EQ(file->sizeOrZero(), 0u);  // closed
}

TEST_P(CFileTest, OpeningAFolderAsAFileFailsWith5) {
    std::filesystem::create_directory(folder.file("docs"));
    auto file = fileIn("docs");
    EXPECT_EQ(file->open(), 5);
    EXPECT_EQ(file->read(nullptr, 0, kFromStart, 0), 6);
    EXPECT_EQ(file->remove(), 5);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("docs")));
}

TEST_P(CFileTest, CreateFolderNeverDeletesAFileInTheWay) {
    std::filesystem::create_directory(folder.file("exists"));
    writeBytes(folder.file("blocker"), "user data");
    struct Case {
        const char* name;
        std::int16_t expected;
        bool folderAfter;
    };
    const Case cases[] = {
        {"exists", 0, true},
        {"fresh", 0, true},
        {"blocker", 20, false},
        {"missing/child", 2, false},
        {"blocker/child", 3, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileIn(c.name)->createFolder(), c.expected) << c.name;
        EXPECT_EQ(std::filesystem::is_directory(folder.file(c.name)), c.folderAfter) << c.name;
    }
    EXPECT_EQ(readBytes(folder.file("blocker")), "user data");
}

TEST_P(CFileTest, ListsAFolderSortedByNameWithEveryEntryReopenable) {
    const std::string sub = folder.file("walk");
    std::filesystem::create_directory(sub);
    for (const char* name : {"b.docx", "a", ".hidden", "B.docx", "\xE9t\xE9.txt", "caf\xC3\xA9"}) {
        if (!writeBytes(sub + "/" + name, std::string("content of ") + name)) {
            GTEST_SKIP() << "the file system refuses the name " << name;
        }
    }
    std::filesystem::create_directory(sub + "/inner");
    std::error_code linkRefused;
    std::filesystem::create_directory_symlink(folder.path(), sub + "/loop", linkRefused);
    if (linkRefused) GTEST_SKIP() << "the file system refuses symbolic links: " << linkRefused.message();

    auto walk = fileIn("walk");
    std::vector<std::string> names;
    while (CFile* entry = walk->nextFolderItem()) {
        std::unique_ptr<CFile> item(entry);
        names.push_back(nameOf(*item));
        EXPECT_EQ(item->getFolder(), pascalOf(sub + "/"));
        if (!item->isFolder()) {
            ASSERT_EQ(item->open(), 0) << names.back();
            const std::string expected = "content of " + names.back();
            std::string text(expected.size(), '\0');
            EXPECT_EQ(item->read(text.data(), static_cast<std::int32_t>(text.size()), kFromStart, 0), 0);
            EXPECT_EQ(text, expected);
        }
    }
    const std::vector<std::string> expected = {".hidden", "B.docx", "a", "b.docx", "caf\xC3\xA9", "inner", "\xE9t\xE9.txt"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(walk->skippedFolderItems(), 0);

    // A new listing starts with the next call; an empty or missing folder answers null at once.
    std::unique_ptr<CFile> first(walk->nextFolderItem());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(nameOf(*first), ".hidden");
    CFile inner(makePascal(u"inner"), pascalOf(sub + "/"), kAnyFileCode, kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    EXPECT_EQ(inner.nextFolderItem(), nullptr);
    EXPECT_EQ(fileIn("absent")->nextFolderItem(), nullptr);
}

TEST_P(CFileTest, ANameThatIsNotUtf8CanBeMadeListedAndOpenedAgain) {
    const PascalWString latin1Name = makePascal(u"\xDCE9t\xDCE9");  // the bytes E9 74 E9
    if (!writeBytes(folder.file("\xE9t\xE9"), "")) GTEST_SKIP() << "the file system refuses a name that is not UTF-8";
    std::filesystem::remove(folder.file("\xE9t\xE9"));
    CFile made(latin1Name, pascalOf(folder.path()), kAnyFileCode, kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    ASSERT_EQ(made.create(0), 0);
    ASSERT_EQ(made.open(), 0);
    ASSERT_EQ(made.write("summer", 6, kFromStart, 0), 0);
    made.close();
    EXPECT_EQ(readBytes(folder.file("\xE9t\xE9")), "summer");

    CFile listing(makePascal(u""), pascalOf(folder.path()), kAnyFileCode, kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    std::unique_ptr<CFile> entry(listing.nextFolderItem());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->getName(), latin1Name);
    ASSERT_EQ(entry->open(), 0);
    char text[6];
    EXPECT_EQ(entry->read(text, 6, kFromStart, 0), 0);
    EXPECT_EQ(std::string(text, 6), "summer");
}

TEST_P(CFileTest, TemporaryFilesTakeTheFirstFreeNumberAndKeepTheirName) {
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, folder.path());
    setUpTemporaryFilesFolder();
    const std::string temporary = folder.file("Vostrandimeko temporary files/");
    writeBytes(temporary + "Vostrandimeko temporary file 1", "");
    std::filesystem::create_directory(temporary + "Vostrandimeko temporary file 2");

    CFile file(fourCharCode("temp"), kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    EXPECT_EQ(file.getFolder(), pascalOf(temporary));
    EXPECT_EQ(file.create(0), 0);
    EXPECT_EQ(nameOf(file), "Vostrandimeko temporary file 3");
    EXPECT_EQ(file.create(0), 80);  // the same name again
    EXPECT_EQ(file.create(1), 0);
    EXPECT_EQ(nameOf(file), "Vostrandimeko temporary file 3");
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "");
}

TEST_P(CFileTest, TheTemporaryNameSearchGivesUpWhenEveryNameIsTaken) {
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, folder.path());
    setUpTemporaryFilesFolder();
    const std::string temporary = folder.file("Vostrandimeko temporary files/");
    for (int n = 1; n <= kTemporaryNameLimit; ++n) writeBytes(temporary + "Vostrandimeko temporary file " + std::to_string(n), "");

    CFile file(fourCharCode("temp"), kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    EXPECT_EQ(file.create(0), 80);
    EXPECT_EQ(file.getName().length(), 0);
    std::filesystem::remove(temporary + "Vostrandimeko temporary file 5000");
    EXPECT_EQ(file.create(0), 0);
    EXPECT_EQ(nameOf(file), "Vostrandimeko temporary file 5000");
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "");
}

TEST_P(CFileTest, PathsThatDoNotFitAnswer206) {
    // A folder and a name of 200 units each: the file can be named, but not as a folder string.
    const std::string longName(200, 'n');
    std::filesystem::create_directory(folder.file(longName));
    CFile deep(pascalOf(longName), pascalOf(folder.file(longName) + "/"), kAnyFileCode, kAnyFileCode, 1, 0, kReadWrite,
               kReadWrite);
    PascalWString asFolder = makePascal(u"unchanged");
    EXPECT_EQ(deep.getPathAsFolder(asFolder), 206);
    EXPECT_EQ(asFolder.length(), 0);
    EXPECT_EQ(deep.nextFolderItem(), nullptr);
    EXPECT_FALSE(deep.isFolderWritable());
    EXPECT_EQ(std::u16string(deep.getFullPath()).size(), static_cast<std::size_t>(folder.path().size() + 401));

    // Three-byte characters: within a PascalWString, but over the 511 bytes of the 8-bit calls.
    const std::u16string euros(80, u'\u20AC');
    const std::string eurosBytes = platform::fileNameToBytes(euros);
    std::filesystem::create_directories(folder.file(eurosBytes + "/" + eurosBytes));
    CFile wide(makePascal(euros), makePascal(platform::fileNameFromBytes(folder.path()) + euros + u"/" + euros + u"/"),
               kAnyFileCode, kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    EXPECT_EQ(wide.create(0), GetParam() == 1 ? 0 : 206);
    EXPECT_EQ(wide.exists(), GetParam() == 1);
}

TEST_P(CFileTest, TellsKindTypeAndExtension) {
    writeBytes(folder.file("empty"), "");
    writeBytes(folder.file("full"), "x");
    std::filesystem::create_directory(folder.file("docs"));
    struct KindCase {
        const char* name;
        std::int16_t code;
        std::int16_t outputs[4];
    };
    const KindCase kinds[] = {
        {"empty", 0, {0, 0, 7, 7}},
        {"full", 0, {1, 0, 7, 7}},
        {"docs", 0, {7, 7, 1, 1}},
        {"missing", 2, {7, 7, 7, 7}},
    };
    for (const KindCase& c : kinds) {
        std::int16_t out[4] = {7, 7, 7, 7};
        EXPECT_EQ(fileIn(c.name)->getKind(out[0], out[1], out[2], out[3]), c.code) << c.name;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(out[i], c.outputs[i]) << c.name << " output " << i;
        EXPECT_EQ(fileIn(c.name)->isFolder(), std::string(c.name) == "docs") << c.name;
        EXPECT_EQ(fileIn(c.name)->exists(), c.code == 0) << c.name;
    }

    const std::pair<const char*, const char*> extensions[] = {
        {"report.final.docx", "DOCX"}, {"README", "???"}, {"x.Tar", "TAR"}, {"a.b.c", "C"}, {"trailing.", ""}};
    for (const auto& [name, extension] : extensions) {
        std::uint32_t type = 0;
        std::uint32_t creator = 0;
        char nameText[256];
        char extensionText[256];
        EXPECT_EQ(fileIn(name)->getTypeAndExtension(&type, &creator, nameText, sizeof nameText, extensionText,
                                                    sizeof extensionText),
                  0);
        EXPECT_EQ(type, kAnyFileCode);
        EXPECT_EQ(creator, kAnyFileCode);
        EXPECT_STREQ(nameText, name);
        EXPECT_STREQ(extensionText, extension) << name;
    }
}

// The name and extension outputs are as large as the caller says, and each is cut on a character
// boundary; the extension is still the whole name's.
TEST_P(CFileTest, TypeAndExtensionStayInsideTheBuffersTheyAreGiven) {
    struct Buffers {
        char name[9];
        char nameGuard[4];
        char extension[3];
        char extensionGuard[4];
    };
    Buffers out;
    std::memset(&out, '#', sizeof out);
    std::uint32_t type = 0;
    std::uint32_t creator = 0;
    CFile file(makePascal(u"r\u00e9sum\u00e9s.docx"), pascalOf(folder.path()), kAnyFileCode, kAnyFileCode, 1, 0,
               kReadWrite, kReadWrite);
    EXPECT_EQ(file.getTypeAndExtension(&type, &creator, out.name, sizeof out.name, out.extension, sizeof out.extension), 0);
    EXPECT_STREQ(out.name, "r\xC3\xA9sum\xC3\xA9");  // the next character does not fit before the 0 byte
    EXPECT_STREQ(out.extension, "DO");
    EXPECT_EQ(std::string(out.nameGuard, 4), "####");
    EXPECT_EQ(std::string(out.extensionGuard, 4), "####");

    char one[1] = {'#'};
    EXPECT_EQ(fileIn("README")->getTypeAndExtension(&type, &creator, out.name, sizeof out.name, one, sizeof one), 0);
    EXPECT_STREQ(one, "");
    EXPECT_EQ(fileIn("README")->getTypeAndExtension(&type, &creator, out.name, 0, out.extension, sizeof out.extension), 87);
}

// A derived file that writes its own name units: the path is still read within the name's capacity.
class RawNamedFile : public CFile {
public:
    using CFile::CFile;
    void claimNameLength(char16_t units) { name.units[0] = units; }
};

TEST_P(CFileTest, TheFullPathReadsTheNameWithinItsCapacity) {
    RawNamedFile file(makePascal(std::u16string(254, u'n')), makePascal(u"/" + std::u16string(253, u'f')), kAnyFileCode,
                      kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    file.claimNameLength(0xFFFF);
    EXPECT_EQ(std::u16string(file.getFullPath()), u"/" + std::u16string(253, u'f') + std::u16string(254, u'n'));
}

TEST_P(CFileTest, FolderWritabilityLeavesNoScratchFile) {
    writeBytes(folder.file("plain"), "x");
    struct Case {
        std::string path;
        std::int16_t writable;
    };
    const Case cases[] = {
        {folder.path(), 1},
        {folder.path().substr(0, folder.path().size() - 1), 1},
        {folder.file("missing"), 0},
        {folder.file("missing/"), 0},
        {folder.file("plain"), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isFolderPathWritable(pascalOf(c.path)), c.writable) << c.path;
        EXPECT_FALSE(std::filesystem::exists(folder.file("Vostrandimeko.tmp"))) << c.path;
    }
}

TEST_P(CFileTest, TimesAreSecondsSince1970AndTouchSetsTheModificationTime) {
    writeBytes(folder.file("dated"), "x");
    auto file = fileIn("dated");
    const std::uint32_t when = 1600000000;  // 2020-09-13
    EXPECT_EQ(file->touch(nullptr, &when), 0);
    EXPECT_EQ(file->secondTimeOrZero(), when);
    EXPECT_NE(file->firstTimeOrZero(), 0u);
    std::uint32_t first = 1;
    std::uint32_t second = 1;
    EXPECT_EQ(fileIn("missing")->getTimes(first, second), 2);
    EXPECT_EQ(fileIn("missing")->firstTimeOrZero(), 0u);
    EXPECT_EQ(fileIn("missing")->touch(nullptr, &when), 2);
}

TEST_P(CFileTest, HiddenMeansALeadingDotAndRemoveDeletesOnlyFiles) {
    writeBytes(folder.file(".cfg"), "");
    writeBytes(folder.file("log"), "");
    EXPECT_EQ(fileIn(".cfg")->setHidden(), 0);
    EXPECT_EQ(fileIn("log")->setHidden(), platform::error::kNotSupported);
    EXPECT_EQ(fileIn("missing")->setHidden(), 2);

    auto log = fileIn("log");
    ASSERT_EQ(log->open(), 0);
    EXPECT_EQ(log->remove(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("log")));
    EXPECT_EQ(log->remove(), 2);
    EXPECT_EQ(log->printLine("closed"), 6);
}

TEST_P(CFileTest, PrintLineWritesWholeLinesAtTheEnd) {
    writeBytes(folder.file("log"), "first\r\n");
    auto log = fileIn("log");
    ASSERT_EQ(log->open(), 0);
    EXPECT_EQ(log->printLine("%s - %d", "started", 7), 0);
    const std::string longLine(5000, 'w');
    EXPECT_EQ(log->printLine("%s", longLine.c_str()), 0);
    log->close();
    EXPECT_EQ(readBytes(folder.file("log")), "first\r\nstarted - 7\r\n" + longLine + "\r\n");
}

TEST_P(CFileTest, AFullPathSplitsIntoNameAndFolder) {
    CFile named(pascalOf(folder.file("a.docx")), kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead, kGenericRead);
    EXPECT_EQ(nameOf(named), "a.docx");
    EXPECT_EQ(named.getFolder(), pascalOf(folder.path()));
    EXPECT_STREQ(named.getFullPathUtf8(), folder.file("a.docx").c_str());

    CFile folderItself(pascalOf(folder.path()), kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead, kGenericRead);
    EXPECT_EQ(folderItself.getName().length(), 0);
    EXPECT_TRUE(folderItself.isFolder());

    CFile fromText(u"b.txt", pascalOf(folder.path()), kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead, kGenericRead);
    EXPECT_EQ(fromText.getFullPath(), platform::fileNameFromBytes(folder.file("b.txt")));
    std::int16_t count = 5;
    EXPECT_EQ(fromText.getResourceCount(fourCharCode("TEXT"), count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(fromText.openResourcePart(makePascal(u"x"), makePascal(u"/")), 0);
}

}  // namespace
