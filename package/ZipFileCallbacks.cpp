#include "package/ZipFileCallbacks.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "foundation/CFail.h"
#include "foundation/encoding/WideApiFlag.h"
#include "foundation/text/UniText.h"
#include "platform/files/FileSystem.h"

namespace {

// A package opened for reading is read through a buffer: the zip library reads its directory a few
// bytes at a time, and a system call for each cost half the time of converting a small document.
constexpr std::int32_t kReadBufferSize = 65536;

// What a stream pointer handed to the zip library stands for. A buffered stream keeps its own position;
// the file's position is moved to it only when the buffer is filled.
struct ZipStream {
    platform::FileHandle handle = platform::kNoFile;
    bool failed = false;
    std::unique_ptr<unsigned char[]> buffer;  // null: unbuffered (written packages)
    std::int64_t position = 0;
    std::int64_t bufferStart = 0;
    std::int32_t bufferLength = 0;
};

// Fills the buffer with the bytes at the stream's position; false when the file cannot be read.
bool fillBuffer(ZipStream& file) {
    std::int32_t bytesRead = 0;
    if (platform::seekFile(file.handle, platform::kFromStart, file.position, nullptr) != 0 ||
        platform::readFile(file.handle, file.buffer.get(), kReadBufferSize, bytesRead) != 0) {
        file.bufferLength = 0;
        return false;
    }
    file.bufferStart = file.position;
    file.bufferLength = bytesRead;
    return true;
}

uLong readBuffered(ZipStream& file, unsigned char* out, uLong size) {
    uLong copied = 0;
    while (copied < size) {
        const std::int64_t offset = file.position - file.bufferStart;
        if (offset < 0 || offset >= file.bufferLength) {
            if (!fillBuffer(file)) {
                file.failed = true;
                return 0;
            }
            if (file.bufferLength == 0) break;  // the end of the file
            continue;
        }
        const auto available = static_cast<uLong>(file.bufferLength - offset);
        const uLong n = std::min(size - copied, available);
        std::memcpy(out + copied, file.buffer.get() + offset, n);
        copied += n;
        file.position += static_cast<std::int64_t>(n);
    }
    return copied;
}

long seekBuffered(ZipStream& file, std::int64_t distance, int origin) {
    std::int64_t target = distance;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) target = file.position + distance;
    if (origin == ZLIB_FILEFUNC_SEEK_END &&
        platform::seekFile(file.handle, platform::kFromEnd, distance, &target) != 0) {
        file.failed = true;
        return -1;
    }
    if (target < 0) {
        file.failed = true;
        return -1;
    }
    file.position = target;
    return 0;
}

ZipStream* asStream(voidpf stream) {
    return static_cast<ZipStream*>(stream);
}

// The path as the file layer takes it: the UTF-16 text itself on the wide path; on the 8-bit path its
// UTF-8 form, cut to the 511 bytes the 8-bit calls take.
platform::NativePath nativePath(const char16_t* path) {
    if (useWideApi == 1) return platform::NativePath::fromWide(path);
    char utf8[platform::kNarrowPathLimit + 1];
    uniToUtf8(path, utf8, sizeof utf8);
    return platform::NativePath::fromNarrow(utf8);
}

enum class OpenKind { kNone, kRead, kReadWrite, kCreate };

OpenKind openKind(int mode) {
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ) return OpenKind::kRead;
    if (mode & ZLIB_FILEFUNC_MODE_EXISTING) return OpenKind::kReadWrite;
    if (mode & ZLIB_FILEFUNC_MODE_CREATE) return OpenKind::kCreate;
    return OpenKind::kNone;
}

std::int16_t openHandle(const platform::NativePath& path, OpenKind kind, platform::FileHandle& handle) {
    if (kind == OpenKind::kRead) return platform::openFile(path, true, false, handle);
    if (kind == OpenKind::kReadWrite) return platform::openFile(path, true, true, handle);
    // Create: a new file, or an existing one emptied.
    const std::int16_t created = platform::createNewFile(path);
    if (created != 0 && created != platform::error::kFileExists) return created;
    const std::int16_t opened = platform::openFile(path, false, true, handle);
    if (opened != 0) return opened;
    return platform::setFileLength(handle, 0);
}

}  // namespace

