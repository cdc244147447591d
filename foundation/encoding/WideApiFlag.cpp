#include "foundation/encoding/WideApiFlag.h"

std::int16_t useWideApi = 1;
