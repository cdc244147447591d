#pragma once
// Finding an installed program by name, as a shell does: in each folder of the search path in turn,
// the first file of that name that may be run. A folder that cannot be searched (no right to, or not
// a folder), and an entry of that name that is itself a folder, are passed over as if the name were
// not there.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The folders of $PATH, or the usual ones when it is not set.
std::string programSearchPath();
// The full path of the program: the name itself when it holds a '/' and may be run, else the first
// match in the ':'-separated folders of searchPath (an empty entry is the current folder). Empty when
// there is none.
std::string findProgram(std::string_view name, std::string_view searchPath);
// The same search, telling why it found nothing: 0 with the path, 5 when the only files of that name
// may not be run (as a shell answers "Permission denied"), 2 when there is none at all.
std::int16_t locateProgram(std::string_view name, std::string_view searchPath, std::string& path);

}  // namespace platform
