#include "tests/support/OfficeOracle.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "tests/support/FileBytes.h"

extern char** environ;

namespace testsupport {

bool programOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::stringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) continue;
        const std::string candidate = folder + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return true;
    }
    return false;
}

ProgramRun runProgram(const std::vector<std::string>& arguments, int limitSeconds) {
    ProgramRun run;
    if (arguments.empty()) return run;
    TemporaryFolder scratch;
    const std::string messagesPath = scratch.file("messages");

    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 1, messagesPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::posix_spawn_file_actions_adddup2(&actions, 1, 2);
    // A process group of its own, so that the time limit ends every process the program started.
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    ::posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attributes);
    if (spawned != 0) return run;
    run.started = true;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child) break;
        if (ended < 0) {
            status = -1;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            run.timedOut = true;
            ::kill(-child, SIGKILL);
            ::waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!run.timedOut && status != -1 && WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    run.messages = readBytes(messagesPath);
    return run;
}

ProgramRun OfficeOracle::convert(const std::vector<std::string>& files, const std::string& format,
                                 const std::string& outputFolder) const {
    std::vector<std::string> arguments = {"soffice", "-env:UserInstallation=file://" + profile.path() + "profile",
                                          "--headless", "--norestore", "--convert-to", format, "--outdir",
                                          outputFolder};
    arguments.insert(arguments.end(), files.begin(), files.end());
    return runProgram(arguments, kLimitSeconds);
}

ProgramRun pandocReadRTF(const std::string& file, std::string& text) {
    TemporaryFolder scratch;
    const std::string output = scratch.file("text.txt");
    ProgramRun run = runProgram({"pandoc", "--fail-if-warnings", "-f", "rtf", "-t", "plain", "-o", output, file},
                                OfficeOracle::kLimitSeconds);
    text = readBytes(output);
    return run;
}

}  // namespace testsupport
