#include "engine/task/ConversionEngines.h"

ImportEngine::~ImportEngine() = default;
ExportEngine::~ExportEngine() = default;
