#pragma once
// The folder the program was started in, against which relative paths on its command line are read.
#include <string>

namespace platform {

// The working folder ending in the separator; empty when the system cannot tell it.
std::string workingFolder();

}  // namespace platform
