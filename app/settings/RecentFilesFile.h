#pragma once
// The recent-files file of the diagnostic mode: UTF-16 little-endian code units without a byte-order
// mark, one full path a line, each line ended by CR LF. A last line without an ending still counts;
// empty lines are skipped.
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"

// The paths the file holds, in order; none when it cannot be read.
std::vector<std::u16string> readRecentFilesFile(const platform::NativePath& path);
// Writes the paths, replacing what the file held; false when it cannot be written whole.
bool writeRecentFilesFile(const platform::NativePath& path, const std::vector<std::u16string>& paths);
