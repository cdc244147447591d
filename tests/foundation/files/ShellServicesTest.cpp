#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/encoding/FourCharCode.h"
#include "foundation/encoding/WideApiFlag.h"
#include "foundation/files/Paths.h"
#include "foundation/files/ShellServices.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "platform/files/FileName.h"
#include "platform/files/Folders.h"
#include "platform/process/AllocationFailure.h"
#include "platform/registry/Registry.h"
#include "platform/shell/DesktopAssociations.h"
#include "platform/shell/Launcher.h"
#include "platform/shell/SoundPlayer.h"
#include "tests/support/LaunchRecords.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::RegistryKey;
using testsupport::LaunchRecord;

const std::string kRecorder = VDK_ARGUMENT_RECORDER;

PascalWString pascalOf(const std::string& bytes) {
    return makePascal(platform::fileNameFromBytes(bytes));
}

std::string bytesOf(const PascalWString& text) {
    return platform::fileNameToBytes(text.view());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void setDefaultValue(const std::string& keyPath, const std::string& data) {
    RegistryKey key = RegistryKey::classesRoot();
    ASSERT_EQ(platform::registryCreateKey(key, keyPath, key), 0);
    ASSERT_EQ(platform::registrySetValue(key, "", data), 0);
}

// A file list as the callers make it: one heap block of FileSpec records.
class FileList {
public:
    explicit FileList(const std::vector<std::string>& paths) {
        block = static_cast<FileSpec*>(allocMemory(static_cast<std::int32_t>(paths.size() * sizeof(FileSpec))));
        for (std::size_t i = 0; i < paths.size(); ++i) {
            clearFileSpec(block[i]);
            splitPath(pascalOf(paths[i]), block[i].name, block[i].folder, 0);
        }
    }
    ~FileList() { freeMemory(block); }
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    const FileSpec* get() const { return block; }

private:
    FileSpec* block = nullptr;
};

// The program's folder, the registry, the desktop opener and the wide-call flag of every test are
// its own, and programs it starts record their arguments.
class ShellServices : public ::testing::Test {
protected:
    void SetUp() override {
        platform::overrideFolderForTesting(platform::Folder::Program, program.path());
        platform::useMemoryRegistry();
        platform::setDesktopOpenerForTesting(kRecorder);
        useWideApi = 1;
    }
    void TearDown() override {
        platform::waitForLaunchedPrograms();
        platform::overrideFolderForTesting(platform::Folder::Program, "");
        platform::useDefaultRegistry();
        platform::setDesktopOpenerForTesting("");
        platform::setSoundPlayersForTesting({});
        platform::resetDesktopSearchPaths();
        useWideApi = 1;
    }

    std::vector<LaunchRecord> recordsAfterAllEnded() {
        platform::waitForLaunchedPrograms();
        return recording.records();
    }

    testsupport::TemporaryFolder program;
    testsupport::TemporaryFolder documents;
    testsupport::RecordingFolder recording;
};

// ---- target-applications lists ------------------------------------------------------------------

TEST_F(ShellServices, TheFirstUsableLineOfATargetListNamesTheApplication) {
    setDefaultValue("Writer\\shell\\open\\command", "\"/opt/Writer App/bin/writer\" --norestore \"%1\"");
    setDefaultValue("Plain\\command", "/usr/bin/abiword");
    setDefaultValue("Unquoted\\command", "/usr/bin/gnumeric %1");
    setDefaultValue("Empty", "");
    setDefaultValue("JustAQuote", "\"");
    setDefaultValue("TooLong", "\"/opt/long\" " + std::string(1012, 'x'));          // 1024 bytes: no room for its 0
    setDefaultValue("LongestReadable", "\"/opt/fits\" " + std::string(1011, 'y'));  // 1023 bytes
    setDefaultValue("LongPath", "\"/opt/" + std::string(300, 'p') + "\"");
    RegistryKey key = RegistryKey::classesRoot();
    ASSERT_EQ(platform::registryCreateKey(key, "NoDefault", key), 0);
    ASSERT_EQ(platform::registrySetValue(key, "named", "\"/usr/bin/named\""), 0);

    const struct {
        const char* what;
        std::string list;
        std::string name;  // empty: none found
        std::string folder;
    } cases[] = {
        {"keys that do not exist come first", "Missing;No\\Such\\Key\rWriter;writer\\SHELL\\open\\command\r", "writer",
         "/opt/Writer App/bin/"},
        {"a comment holding ';' is skipped", "#Writer;Writer\\shell\\open\\command\rAbi;Plain\\command\r", "abiword", "/usr/bin/"},
        {"a line without ';' is skipped", "Writer\\shell\\open\\command\rAbi;Plain\\command\r", "abiword", "/usr/bin/"},
        {"a last line without a carriage return is not read", "Writer;Writer\\shell\\open\\command", "", ""},
        {"an empty file", "", "", ""},
        {"keys without a usable default value", "A;NoDefault\rB;Empty\rC;JustAQuote\rD;TooLong\rE;Plain\\command\r", "abiword",
         "/usr/bin/"},
        {"the longest value that fits", "L;LongestReadable\r", "fits", "/opt/"},
        {"a path longer than a string holds", "P;LongPath\r", "", ""},
        {"an unquoted value is the path as it is", "G;Unquoted\\command\r", "gnumeric %1", "/usr/bin/"},
        {"with CR LF the LF begins the next label", "Writer;Writer\\shell\\open\\command\r\n", "writer", "/opt/Writer App/bin/"},
        {"an empty key names no application", "Nothing;\r", "", ""},
        {"a key holding a 0 byte names no key", std::string("Zero;No") + '\0' + "Key\rAbi;Plain\\command\r", "abiword", "/usr/bin/"},
    };
    for (const auto& c : cases) {
        writeFile(program.file("Targets/rtf-x86.txt"), c.list);
        PascalWString name = makePascal(u"unchanged");
        PascalWString folder = makePascal(u"unchanged/");
        const std::int16_t answer = findTargetApplications(loadUniText(nullptr, kWordProcessingTargetsStringId), name, folder);
        if (c.name.empty()) {
            EXPECT_EQ(answer, 2) << c.what;
            EXPECT_EQ(name, makePascal(u"unchanged")) << c.what;
            EXPECT_EQ(folder, makePascal(u"unchanged/")) << c.what;
        } else {
            EXPECT_EQ(answer, 0) << c.what;
            EXPECT_EQ(bytesOf(name), c.name) << c.what;
            EXPECT_EQ(bytesOf(folder), c.folder) << c.what;
        }
    }
}

TEST_F(ShellServices, AnAllocationThatFailsWhileReadingAListFindsNothing) {
    setDefaultValue("Plain\\command", "/usr/bin/abiword");
    writeFile(program.file("Targets/rtf-x86.txt"), "Abi;Plain\\command\r");
    for (std::int64_t n = 1;; ++n) {
        PascalWString name{};
        PascalWString folder{};
        platform::failNthAllocation(n);
        const std::int16_t answer = findTargetApplications(u"rtf-x86.txt", name, folder);
        const bool allAllocationsPassed = platform::allocationsCountedSinceArmed() < n;
        platform::disarmAllocationFailure();
        if (allAllocationsPassed) {
            EXPECT_EQ(answer, 0);
            EXPECT_EQ(bytesOf(name), "abiword");
            break;
        }
        EXPECT_EQ(answer, 2) << n;
        EXPECT_EQ(name, PascalWString{}) << n;
    }
}

TEST_F(ShellServices, AMissingTargetListFindsNothing) {
    PascalWString name{};
    PascalWString folder{};
    EXPECT_EQ(findTargetApplications(u"csv-x86.txt", name, folder), 2);
    EXPECT_EQ(findTargetApplications(nullptr, name, folder), 2);
}

TEST_F(ShellServices, TheShippedListsNameAnApplicationOnlyOnceSomeoneSetsItsKey) {
    platform::overrideFolderForTesting(platform::Folder::Program, VDK_RUNTIME_DIR);
    PascalWString name{};
    PascalWString folder{};
    EXPECT_EQ(findTargetApplications(u"csv-x86.txt", name, folder), 2);
    setDefaultValue("Applications\\libreoffice-calc.desktop\\shell\\open\\command", "\"/usr/bin/localc\" \"%1\"");
    ASSERT_EQ(findTargetApplications(u"csv-x86.txt", name, folder), 0);
    EXPECT_EQ(bytesOf(folder) + bytesOf(name), "/usr/bin/localc");
    setDefaultValue("Vostrandimeko.Targets\\Spreadsheet\\shell\\open\\command", "\"/home/me/bin/sheets\" \"%1\"");
    ASSERT_EQ(findTargetApplications(u"csv-x86.txt", name, folder), 0);
    EXPECT_EQ(bytesOf(folder) + bytesOf(name), "/home/me/bin/sheets");
    EXPECT_EQ(findTargetApplications(u"rtf-x86.txt", name, folder), 2);
}

// ---- the browser --------------------------------------------------------------------------------

TEST(ShellExecuteResult, ZeroIsOutOfMemoryAndSmallAnswersAreErrors) {
    const struct {
        std::int32_t answer;
        std::int16_t code;
    } cases[] = {{0, 8}, {2, 2}, {5, 5}, {31, 31}, {32, 0}, {42, 0}, {-1, 8}};
    for (const auto& c : cases) EXPECT_EQ(shellExecuteResult(c.answer), c.code) << c.answer;
}

TEST_F(ShellServices, AnAddressOpensWithTheRegistrysBrowserCommandOrElseTheDesktopOpener) {
    const std::string url = "https://example.org/a b?x=\"1\"&y=$HOME";
    EXPECT_EQ(openInBrowser(pascalOf(url)), 0);
    setDefaultValue("http\\shell\\open\\command", "\"" + kRecorder + "\" --url=%1 -x");
    EXPECT_EQ(openInBrowser(pascalOf(url)), 0);
    EXPECT_EQ(recordsAfterAllEnded(),
              (std::vector<LaunchRecord>{{kRecorder, "--url=" + url, "-x"}, {kRecorder, url}}));

    setDefaultValue("http\\shell\\open\\command", documents.file("no-browser") + " %1");
    EXPECT_EQ(openInBrowser(pascalOf(url)), 2);
}

TEST_F(ShellServices, TheBrowserCommandIsBoundedByTheFormOfTheCall) {
    // 200 bytes: room in the 8-bit form (256 bytes), none in the wide form (128 units).
    const std::string command = "\"" + kRecorder + "\" " + std::string(197 - kRecorder.size(), 'a');
    ASSERT_EQ(command.size(), 200u);
    setDefaultValue("http\\shell\\open\\command", command);
    useWideApi = 1;
    EXPECT_EQ(openInBrowser(pascalOf("http://x/")), 234);
    useWideApi = 0;
    EXPECT_EQ(openInBrowser(pascalOf("http://x/")), 0);
    EXPECT_EQ(recordsAfterAllEnded().size(), 1u);
}

// ---- opening documents --------------------------------------------------------------------------

TEST_F(ShellServices, AnEmptyFileListOpensNothing) {
    const FileList none({});
    EXPECT_EQ(openFiles(none.get()), 0);
    EXPECT_EQ(openFilesWithApplication(pascalOf("argument_recorder"), pascalOf("/nowhere/"), none.get()), 0);
    EXPECT_EQ(openFiles(nullptr), 0);
    EXPECT_TRUE(recordsAfterAllEnded().empty());
}

TEST_F(ShellServices, FilesOpenWithTheDesktopUntilOneFails) {
    const std::string first = documents.file("first report.rtf");
    const std::string third = documents.file("third.rtf");
    writeFile(first, "{\\rtf1}");
    writeFile(third, "{\\rtf1}");
    const FileList list({first, documents.file("missing.rtf"), third});
    EXPECT_EQ(openFiles(list.get()), 2);
    EXPECT_EQ(recordsAfterAllEnded(), (std::vector<LaunchRecord>{{kRecorder, first}}));
}

TEST_F(ShellServices, AChosenApplicationGetsEachDocumentsNameUnchangedInBothForms) {
    const std::string awkward = documents.file("it's \"my\" $HOME `id` file;.rtf");
    const std::string plain = documents.file("plain.rtf");
    const FileList list({awkward, plain});
    PascalWString name;
    PascalWString folder;
    splitPath(pascalOf(kRecorder), name, folder, 0);
    for (const std::int16_t wide : {1, 0}) {
        useWideApi = wide;
        EXPECT_EQ(openFilesWithApplication(name, folder, list.get()), 0) << wide;
    }
    EXPECT_EQ(recordsAfterAllEnded(), (std::vector<LaunchRecord>{{kRecorder, awkward}, {kRecorder, awkward},
                                                                 {kRecorder, plain}, {kRecorder, plain}}));
}

TEST_F(ShellServices, ThePathLimitOfThe8BitFormAnswers206) {
    // 180 characters of three bytes each: 540 bytes, beyond the 511 the 8-bit form takes.
    std::u16string longName(180, u'\u30C4');
    const FileList list({documents.path() + platform::fileNameToBytes(longName)});
    PascalWString name;
    PascalWString folder;
    splitPath(pascalOf(kRecorder), name, folder, 0);
    useWideApi = 0;
    EXPECT_EQ(openFilesWithApplication(name, folder, list.get()), 206);
    useWideApi = 1;
    EXPECT_EQ(openFilesWithApplication(name, folder, list.get()), 0);
    EXPECT_EQ(recordsAfterAllEnded().size(), 1u);
}

TEST_F(ShellServices, ShellOpenHandsThePathToTheDesktop) {
    EXPECT_EQ(shellOpen(pascalOf(documents.path())), 0);
    EXPECT_EQ(shellOpen(pascalOf(documents.file("missing"))), 2);
    EXPECT_EQ(recordsAfterAllEnded(), (std::vector<LaunchRecord>{{kRecorder, documents.path()}}));
}

TEST_F(ShellServices, ASoundPlaysInTheBackgroundAndAlwaysAnswers0) {
    platform::setSoundPlayersForTesting({kRecorder});
    EXPECT_EQ(playSoundFile(pascalOf("done.wav"), pascalOf(documents.path())), 0);
    platform::setSoundPlayersForTesting({"vdk-no-such-player"});
    EXPECT_EQ(playSoundFile(pascalOf("done.wav"), pascalOf(documents.path())), 0);
    EXPECT_EQ(recordsAfterAllEnded(), (std::vector<LaunchRecord>{{kRecorder, documents.file("done.wav")}}));
}

// ---- associations and names ---------------------------------------------------------------------

class ShellAssociations : public ShellServices {
protected:
    void SetUp() override {
        ShellServices::SetUp();
        platform::DesktopSearchPaths paths;
        paths.dataFolders = {desktop.path()};
        paths.programSearchPath = "/nowhere";
        platform::setDesktopSearchPathsForTesting(paths);
        writeFile(desktop.file("mime/globs2"), "50:application/xml:*.xml\n");
        writeFile(desktop.file("applications/mimeinfo.cache"), "[MIME Cache]\napplication/xml=recorder.desktop;\n");
        writeFile(desktop.file("applications/recorder.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Recorder Deluxe\nExec=" + kRecorder + " %f\n");
    }

    testsupport::TemporaryFolder desktop;
};

TEST_F(ShellAssociations, AnExtensionFindsItsApplicationAndOpensNothing) {
    PascalWString name = makePascal(u"unchanged");
    PascalWString folder = makePascal(u"unchanged/");
    ASSERT_EQ(findAssociatedApplication(fourCharCode("TEXT"), fourCharCode("ttxt"), "XML", name, folder), 0);
    EXPECT_EQ(bytesOf(folder) + bytesOf(name), kRecorder);
    PascalWString other = makePascal(u"unchanged");
    EXPECT_EQ(findAssociatedApplication(0, 0, "docx", other, folder), 1155);
    EXPECT_EQ(findAssociatedApplication(0, 0, "xmlxmlxmlxmlxml", other, folder), 1155) << "15 characters";
    EXPECT_EQ(findAssociatedApplication(0, 0, nullptr, other, folder), 1155);
    EXPECT_EQ(other, makePascal(u"unchanged"));
    EXPECT_TRUE(recordsAfterAllEnded().empty());
}

TEST_F(ShellAssociations, AnApplicationIsNamedByTheDesktopOrElseByItsFileName) {
    PascalWString name;
    PascalWString folder;
    splitPath(pascalOf(kRecorder), name, folder, 0);
    char16_t text[256];
    EXPECT_EQ(applicationDisplayName(name, folder, text, 256), 0);
    EXPECT_EQ(std::u16string(text), u"Recorder Deluxe");
    EXPECT_EQ(applicationDisplayName(pascalOf("some.tool.bin"), pascalOf("/opt/tools/"), text, 256), 1155);
    EXPECT_EQ(std::u16string(text), u"some.tool");
    EXPECT_EQ(applicationDisplayName(name, folder, nullptr, 256), 22);
    EXPECT_EQ(applicationDisplayName(name, folder, text, 0), 22);
}

// Either name is cut to the buffer the caller gives, never written past it.
TEST_F(ShellAssociations, AnApplicationNameStaysInsideTheBufferItIsGiven) {
    PascalWString name;
    PascalWString folder;
    splitPath(pascalOf(kRecorder), name, folder, 0);
    char16_t text[16];
    std::fill(std::begin(text), std::end(text), u'#');
    EXPECT_EQ(applicationDisplayName(name, folder, text, 9), 0);
    EXPECT_EQ(std::u16string(text), u"Recorder");
    EXPECT_EQ(text[9], u'#');
    std::fill(std::begin(text), std::end(text), u'#');
    EXPECT_EQ(applicationDisplayName(pascalOf("some.tool.bin"), pascalOf("/opt/tools/"), text, 5), 1155);
    EXPECT_EQ(std::u16string(text), u"some");
    EXPECT_EQ(text[5], u'#');
}

// ---- dialogs and file names ---------------------------------------------------------------------

TEST_F(ShellServices, BrowseDialogsAnswerCancelledAndLeaveTheirOutputs) {
    PascalWString name = makePascal(u"name");
    PascalWString folder = makePascal(u"/folder/");
    EXPECT_EQ(chooseFolder(name, folder, nullptr), -9999);
    EXPECT_EQ(chooseApplication(name, folder, u"Pick one"), -9999);
    EXPECT_EQ(chooseFileOrFolder(name, folder, nullptr, -1), -9999);
    EXPECT_EQ(name, makePascal(u"name"));
    EXPECT_EQ(folder, makePascal(u"/folder/"));
    EXPECT_EQ(returnZero(name, folder, nullptr, 0, 0), 0);
    EXPECT_EQ(name, makePascal(u"name"));
}

TEST(FileNames, AFolderReferenceIsMadeOnlyFromAnEmptyName) {
    PascalWString reference = makePascal(u"old text that must go");
    EXPECT_EQ(makeFolderReference(makePascal(u"report.rtf"), makePascal(u"/docs/"), reference), 22);
    EXPECT_EQ(reference, PascalWString{});
    EXPECT_EQ(makeFolderReference(PascalWString{}, makePascal(u"/docs/"), reference), 0);
    EXPECT_EQ(reference, makePascal(u"/docs/"));
}

TEST(FileNames, TypeAndExtensionComeFromTheName) {
    std::uint32_t type = 0;
    std::uint32_t creator = 0;
    char fileName[256];
    char extension[256];
    ASSERT_EQ(fileTypeAndExtension(makePascal(u"report.final.docx"), makePascal(u"/nowhere/"), type, creator, fileName,
                                   sizeof fileName, extension, sizeof extension),
              0);
    EXPECT_EQ(type, kAnyFileCode);
    EXPECT_EQ(creator, kAnyFileCode);
    EXPECT_STREQ(fileName, "report.final.docx");
    EXPECT_STREQ(extension, "DOCX");
    ASSERT_EQ(fileTypeAndExtension(makePascal(u"README"), makePascal(u"/nowhere/"), type, creator, fileName,
                                   sizeof fileName, extension, sizeof extension),
              0);
    EXPECT_STREQ(extension, "???");
    char shortName[5];
    ASSERT_EQ(fileTypeAndExtension(makePascal(u"report.final.docx"), makePascal(u"/nowhere/"), type, creator, shortName,
                                   sizeof shortName, extension, sizeof extension),
              0);
    EXPECT_STREQ(shortName, "repo");
    EXPECT_STREQ(extension, "DOCX");
    EXPECT_EQ(fileTypeAndExtension(makePascal(u"README"), makePascal(u"/nowhere/"), type, creator, fileName, 0, extension,
                                   sizeof extension),
              32003);
}

}  // namespace
