#include "package/ZipFileCallbacks.h"

#include <climits>
#include <new>
#include <string>

#include "foundation/CFail.h"
#include "foundation/UniText.h"
#include "foundation/WideApiFlag.h"
#include "platform/FileSystem.h"

namespace {

// What a stream pointer handed to the zip library stands for.
struct ZipStream {
    platform::FileHandle handle = platform::kNoFile;
    bool failed = false;
};

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
    return stream;
}

uLong ZCALLBACK zipFileRead(voidpf, voidpf stream, void* buffer, uLong size) noexcept {
    ZipStream* file = asStream(stream);
    if (!file || size > INT32_MAX) {
        if (file) file->failed = true;
        return 0;
    }
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
