#include "platform/process/SystemError.h"

#include <cerrno>

namespace platform {

std::int16_t errorFromErrno(int errnoValue) {
    switch (errnoValue) {
        case 0: return 0;
        case ENOENT: return error::kFileNotFound;
        case ENOTDIR: return error::kPathNotFound;
        case EMFILE:
        case ENFILE: return error::kTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return error::kAccessDenied;
        case EEXIST: return error::kFileExists;
        case ENOSPC:
        case EDQUOT: return error::kDiskFull;
        case ENAMETOOLONG: return error::kNameTooLong;
        // Anything else still fails: offset into a range no caller tests for.
        default: return static_cast<std::int16_t>(20000 + (errnoValue & 0xFFF));
    }
}

std::int16_t folderErrorFromErrno(int errnoValue) {
    return errnoValue == EEXIST ? error::kAlreadyExists : errorFromErrno(errnoValue);
}

}  // namespace platform
