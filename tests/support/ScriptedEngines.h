#pragma once
// Import and export engines that follow a script per input file instead of reading and writing
// documents, and a desktop that records what it was asked to open. The import engine enters the file
// in the result list, shows it in the progress window and polls for Stop, as the real one does; then
// it fails with the scripted code or answers the scripted kind and export choice. The export engine
// fails, or answers one output file named after the input with ".rtf".
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/task/ConversionEngines.h"
#include "engine/task/DocumentOpener.h"

namespace testsupport {

enum class Family { wordProcessing, spreadsheet, none };

struct FileScript {
    std::int16_t importFailure = 0;  // raised by the import engine (unit "BEngineImp")
    std::int16_t exportFailure = 0;  // raised by the export engine (unit "BEngineExp")
    std::int16_t kindCode = 24;
    Family family = Family::wordProcessing;  // whose "Convert to" text is the export choice
    std::int32_t importerIndex = 4;
};

class ScriptedEngines : public ConversionEngines {
public:
    ImportEngine* makeImportEngine(const ImportEngineSetup& setup) override;
    ExportEngine* makeExportEngine(const ExportEngineSetup& setup) override;

    FileScript& script(const std::string& fileName) { return scripts[fileName]; }

    std::map<std::string, FileScript> scripts;  // by the input's name; other files take the defaults
    std::vector<std::string> imported;          // names of the files the import engine was run for
    std::vector<std::string> exported;
    std::vector<std::int32_t> preferredImporters;  // the importer index each import engine was given
    std::vector<std::int16_t> quietFlags;          // the quiet flag each export engine was given
    int live = 0;                                  // engines not yet deleted
};

class RecordingOpener : public DocumentOpener {
public:
    std::int16_t findAssociatedApplication(const char* extension, PascalWString& applicationName,
                                           PascalWString& applicationFolder) override;
    std::int16_t openFiles(const FileSpec* fileList) override;
    std::int16_t openFilesWithApplication(const PascalWString& applicationName, const PascalWString& applicationFolder,
                                          const FileSpec* fileList) override;
    // "Image Viewer" for the viewer, as a desktop entry would name it.
    std::u16string applicationDisplayName(const PascalWString& applicationName,
                                          const PascalWString& applicationFolder) override;

    std::int16_t openFailure = 0;    // answered by every open
    bool knowsXmlViewer = false;     // whether an application is associated with "xml"
    std::vector<std::string> opened;  // "default name" or "app name" per file opened
};

}  // namespace testsupport
