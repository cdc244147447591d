#include "platform/files/ProgramSearch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/process/SystemError.h"

namespace platform {
namespace {

constexpr const char* kUsualSearchPath = "/usr/local/bin:/usr/bin:/bin";

enum class Candidate { Missing, NotRunnable, Runnable };

// A path that cannot be looked at (a folder on the way that may not be searched) is missing, as is a
// folder: neither is a program.
Candidate candidateAt(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return Candidate::Missing;
    return ::access(path.c_str(), X_OK) == 0 ? Candidate::Runnable : Candidate::NotRunnable;
}

std::int16_t answerFor(Candidate candidate) {
    switch (candidate) {
        case Candidate::Runnable: return 0;
        case Candidate::NotRunnable: return error::kAccessDenied;
        case Candidate::Missing: break;
    }
    return error::kFileNotFound;
}

}  // namespace

std::string programSearchPath() {
    const char* path = std::getenv("PATH");
    return path ? std::string(path) : std::string(kUsualSearchPath);
}

std::int16_t locateProgram(std::string_view name, std::string_view searchPath, std::string& path) {
    path.clear();
    if (name.empty()) return error::kFileNotFound;
    if (name.find('/') != std::string_view::npos) {
        const std::string named(name);
        const std::int16_t answer = answerFor(candidateAt(named));
        if (answer == 0) path = named;
        return answer;
    }
    bool notRunnableSeen = false;
    while (true) {
        const std::size_t colon = searchPath.find(':');
        std::string candidate(searchPath.substr(0, colon));
        if (candidate.empty()) candidate.assign(1, '.');
        if (candidate.back() != '/') candidate += '/';
        candidate.append(name);
        const Candidate found = candidateAt(candidate);
        if (found == Candidate::Runnable) {
            path = std::move(candidate);
            return 0;
        }
        notRunnableSeen = notRunnableSeen || found == Candidate::NotRunnable;
        if (colon == std::string_view::npos) break;
        searchPath.remove_prefix(colon + 1);
    }
    return notRunnableSeen ? error::kAccessDenied : error::kFileNotFound;
}

std::string findProgram(std::string_view name, std::string_view searchPath) {
    std::string path;
    locateProgram(name, searchPath, path);
    return path;
}

}  // namespace platform
