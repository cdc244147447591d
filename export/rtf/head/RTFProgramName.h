#pragma once
// The program's own name as the RTF document comment gives it ("This document was created by ...").
// The application sets it at start-up from the program's file name without its extension; until then,
// and in tests that do not set it, it is the name the program is built under.
#include <string>

const std::string& rtfProgramName();
void setRTFProgramName(std::string name);
