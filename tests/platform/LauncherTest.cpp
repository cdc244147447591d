#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/FileName.h"
#include "platform/files/FileSystem.h"
#include "platform/shell/Launcher.h"
#include "platform/shell/SoundPlayer.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LaunchRecords.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using platform::NativePath;
using testsupport::LaunchRecord;

const std::string kRecorder = VDK_ARGUMENT_RECORDER;

using testsupport::writeBytes;

class Launcher : public ::testing::Test {
protected:
    void SetUp() override { platform::setDesktopOpenerForTesting(kRecorder); }
    void TearDown() override {
        platform::waitForLaunchedPrograms();
        platform::setDesktopOpenerForTesting("");
        platform::setSoundPlayersForTesting({});
    }

    std::vector<LaunchRecord> recordsAfterAllEnded() {
        platform::waitForLaunchedPrograms();
        return recording.records();
    }

    testsupport::RecordingFolder recording;
    testsupport::TemporaryFolder folder;
};

TEST_F(Launcher, AChosenApplicationGetsTheDocumentAsOneUnchangedArgument) {
    const std::string document = folder.file("it's a \"quoted\" $HOME `id` $(id) ; & | * name.rtf");
    writeBytes(document, "{\\rtf1}");
    ASSERT_EQ(platform::openWithApplication(NativePath::fromNarrow(kRecorder), NativePath::fromNarrow(document)), 0);
    EXPECT_EQ(recordsAfterAllEnded(), (std::vector<LaunchRecord>{{kRecorder, document}}));
}

TEST_F(Launcher, TheDesktopOpenerGetsTheDocumentOrFolder) {
    const std::string document = folder.file("report with blanks.csv");
    writeBytes(document, "a,b\r\n");
    ASSERT_EQ(platform::openWithDesktop(NativePath::fromWide(platform::fileNameFromBytes(document))), 0);
    ASSERT_EQ(platform::openWithDesktop(NativePath::fromNarrow(folder.path())), 0);
    EXPECT_EQ(recordsAfterAllEnded(), (std::vector<LaunchRecord>{{kRecorder, folder.path()}, {kRecorder, document}}));
}

TEST_F(Launcher, FailuresAnswerTheErrorNumbers) {
    const std::string notAProgram = folder.file("plain.txt");
    writeBytes(notAProgram, "just text");
    const std::string noShebang = folder.file("no interpreter");
    writeBytes(noShebang, "echo this must never run\n");
    ::chmod(noShebang.c_str(), 0755);
    const NativePath document = NativePath::fromNarrow(notAProgram);

    EXPECT_EQ(platform::openWithApplication(NativePath::fromNarrow(folder.file("missing")), document), 2);
    EXPECT_EQ(platform::openWithApplication(NativePath::fromNarrow(folder.file("missing/app")), document), 2);
    EXPECT_EQ(platform::openWithApplication(NativePath::fromNarrow(notAProgram + "/app"), document), 3);
    EXPECT_EQ(platform::openWithApplication(NativePath::fromNarrow(noShebang), document), 11) << "a script is never handed to a shell";
    EXPECT_EQ(platform::openWithApplication(NativePath::fromNarrow(std::string(600, 'x')), document), 206);
    EXPECT_EQ(platform::openWithDesktop(NativePath::fromNarrow(folder.file("no such document"))), 2);
    EXPECT_EQ(platform::runProgram("vdk-no-such-program-anywhere", {}), 2);
    EXPECT_TRUE(recordsAfterAllEnded().empty());
}

// $PATH set for one test and put back after it.
class SearchPath {
public:
    explicit SearchPath(const std::string& path) {
        if (const char* old = std::getenv("PATH")) saved = old;
        ::setenv("PATH", path.c_str(), 1);
    }
    ~SearchPath() {
        if (saved) ::setenv("PATH", saved->c_str(), 1);
        else ::unsetenv("PATH");
    }
    SearchPath(const SearchPath&) = delete;
    SearchPath& operator=(const SearchPath&) = delete;

private:
    std::optional<std::string> saved;
};

TEST_F(Launcher, AProgramSearchPassesOverWhatIsNoProgramAsAShellDoes) {
    // In the way: a folder that may not be searched (as any user but root), a folder that bears the
    // program's name, a file of that name that may not be run, and a path that is a file.
    std::filesystem::create_directories(folder.file("locked"));
    std::filesystem::create_directories(folder.file("named/vdk-test-program"));
    std::filesystem::create_directories(folder.file("plain"));
    std::filesystem::create_directories(folder.file("bin"));
    writeBytes(folder.file("plain/vdk-test-program"), "not a program");
    writeBytes(folder.file("a file"), "");
    std::filesystem::copy_file(kRecorder, folder.file("bin/vdk-test-program"));
    ASSERT_EQ(::chmod(folder.file("bin/vdk-test-program").c_str(), 0755), 0);
    ASSERT_EQ(::chmod(folder.file("locked").c_str(), 0), 0);
    struct Case {
        const char* what;
        std::string searchPath;
        std::int16_t expected;
    };
    const Case cases[] = {
        {"nothing of the name", folder.file("locked") + ":" + folder.file("named") + ":" + folder.file("a file"), 2},
        {"only a file that may not be run", folder.file("locked") + ":" + folder.file("plain"), 5},
        {"found after the others", folder.file("locked") + ":" + folder.file("named") + ":" + folder.file("plain") + ":" + folder.file("bin"), 0},
    };
    for (const auto& c : cases) {
        const SearchPath searchPath(c.searchPath);
        EXPECT_EQ(platform::runProgram("vdk-test-program", {c.what}), c.expected) << c.what;
    }
    ::chmod(folder.file("locked").c_str(), 0755);  // so that the folder can be removed
    EXPECT_EQ(recordsAfterAllEnded(), (std::vector<LaunchRecord>{{"vdk-test-program", "found after the others"}}));
}

TEST_F(Launcher, AMissingDesktopOpenerAnswersNotFound) {
    platform::setDesktopOpenerForTesting(folder.file("no-opener"));
    EXPECT_EQ(platform::openWithDesktop(NativePath::fromNarrow(folder.path())), 2);
}

TEST(ShellExecuteAnswer, MapsLaunchResultsToTheShellsAnswers) {
    const struct {
        std::int16_t launch;
        std::int32_t answer;
    } cases[] = {{0, 42}, {8, 0}, {2, 2}, {3, 3}, {5, 5}, {11, 11}, {1155, 31}, {206, 2}, {20005, 5}};
    for (const auto& c : cases) EXPECT_EQ(platform::shellExecuteAnswer(c.launch), c.answer) << c.launch;
}

TEST_F(Launcher, ASoundGoesToTheFirstInstalledPlayer) {
    platform::setSoundPlayersForTesting({"vdk-no-such-player", folder.file("missing-player"), kRecorder, "/bin/false"});
    platform::playSoundInBackground(NativePath::fromNarrow(folder.file("ding $1.wav")));
    EXPECT_EQ(recordsAfterAllEnded(), (std::vector<LaunchRecord>{{kRecorder, folder.file("ding $1.wav")}}));

    platform::setSoundPlayersForTesting({"vdk-no-such-player"});
    platform::playSoundInBackground(NativePath::fromNarrow(folder.file("ding.wav")));
    EXPECT_EQ(recordsAfterAllEnded().size(), 1u) << "no player: nothing happens";
}

}  // namespace
