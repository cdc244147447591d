#pragma once
// The file callbacks the zip library reads a package through: they open a package by its UTF-16 path
// and reach the file through the platform layer, so package names follow the same rules as every
// other file name of the program. None lets an exception out: the library's frames are C. The "path"
// minizip hands to zipFileOpen is the NUL-terminated UTF-16 path the package reader gave to unzOpen2,
// passed through as an opaque pointer.
#include <minizip/ioapi.h>

voidpf ZCALLBACK zipFileOpen(voidpf opaque, const char* path, int mode) noexcept;
uLong ZCALLBACK zipFileRead(voidpf opaque, voidpf stream, void* buffer, uLong size) noexcept;
uLong ZCALLBACK zipFileWrite(voidpf opaque, voidpf stream, const void* buffer, uLong size) noexcept;
long ZCALLBACK zipFileTell(voidpf opaque, voidpf stream) noexcept;
// 0 when the position moved, -1 when it did not (an unknown origin, a position before the start, an
// error of the file system): the zip library must not read on from a place it did not ask for.
long ZCALLBACK zipFileSeek(voidpf opaque, voidpf stream, uLong offset, int origin) noexcept;
int ZCALLBACK zipFileClose(voidpf opaque, voidpf stream) noexcept;
// Non-zero once a read, write or seek on the stream has failed.
int ZCALLBACK zipFileError(voidpf opaque, voidpf stream) noexcept;

void fillZipFileFuncs(zlib_filefunc_def* table);
