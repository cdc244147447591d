// The program on a desktop: its files handed to a running program, and its file types registered and
// unregistered in a private home.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/requests/DDEServer.h"
#include "platform/files/FileName.h"
#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ServeWhilePeersRun.h"

namespace {

using apptest::RunResult;
using testsupport::readBytes;
using testsupport::writeBytes;

constexpr const char* kWordType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document";

const std::string kDocument = "<?xml version=\"1.0\"?>\n"
                              "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\">"
                              "<w:body><w:p><w:r><w:t>Handed over</w:t></w:r></w:p></w:body></w:wordDocument>";

class ShellIntegrationRunTest : public apptest::ProgramRunTest {
protected:
    // What the desktop's own tool answers as the default application of the type, in the test's home.
    std::string desktopDefault(const char* mimeType) {
        const std::string command = "env -i HOME='" + home() + "' XDG_CONFIG_HOME='" + configFolder() +
                                    "' PATH=/usr/bin:/bin xdg-mime query default '" + mimeType + "' >'" +
                                    temporary.file("xdg") + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0) return "<failed>";
        std::string answer = readBytes(temporary.file("xdg"));
        while (!answer.empty() && answer.back() == '\n') answer.pop_back();
        return answer;
    }
};

TEST_F(ShellIntegrationRunTest, ASecondStartHandsItsFilesToTheRunningProgramAndConvertsThemItselfWhenNoneRuns) {
    const std::string runtime = temporary.path() + "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    testsupport::ScopedEnvironment runtimeVariable("XDG_RUNTIME_DIR", runtime.c_str());
    environment = "XDG_RUNTIME_DIR='" + runtime + "'";
    ASSERT_TRUE(writeBytes(temporary.file("first.xml"), kDocument));
    ASSERT_TRUE(writeBytes(temporary.file("second.xml"), kDocument));

    // The running program's side: its loop serves the service while the second start runs.
    CDDEServer server(nullptr);
    ASSERT_TRUE(server.start());
    std::vector<std::string> delivered;
    RunResult second{};
    testsupport::serveWhilePeersRun(
        server.fileDescriptor(),
        [&] {
            server.serviceRequests();
            for (const std::u16string& path : server.takeOpenRequests())
                delivered.push_back(platform::fileNameToBytes(path));
        },
        [&] { second = run({"first.xml", temporary.file("second.xml")}); });
    EXPECT_EQ(second.status, 0) << second.errors;
    EXPECT_EQ(delivered, (std::vector<std::string>{temporary.file("first.xml"), temporary.file("second.xml")}))
        << "a relative path goes over whole";
    EXPECT_FALSE(std::filesystem::exists(temporary.file("first.rtf"))) << "the second start converted nothing";
    EXPECT_NE(second.output.find("already running"), std::string::npos) << second.output;

    server.stop();
    const RunResult third = run({"first.xml", "second.xml"});
    EXPECT_EQ(third.status, 0) << third.errors;
    EXPECT_TRUE(std::filesystem::exists(temporary.file("first.rtf")));
    EXPECT_TRUE(std::filesystem::exists(temporary.file("second.rtf")));
}

TEST_F(ShellIntegrationRunTest, InstallThenRemoveInAPrivateHome) {
    const std::string mimeApps = configFolder() + "mimeapps.list";
    const std::string entry = home() + ".local/share/applications/vostrandimeko.desktop";
    const std::string unrelated = "[Default Applications]\nimage/png=viewer.desktop;\n";
    std::filesystem::create_directories(configFolder());
    ASSERT_TRUE(writeBytes(mimeApps, unrelated));

    const RunResult install = run({"/install"});
    ASSERT_EQ(install.status, 0) << install.errors;
    EXPECT_NE(readBytes(entry).find("MimeType=" + std::string(kWordType) + ";"), std::string::npos);
    EXPECT_NE(readBytes(mimeApps).find(std::string(kWordType) + "=vostrandimeko.desktop;"), std::string::npos);
    EXPECT_NE(readBytes(configFolder() + "Vostrandimeko registry.txt").find("[HKEY_CLASSES_ROOT\\Vostrandimeko.docx"),
              std::string::npos);
    const bool haveXdgMime = std::system("command -v xdg-mime >/dev/null 2>&1") == 0;
    if (haveXdgMime) {
        EXPECT_EQ(desktopDefault(kWordType), "vostrandimeko.desktop");
    }

    const RunResult remove = run({"/remove"});
    ASSERT_EQ(remove.status, 0) << remove.errors;
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(readBytes(mimeApps), unrelated);
    if (!haveXdgMime) GTEST_SKIP() << "xdg-mime (xdg-utils) is not installed: the desktop's own reading was not checked";
    EXPECT_EQ(desktopDefault(kWordType), "") << "no default is left for the type";
}

