#pragma once
// Files and folders on this build: POSIX calls on byte paths, with the results the program's callers
// test for (the error numbers of SystemError.h, 0 = success).
//
// A path reaches the layer in one of two forms, as the process-wide wide-call choice says:
//  - wide: UTF-16 text, turned into bytes here by the file-name mapping of FileName.h;
//  - narrow: the bytes themselves (UTF-8, or the same mapping done by the caller), at most 511 bytes.
// Both end in the same calls, so the only differences are where the conversion happens and the limit.
//
// Rules every call keeps: opening a folder (or anything that is not a plain file) as a file fails
// with 5; a name that starts with '.' is hidden; folder listings are sorted by name (byte order, which
// is code-point order for UTF-8) and never show a symbolic link to a folder, so walks never follow one.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process/SystemError.h"

namespace platform {

namespace error {
constexpr std::int16_t kEndOfFile = 38;          // a read met the end of the file before its count
constexpr std::int16_t kNotSupported = 50;
constexpr std::int16_t kInvalidParameter = 87;   // a negative count or length, an unknown origin
constexpr std::int16_t kInvalidName = 123;       // a path holding a 0 character
constexpr std::int16_t kNegativeSeek = 131;      // a position before the start of the file
constexpr std::int16_t kFileTooLarge = 223;      // a size or position beyond the 32-bit values callers take
}  // namespace error

// The longest path the narrow calls take, in bytes.
constexpr std::size_t kNarrowPathLimit = 511;

// A path ready for the system, or the reason it cannot be one (every call answers that reason).
class NativePath {
public:
    static NativePath fromWide(std::u16string_view path);
    static NativePath fromNarrow(std::string_view bytes);

    std::int16_t problem() const { return error; }
    const std::string& bytes() const { return text; }

private:
    std::string text;
    std::int16_t error = 0;
};

using FileHandle = int;
constexpr FileHandle kNoFile = -1;

// Origins of a file position, as the callers number them.
constexpr std::int16_t kFromStart = 0;
constexpr std::int16_t kFromCurrent = 1;
constexpr std::int16_t kFromEnd = 2;

// Creates a new empty plain file and closes it again; an existing file or folder answers 80.
std::int16_t createNewFile(const NativePath& path);
// Opens an existing plain file; without read or write asked it is opened for reading.
std::int16_t openFile(const NativePath& path, bool forReading, bool forWriting, FileHandle& handle);
// Closes an open handle and sets it to kNoFile; kNoFile is left alone (0).
std::int16_t closeFile(FileHandle& handle);
// Moves the position; the new position goes to newPosition when given.
std::int16_t seekFile(FileHandle handle, std::int16_t origin, std::int64_t offset, std::int64_t* newPosition);
// Reads up to count bytes at the current position, as many as there are; bytesRead tells how many.
std::int16_t readFile(FileHandle handle, void* buffer, std::int32_t count, std::int32_t& bytesRead);
// Writes all count bytes at the current position (or fails, 112 when the disk is full).
std::int16_t writeFile(FileHandle handle, const void* buffer, std::int32_t count);
std::int16_t fileSize(FileHandle handle, std::uint64_t& size);
// Cuts or extends the file to length bytes; the position is left where it was.
std::int16_t setFileLength(FileHandle handle, std::int64_t length);

// Deletes a file (not a folder: 5).
std::int16_t deleteFile(const NativePath& path);
// Gives a plain file a new path in one step, replacing a plain file that stands there; a reader of the
// target sees the old file or the new one, never a mixture. A folder on either side answers 5.
std::int16_t replaceFile(const NativePath& from, const NativePath& to);
// Creates one folder; its parent must exist (3 or 2 otherwise); an existing entry answers 183.
std::int16_t createFolder(const NativePath& path);

// What the system tells about a file or folder. Times are seconds since 1970-01-01 UTC as unsigned
// 32-bit values (0 = not known). The creation time is the file system's birth time where it keeps
// one, otherwise the modification time.
struct ItemInfo {
    bool isFolder = false;
    bool isHidden = false;
    std::uint64_t size = 0;
    std::uint32_t creationTime = 0;
    std::uint32_t modificationTime = 0;
};
// Follows symbolic links (a link to a folder is a folder); a missing item answers 2 (3 for a missing
// or non-folder part of the path).
std::int16_t queryItem(const NativePath& path, ItemInfo& info);
// Where statx is refused (ENOSYS or EPERM: an old kernel, or a seccomp filter written before statx
// existed), queryItem asks stat instead, which knows no creation time. Tests make statx answer as
// refused, so that the fallback runs on any system; false puts statx back.
void refuseStatxForTesting(bool refuse);

// The target of a symbolic link as it is stored, however long; the buffer grows while readlink fills
// it, since a full buffer may hold a cut-off target. 206 when the target is longer than
// kLongestLinkTarget; an item that is no link fails with readlink's error (EINVAL).
constexpr std::size_t kLongestLinkTarget = 1 << 16;
std::int16_t readLinkTarget(const NativePath& path, std::string& target);

// Sets the modification time when one is given; a creation time cannot be set on this system and is
// ignored.
std::int16_t setItemTimes(const NativePath& path, const std::uint32_t* creationTime, const std::uint32_t* modificationTime);

// The entries of one folder, read whole when the listing starts.
class FolderListing {
public:
    explicit FolderListing(std::vector<std::string> names) : entries(std::move(names)) {}
    // The next entry's name in either form; false at the end.
    bool nextWide(std::u16string& name);
    bool nextNarrow(std::string& name);

private:
    std::vector<std::string> entries;
    std::size_t next = 0;
};
// Starts a listing without "." and ".." and without symbolic links to folders; the caller releases
// it with closeFolderListing.
std::int16_t openFolderListing(const NativePath& path, FolderListing*& listing);
void closeFolderListing(FolderListing*& listing);

}  // namespace platform
