#include "engine/task/StandInEngines.h"

#include <new>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"

namespace {

constexpr const char* kUnit = "BEngine";

class StandInImportEngine : public ImportEngine {
public:
    void run(ImportOutcome&) override { throwFail(result::kErrInaccessible, __LINE__, kUnit); }
};

class StandInExportEngine : public ExportEngine {
public:
    FileSpec* run(const char**) override { throwFail(result::kErrInaccessible, __LINE__, kUnit); }
};

class StandInEngines : public ConversionEngines {
public:
    ImportEngine* makeImportEngine(const ImportEngineSetup&) override { return new (std::nothrow) StandInImportEngine; }
    ExportEngine* makeExportEngine(const ExportEngineSetup&) override { return new (std::nothrow) StandInExportEngine; }
};

}  // namespace

ConversionEngines& standInEngines() {
    static StandInEngines engines;
    return engines;
}
