#include "model/DumpParamBlocksFlag.h"

std::int16_t dumpParamBlocks = 0;
