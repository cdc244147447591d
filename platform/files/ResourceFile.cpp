#include "platform/files/ResourceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "platform/process/SystemError.h"

namespace platform {
namespace {

// Closes the descriptor when the read ends, whichever way.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenFile() {
        if (descriptor >= 0) ::close(descriptor);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int get() const { return descriptor; }

private:
    int descriptor;
};

}  // namespace

std::int16_t readResourceFile(const std::string& path, std::size_t maximumBytes, std::string& contents) {
    contents.clear();
    const OpenFile file(path);
    if (file.get() < 0) return errorFromErrno(errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return errorFromErrno(errno);
    if (!S_ISREG(status.st_mode)) return error::kAccessDenied;
    if (static_cast<std::uint64_t>(status.st_size) > maximumBytes) return kResourceFileTooLarge;
    try {
        contents.resize(static_cast<std::size_t>(status.st_size));
    } catch (const std::bad_alloc&) {
        return kResourceFileNoMemory;
    }
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t got = ::read(file.get(), contents.data() + done, contents.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const std::int16_t failure = errorFromErrno(errno);
            contents.clear();
            return failure;
        }
        if (got == 0) break;  // the file shrank while it was read: keep what is there
        done += static_cast<std::size_t>(got);
    }
    contents.resize(done);
    return 0;
}

}  // namespace platform
