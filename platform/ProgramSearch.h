#pragma once
// Finding an installed program by name, as the system's program search does: in each folder of the
// search path in turn, the first file of that name that may be run.
#include <string>
#include <string_view>

namespace platform {

// The folders of $PATH, or the usual ones when it is not set.
std::string programSearchPath();
// The full path of the program: the name itself when it holds a '/' and may be run, else the first
// match in the ':'-separated folders of searchPath (an empty entry is the current folder). Empty when
// there is none.
std::string findProgram(std::string_view name, std::string_view searchPath);

}  // namespace platform
