#include "platform/shell/Launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <new>

#include "platform/files/ProgramSearch.h"
#include "platform/process/SystemError.h"

extern char** environ;

namespace platform {
namespace {

constexpr const char* kDesktopOpenerName = "xdg-open";
constexpr std::int32_t kShellExecuteSuccess = 42;  // any value above 32 means success
constexpr std::int32_t kShellExecuteNoAssociation = 31;
constexpr std::int16_t kNoAssociation = 1155;

std::string& desktopOpenerOverride() {
    static std::string path;
    return path;
}

std::vector<pid_t>& startedPrograms() {
    static std::vector<pid_t> programs;
    return programs;
}

// Collects the started programs that have ended; with `wait`, waits for all of them.
void collectEnded(bool wait) {
    auto& programs = startedPrograms();
    for (std::size_t i = 0; i < programs.size();) {
        const pid_t ended = ::waitpid(programs[i], nullptr, wait ? 0 : WNOHANG);
        const bool gone = ended == programs[i] || (ended < 0 && errno != EINTR);
        if (gone) {
            programs.erase(programs.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (!wait || ended == 0) {
            ++i;
        }
    }
}

std::int16_t launchErrorFromErrno(int errnoValue) {
    switch (errnoValue) {
        case ELOOP: return error::kPathNotFound;
        case ENOMEM:
        case EAGAIN:
        case E2BIG: return error::kNotEnoughResources;
        case ENOEXEC: return error::kNotAProgram;
        default: return errorFromErrno(errnoValue);
    }
}

// posix_spawn's settings for a program that runs on its own: a session of its own, the default
// signal mask and dispositions, and, when asked, its output to /dev/null.
class SpawnSettings {
public:
    explicit SpawnSettings(ProgramOutput output) {
        ready = ::posix_spawnattr_init(&attributes) == 0;
        actionsReady = ::posix_spawn_file_actions_init(&actions) == 0;
        if (!ready || !actionsReady) return;
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGCHLD);
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
        flags |= POSIX_SPAWN_SETSID;
#endif
        ready = ::posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
                ::posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
                ::posix_spawnattr_setflags(&attributes, flags) == 0;
        if (ready && output == ProgramOutput::Discarded) {
            ready = ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
                    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0) == 0;
        }
    }
    ~SpawnSettings() {
        if (actionsReady) ::posix_spawn_file_actions_destroy(&actions);
        ::posix_spawnattr_destroy(&attributes);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    bool ok() const { return ready && actionsReady; }

    posix_spawnattr_t attributes{};
    posix_spawn_file_actions_t actions{};

private:
    bool ready = false;
    bool actionsReady = false;
};

std::int16_t start(const std::string& program, const std::vector<std::string>& arguments, ProgramOutput output) {
    if (program.empty()) return error::kFileNotFound;
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const SpawnSettings settings(output);
    if (!settings.ok()) return error::kNotEnoughResources;
    collectEnded(false);
    startedPrograms().reserve(startedPrograms().size() + 1);  // so the started program is surely recorded
    // A bare name is looked for here rather than by posix_spawnp, which answers "no right" when any
    // folder of $PATH may not be searched; a shell passes such folders over, and so do we.
    std::string path = program;
    if (program.find('/') == std::string::npos) {
        if (const std::int16_t missing = locateProgram(program, programSearchPath(), path); missing != 0) return missing;
    }
    pid_t child = 0;
    const int failure = ::posix_spawn(&child, path.c_str(), &settings.actions, &settings.attributes, argv.data(), environ);
    if (failure != 0) return launchErrorFromErrno(failure);
    startedPrograms().push_back(child);
    return 0;
}

}  // namespace

std::int16_t runProgram(const std::string& program, const std::vector<std::string>& arguments, ProgramOutput output) {
    try {
        return start(program, arguments, output);
    } catch (const std::bad_alloc&) {
        return error::kNotEnoughResources;
    }
}

std::int16_t openWithDesktop(const NativePath& path) {
    if (path.problem() != 0) return path.problem();
    ItemInfo info;
    if (const std::int16_t missing = queryItem(path, info); missing != 0) return missing;
    return runProgram(desktopOpener(), {path.bytes()});
}

std::int16_t openWithApplication(const NativePath& application, const NativePath& document) {
    if (application.problem() != 0) return application.problem();
    if (document.problem() != 0) return document.problem();
    // A bare name would be looked for in $PATH; the application is a file, named by its path.
    std::string program = application.bytes();
    if (program.find('/') == std::string::npos) program = "./" + program;
    return runProgram(program, {document.bytes()});
}

std::int32_t shellExecuteAnswer(std::int16_t launchResult) {
    if (launchResult == 0) return kShellExecuteSuccess;
    if (launchResult == error::kNotEnoughResources) return 0;
    if (launchResult == kNoAssociation) return kShellExecuteNoAssociation;
    if (launchResult == error::kNameTooLong) return error::kFileNotFound;
    if (launchResult > 0 && launchResult < 32) return launchResult;
    return error::kAccessDenied;
}

std::string desktopOpener() {
    if (!desktopOpenerOverride().empty()) return desktopOpenerOverride();
    const std::string found = findProgram(kDesktopOpenerName, programSearchPath());
    return found.empty() ? std::string(kDesktopOpenerName) : found;
}

void setDesktopOpenerForTesting(const std::string& path) {
    desktopOpenerOverride() = path;
}

void waitForLaunchedPrograms() {
    collectEnded(true);
}

}  // namespace platform