TEST_F(ShellIntegrationRunTest, ARegistrationThatCannotBeWrittenEndsWithStatusOneAndTheReason) {
    // A file stands where the applications folder should be.
    std::filesystem::create_directories(home() + ".local/share");
    ASSERT_TRUE(writeBytes(home() + ".local/share/applications", "not a folder"));
    const RunResult install = run({"/install"});
    EXPECT_EQ(install.status, 1);
    EXPECT_NE(install.errors.find("applications/vostrandimeko.desktop"), std::string::npos) << install.errors;
}

}  // namespace

namespace {

// Waits until the predicate holds, for at most about half a minute; answers whether it came true.
template <typename Predicate>
bool eventually(Predicate holds) {
    for (int turn = 0; turn < 600; ++turn) {
        if (holds()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return holds();
}

}  // namespace

// Two real programs: one running its main window (the headless back end), and a later start with files
// that hands them over and ends at once; once the first has ended, a third start converts by itself.
TEST_F(ShellIntegrationRunTest, ARunningMainWindowConvertsTheFilesOfALaterStart) {
    const std::string runtime = temporary.path() + "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    environment = "XDG_RUNTIME_DIR='" + runtime + "'";
    ASSERT_TRUE(writeBytes(temporary.file("first.xml"), kDocument));
    ASSERT_TRUE(writeBytes(temporary.file("second.xml"), kDocument));

    const std::string pidFile = temporary.file("first.pid");
    const std::string start = "cd '" + temporary.path() + "' && (env -i HOME='" + home() + "' XDG_CONFIG_HOME='" +
                              configFolder() + "' XDG_CACHE_HOME='" + home() + "cache' PATH=/usr/bin:/bin " +
                              environment + " VOSTRANDIMEKO_WINDOWS=headless '" + VDK_PROGRAM +
                              "' >/dev/null 2>&1 </dev/null & echo $! >'" + pidFile + "')";
    ASSERT_EQ(std::system(start.c_str()), 0);
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(runtime + "/vostrandimeko/Vostrandimeko"); }))
        << "the main window never started its service";
    std::string pid = readBytes(pidFile);
    while (!pid.empty() && (pid.back() == '\n' || pid.back() == ' ')) pid.pop_back();

    const RunResult second = run({"first.xml", "second.xml"});
    EXPECT_EQ(second.status, 0) << second.errors;
    EXPECT_NE(second.output.find("already running"), std::string::npos) << second.output;
    EXPECT_TRUE(eventually([&] {
        return std::filesystem::exists(temporary.file("first.rtf")) && std::filesystem::exists(temporary.file("second.rtf"));
    })) << "the running program did not convert the handed-over files";

    ASSERT_EQ(std::system(("kill -TERM " + pid).c_str()), 0);
    EXPECT_TRUE(eventually([&] { return std::system(("kill -0 " + pid + " 2>/dev/null").c_str()) != 0; }));
    std::filesystem::remove(temporary.file("first.rtf"));
    const RunResult third = run({"first.xml"});
    EXPECT_EQ(third.status, 0) << third.errors;
    EXPECT_EQ(third.output.find("already running"), std::string::npos) << third.output;
    EXPECT_TRUE(std::filesystem::exists(temporary.file("first.rtf")));
}
