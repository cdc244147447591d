#include "model/dumps/DumpParamBlocksFlag.h"

std::int16_t dumpParamBlocks = 0;
