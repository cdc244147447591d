#pragma once
// The program's standard streams, and whether a person is watching them.
#include <cstdio>

namespace platform {

// True when the stream is connected to a terminal.
bool isTerminal(std::FILE* stream);

}  // namespace platform
