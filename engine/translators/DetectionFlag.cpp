#include "engine/translators/DetectionFlag.h"

std::int16_t detectionActive = 0;
