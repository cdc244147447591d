#pragma once
// Whole files as byte strings, for tests that prepare a file or look at what was written.
#include <string>
#include <string_view>

namespace testsupport {

// Writes the bytes as the whole file, replacing any file of that name; false when the file could not
// be made or written (a missing folder, or a file system that refuses the name).
bool writeBytes(const std::string& path, std::string_view bytes);
// The whole file; empty when it cannot be read.
std::string readBytes(const std::string& path);

}  // namespace testsupport