voidpf ZCALLBACK zipFileOpen(voidpf, const char* path, int mode) noexcept {
    const OpenKind kind = openKind(mode);
    if (!path || kind == OpenKind::kNone) return nullptr;
    auto* stream = new (std::nothrow) ZipStream;
    if (!stream) return nullptr;
    std::int16_t opened = 0;
    try {
        opened = openHandle(nativePath(reinterpret_cast<const char16_t*>(path)), kind, stream->handle);
    } catch (const std::bad_alloc&) {
        // The path could not be converted: no failure may unwind through the zip library's frames.
        opened = result::kOutOfMemory;
    }
    if (opened != 0) {
        platform::closeFile(stream->handle);
        delete stream;
        return nullptr;
    }
    // Without memory for a buffer the package is still read, unbuffered.
    if (kind == OpenKind::kRead) stream->buffer.reset(new (std::nothrow) unsigned char[kReadBufferSize]);
    return stream;
}

uLong ZCALLBACK zipFileRead(voidpf, voidpf stream, void* buffer, uLong size) noexcept {
    ZipStream* file = asStream(stream);
    if (!file || size > INT32_MAX) {
        if (file) file->failed = true;
        return 0;
    }
    if (file->buffer) return readBuffered(*file, static_cast<unsigned char*>(buffer), size);
    std::int32_t bytesRead = 0;
    if (platform::readFile(file->handle, buffer, static_cast<std::int32_t>(size), bytesRead) != 0) {
        file->failed = true;
        return 0;
    }
    return static_cast<uLong>(bytesRead);
}

uLong ZCALLBACK zipFileWrite(voidpf, voidpf stream, const void* buffer, uLong size) noexcept {
    ZipStream* file = asStream(stream);
    if (!file || size > INT32_MAX || platform::writeFile(file->handle, buffer, static_cast<std::int32_t>(size)) != 0) {
        if (file) file->failed = true;
        return 0;
    }
    return size;
}

long ZCALLBACK zipFileTell(voidpf, voidpf stream) noexcept {
    ZipStream* file = asStream(stream);
    if (file && file->buffer) return file->position > LONG_MAX ? -1 : static_cast<long>(file->position);
    std::int64_t position = 0;
    if (!file || platform::seekFile(file->handle, platform::kFromCurrent, 0, &position) != 0 || position > LONG_MAX) {
        if (file) file->failed = true;
        return -1;
    }
    return static_cast<long>(position);
}

long ZCALLBACK zipFileSeek(voidpf, voidpf stream, uLong offset, int origin) noexcept {
    ZipStream* file = asStream(stream);
    if (!file) return -1;
    if (origin != ZLIB_FILEFUNC_SEEK_SET && origin != ZLIB_FILEFUNC_SEEK_CUR && origin != ZLIB_FILEFUNC_SEEK_END) return -1;
    // The zip library passes backward moves from the current position or the end as an unsigned
    // wrapped value; read as signed it is the distance it means.
    const auto distance = static_cast<std::int64_t>(offset);
    if (origin == ZLIB_FILEFUNC_SEEK_SET && distance < 0) return -1;
    if (file->buffer) return seekBuffered(*file, distance, origin);
    if (platform::seekFile(file->handle, static_cast<std::int16_t>(origin), distance, nullptr) != 0) {
        file->failed = true;
        return -1;
    }
    return 0;
}

int ZCALLBACK zipFileClose(voidpf, voidpf stream) noexcept {
    ZipStream* file = asStream(stream);
    if (!file) return -1;
    const std::int16_t closed = platform::closeFile(file->handle);
    delete file;
    return closed == 0 ? 0 : -1;
}

int ZCALLBACK zipFileError(voidpf, voidpf stream) noexcept {
    ZipStream* file = asStream(stream);
    return !file || file->failed ? 1 : 0;
}

void fillZipFileFuncs(zlib_filefunc_def* table) {
    table->zopen_file = zipFileOpen;
    table->zread_file = zipFileRead;
    table->zwrite_file = zipFileWrite;
    table->ztell_file = zipFileTell;
    table->zseek_file = zipFileSeek;
    table->zclose_file = zipFileClose;
    table->zerror_file = zipFileError;
    table->opaque = nullptr;
}
