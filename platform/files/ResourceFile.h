#pragma once
// Reads a resource file (a language's string table) whole, for the resource module.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The answer for a file larger than the caller allows (the system's "file too large").
constexpr std::int16_t kResourceFileTooLarge = 223;
// The answer when there is no memory to hold the file.
constexpr std::int16_t kResourceFileNoMemory = 8;

// Reads the regular file at the UTF-8 path into `contents`. Answers 0, or the error number of
// SystemError.h (2 missing, 5 a folder or no access, ...), kResourceFileTooLarge when the file holds
// more than maximumBytes, or kResourceFileNoMemory; `contents` is then empty.
std::int16_t readResourceFile(const std::string& path, std::size_t maximumBytes, std::string& contents);

}  // namespace platform
