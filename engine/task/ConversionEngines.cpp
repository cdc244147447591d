#include "engine/ConversionEngines.h"

ImportEngine::~ImportEngine() = default;
ExportEngine::~ExportEngine() = default;
