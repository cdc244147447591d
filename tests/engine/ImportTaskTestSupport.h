#pragma once
// A batch request over scripted engines, the program's descriptors with scripted importers and
// recording exporters, a scripted asker and a recording progress window, with the preferences reset
// for each test (nothing opened) and restored afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ProgramPreferences.h"
#include "engine/task/CImportTask.h"
#include "engine/task/TaskDescriptor.h"
#include "engine/translators/CTranslator.h"
#include "foundation/encoding/Utf8Codec.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/RecordingExporter.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/ScriptedAsker.h"
#include "tests/support/ScriptedEngines.h"
#include "tests/support/ScriptedImporter.h"
#include "tests/support/TemporaryFolder.h"

namespace enginetest {

inline std::string utf8(const PascalWString& text) {
    return utf16ToUtf8String(text.view());
}

inline std::vector<std::string> namesIn(const CTypeArray& list) {
    std::vector<std::string> names;
    for (std::int32_t i = 1; i <= list.getCount(); ++i) names.push_back(utf8(list.fileSpecAt(i)->name));
    return names;
}

class ImportTaskTest : public ::testing::Test {
protected:
    ImportTaskTest()
        : importers(importerTable(testsupport::makeScriptedImporter)),
          exporters(exporterTable(testsupport::makeRecordingExporter)),
          importerRegistry(importers.data(), TranslatorDirection::importers),
          exporterRegistry(exporters.data(), TranslatorDirection::exporters) {
        copyPreferences(savedPreferences, gPreferences);
        clearPreferences(gPreferences);
        gPreferences.wordProcessing.openMode = kOpenNever;
        gPreferences.spreadsheet.openMode = kOpenNever;
        setDefaultTaskDescriptor(request);
        request.importerRegistry = &importerRegistry;
        request.exporterRegistry = &exporterRegistry;
        request.droppedItems = &dropped;
        request.wordProcessingResults = &wordProcessing;
        request.spreadsheetResults = &spreadsheets;
        request.engines = &engines;
        request.asker = &asker;
    }
    ~ImportTaskTest() override { copyPreferences(gPreferences, savedPreferences); }

    // Files made in the test's folder and dropped, in this order.
    void dropFiles(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            writeBytes(folder.file(name), "content");
            dropped.addFileSpec(specOf(itemIn(folder, name)));
        }
    }

    std::int16_t run(std::int16_t withProgressWindow = 0) { return runImportTask(&request, withProgressWindow); }

    testsupport::TemporaryFolder folder;
    std::array<TranslatorEntry, importer::kCount + 1> importers;
    std::array<TranslatorEntry, exporter::kCount + 1> exporters;
    CTranslator importerRegistry;
    CTranslator exporterRegistry;
    CTypeArray dropped;
    CTypeArray wordProcessing;
    CTypeArray spreadsheets;
    testsupport::ScriptedEngines engines;
    testsupport::ScriptedAsker asker;
    testsupport::RecordingOpener opener;
    testsupport::RecordingProgressWindows windows;
    TaskDescriptor request{};
    Preferences savedPreferences{};
};

}  // namespace enginetest
