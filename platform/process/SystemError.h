#pragma once
// The error numbers the program's callers test for, made from POSIX errno values.
#include <cstdint>

namespace platform {

namespace error {
constexpr std::int16_t kFileNotFound = 2;
constexpr std::int16_t kPathNotFound = 3;
constexpr std::int16_t kTooManyOpenFiles = 4;
constexpr std::int16_t kAccessDenied = 5;
constexpr std::int16_t kNotOpen = 6;
constexpr std::int16_t kFileExists = 80;
constexpr std::int16_t kDiskFull = 112;
constexpr std::int16_t kAlreadyExists = 183;  // a folder that exists already
constexpr std::int16_t kNameTooLong = 206;
}  // namespace error

// Maps an errno value to the error number above; unknown values keep a distinct non-zero code.
std::int16_t errorFromErrno(int errnoValue);
// As above, for a failed folder creation (an existing entry answers 183 there).
std::int16_t folderErrorFromErrno(int errnoValue);

}  // namespace platform
