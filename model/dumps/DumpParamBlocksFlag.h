#pragma once
// The hidden diagnostic option "Dump XParamBlocks": while it is not 0, the import engine writes a text
// dump of the parameter block after every text run it receives (ParamBlockDump.h). The main window sets
// it from its check box; 0 at start-up.
#include <cstdint>

extern std::int16_t dumpParamBlocks;
