#pragma once
// A temporary folder of the fuzzing process, for targets whose reader takes a file by name: made on first
// use and removed with everything in it when the process ends.
#include <string>
#include <string_view>

namespace fuzzfolder {

// The folder's path, without a trailing separator.
const std::string& path();
// Writes the bytes as the named file in the folder, replacing it; answers the file's full path.
std::string writeFile(const std::string& name, std::string_view bytes);

}  // namespace fuzzfolder
