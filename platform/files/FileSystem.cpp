#include "platform/files/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <climits>
#include <ctime>
#include <new>

#include "platform/files/FileName.h"

namespace platform {
namespace {

constexpr std::int16_t kNotEnoughMemory = 8;

std::int16_t lastError() {
    return errorFromErrno(errno);
}

// Seconds since 1970 as the unsigned 32-bit value callers keep; times outside it are not known (0).
std::uint32_t toTimeValue(std::int64_t seconds) {
    if (seconds <= 0 || seconds > static_cast<std::int64_t>(UINT32_MAX)) return 0;
    return static_cast<std::uint32_t>(seconds);
}

// The last component of a path, trailing separators ignored ("a/.b/" gives ".b").
std::string_view lastComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool isHiddenName(std::string_view path) {
    const std::string_view name = lastComponent(path);
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

// Opening a FIFO or a device for reading could block or read endlessly: only plain files are files.
std::int16_t refuseUnlessPlainFile(int fd) {
    struct stat status {};
    if (fstat(fd, &status) != 0) return lastError();
    return S_ISREG(status.st_mode) ? 0 : error::kAccessDenied;
}

bool isLinkToFolder(int folderFd, const char* name, unsigned char type) {
    if (type != DT_LNK && type != DT_UNKNOWN) return false;
    struct stat status {};
    if (fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(status.st_mode)) return false;
    return fstatat(folderFd, name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

bool& statxRefusedForTesting() {
    static bool refused = false;
    return refused;
}

bool isRefusedSystemCall(int errnoValue) {
    return errnoValue == ENOSYS || errnoValue == EPERM;
}

// statx with the basic fields and the birth time; -1 with errno set as refused when a test says so.
int queryWithStatx(const std::string& path, struct statx& status) {
    if (statxRefusedForTesting()) {
        errno = ENOSYS;
        return -1;
    }
    return statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &status);
}

// The same facts from stat, which keeps no birth time: the creation time is the modification time.
std::int16_t queryWithStat(const std::string& path, ItemInfo& info) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return lastError();
    info.isFolder = S_ISDIR(status.st_mode);
    info.size = static_cast<std::uint64_t>(status.st_size);
    info.modificationTime = toTimeValue(status.st_mtim.tv_sec);
    info.creationTime = info.modificationTime;
    return 0;
}

std::int16_t readNames(DIR* folder, std::vector<std::string>& names) {
    errno = 0;
    while (const dirent* entry = readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && !isLinkToFolder(dirfd(folder), entry->d_name, entry->d_type)) {
            names.emplace_back(name);
        }
        errno = 0;
    }
    return lastError();
}

}  // namespace

NativePath NativePath::fromWide(std::u16string_view path) {
    NativePath native;
    native.text = fileNameToBytes(path);
    if (native.text.find('\0') != std::string::npos) native.error = error::kInvalidName;
    return native;
}

NativePath NativePath::fromNarrow(std::string_view bytes) {
    NativePath native;
    if (bytes.size() > kNarrowPathLimit) {
        native.error = error::kNameTooLong;
    } else {
        native.text = bytes;
        if (native.text.find('\0') != std::string::npos) native.error = error::kInvalidName;
    }
    return native;
}

std::int16_t createNewFile(const NativePath& path) {
    if (path.problem() != 0) return path.problem();
    const int fd = open(path.bytes().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return lastError();
    return close(fd) == 0 ? 0 : lastError();
}

std::int16_t openFile(const NativePath& path, bool forReading, bool forWriting, FileHandle& handle) {
    handle = kNoFile;
    if (path.problem() != 0) return path.problem();
    const int access = forWriting ? (forReading ? O_RDWR : O_WRONLY) : O_RDONLY;
    // Non-blocking only while we look at what was opened: a FIFO must not hang the open.
    const int fd = open(path.bytes().c_str(), access | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return lastError();
    std::int16_t result = refuseUnlessPlainFile(fd);
    if (result == 0) {
        const int flags = fcntl(fd, F_GETFL);
        if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) result = lastError();
    }
    if (result != 0) {
        close(fd);
        return result;
    }
    handle = fd;
    return 0;
}

std::int16_t closeFile(FileHandle& handle) {
    if (handle == kNoFile) return 0;
    const int fd = handle;
    handle = kNoFile;  // after close() the descriptor is gone whatever it answers
    return close(fd) == 0 ? 0 : lastError();
}

std::int16_t seekFile(FileHandle handle, std::int16_t origin, std::int64_t offset, std::int64_t* newPosition) {
    if (handle == kNoFile) return error::kNotOpen;
    int whence = SEEK_SET;
    switch (origin) {
        case kFromStart: whence = SEEK_SET; break;
        case kFromCurrent: whence = SEEK_CUR; break;
        case kFromEnd: whence = SEEK_END; break;
        default: return error::kInvalidParameter;
    }
    const off_t position = lseek(handle, static_cast<off_t>(offset), whence);
    if (position < 0) return errno == EINVAL ? error::kNegativeSeek : lastError();
    if (newPosition) *newPosition = position;
    return 0;
}

std::int16_t readFile(FileHandle handle, void* buffer, std::int32_t count, std::int32_t& bytesRead) {
    bytesRead = 0;
    if (handle == kNoFile) return error::kNotOpen;
    if (count < 0 || (count > 0 && !buffer)) return error::kInvalidParameter;
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (bytesRead < count) {
        const ssize_t n = read(handle, bytes + bytesRead, static_cast<std::size_t>(count - bytesRead));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastError();
        if (n == 0) break;
        bytesRead += static_cast<std::int32_t>(n);
    }
    return 0;
}

std::int16_t writeFile(FileHandle handle, const void* buffer, std::int32_t count) {
    if (handle == kNoFile) return error::kNotOpen;
    if (count < 0 || (count > 0 && !buffer)) return error::kInvalidParameter;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::int32_t written = 0;
    while (written < count) {
        const ssize_t n = write(handle, bytes + written, static_cast<std::size_t>(count - written));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastError();
        if (n == 0) return error::kDiskFull;
        written += static_cast<std::int32_t>(n);
    }
    return 0;
}

std::int16_t fileSize(FileHandle handle, std::uint64_t& size) {
    if (handle == kNoFile) return error::kNotOpen;
    struct stat status {};
    if (fstat(handle, &status) != 0) return lastError();
    size = static_cast<std::uint64_t>(status.st_size);
    return 0;
}

std::int16_t setFileLength(FileHandle handle, std::int64_t length) {
    if (handle == kNoFile) return error::kNotOpen;
    if (length < 0) return error::kInvalidParameter;
    return ftruncate(handle, static_cast<off_t>(length)) == 0 ? 0 : lastError();
}

std::int16_t deleteFile(const NativePath& path) {
    if (path.problem() != 0) return path.problem();
    return unlink(path.bytes().c_str()) == 0 ? 0 : lastError();
}

std::int16_t replaceFile(const NativePath& from, const NativePath& to) {
    if (from.problem() != 0) return from.problem();
    if (to.problem() != 0) return to.problem();
    struct stat status {};
    if (lstat(from.bytes().c_str(), &status) != 0) return lastError();
    if (!S_ISREG(status.st_mode)) return error::kAccessDenied;
    if (stat(to.bytes().c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return error::kAccessDenied;
    return rename(from.bytes().c_str(), to.bytes().c_str()) == 0 ? 0 : lastError();
}

std::int16_t createFolder(const NativePath& path) {
    if (path.problem() != 0) return path.problem();
    return mkdir(path.bytes().c_str(), 0777) == 0 ? 0 : folderErrorFromErrno(errno);
}

std::int16_t queryItem(const NativePath& path, ItemInfo& info) {
    if (path.problem() != 0) return path.problem();
    info.isHidden = isHiddenName(path.bytes());
    struct statx status {};
    if (queryWithStatx(path.bytes(), status) != 0) {
        return isRefusedSystemCall(errno) ? queryWithStat(path.bytes(), info) : lastError();
    }
    info.isFolder = S_ISDIR(status.stx_mode);
    info.size = status.stx_size;
    info.modificationTime = toTimeValue(status.stx_mtime.tv_sec);
    info.creationTime = (status.stx_mask & STATX_BTIME) ? toTimeValue(status.stx_btime.tv_sec) : info.modificationTime;
    return 0;
}

void refuseStatxForTesting(bool refuse) {
    statxRefusedForTesting() = refuse;
}

std::int16_t readLinkTarget(const NativePath& path, std::string& target) {
    if (path.problem() != 0) return path.problem();
    try {
        for (std::size_t size = 256;; size *= 2) {
            std::string buffer(size, '\0');
            const ssize_t n = readlink(path.bytes().c_str(), buffer.data(), buffer.size());
            if (n < 0) return lastError();
            if (static_cast<std::size_t>(n) < buffer.size()) {
                buffer.resize(static_cast<std::size_t>(n));
                target = std::move(buffer);
                return 0;
            }
            if (size >= kLongestLinkTarget) return error::kNameTooLong;
        }
    } catch (const std::bad_alloc&) {
        return kNotEnoughMemory;
    }
}

std::int16_t setItemTimes(const NativePath& path, const std::uint32_t*, const std::uint32_t* modificationTime) {
    if (path.problem() != 0) return path.problem();
    struct timespec times[2] {};
    times[0].tv_nsec = UTIME_OMIT;  // the last-access time stays
    if (modificationTime) times[1].tv_sec = static_cast<time_t>(*modificationTime);
    else times[1].tv_nsec = UTIME_OMIT;
    return utimensat(AT_FDCWD, path.bytes().c_str(), times, 0) == 0 ? 0 : lastError();
}

bool FolderListing::nextWide(std::u16string& name) {
    std::string bytes;
    if (!nextNarrow(bytes)) return false;
    name = fileNameFromBytes(bytes);
    return true;
}

bool FolderListing::nextNarrow(std::string& name) {
    if (next >= entries.size()) return false;
    name = entries[next++];
    return true;
}

std::int16_t openFolderListing(const NativePath& path, FolderListing*& listing) {
    listing = nullptr;
    if (path.problem() != 0) return path.problem();
    DIR* folder = opendir(path.bytes().c_str());
    if (!folder) return lastError();
    std::int16_t result = 0;
    try {
        std::vector<std::string> names;
        result = readNames(folder, names);
        if (result == 0) {
            std::sort(names.begin(), names.end());
            listing = new (std::nothrow) FolderListing(std::move(names));
            if (!listing) result = kNotEnoughMemory;
        }
    } catch (const std::bad_alloc&) {
        result = kNotEnoughMemory;
    }
    closedir(folder);
    return result;
}

void closeFolderListing(FolderListing*& listing) {
    delete listing;
    listing = nullptr;
}

}  // namespace platform
