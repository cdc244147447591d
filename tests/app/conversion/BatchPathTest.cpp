// A batch from convertJob through the conversion task, the import engine over a scripted importer, the
// export engine and the program's RTF writer, to an output file beside the original.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>

#include "app/conversion/ConversionLauncher.h"
#include "app/conversion/TranslatorTables.h"
#include "engine/ProgramPreferences.h"
#include "engine/task/ImportingEngines.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/files/AppFolders.h"
#include "platform/files/FileName.h"
#include "platform/files/Folders.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScriptedImporter.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using testsupport::ImporterAnswer;

TEST(BatchPathTest, ConvertedFileAppearsBesideItsOriginal) {
    testsupport::TemporaryFolder folder;
    testsupport::TemporaryFolder cache;
    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, cache.path());
    setUpTemporaryFilesFolder();
    clearPreferences(gPreferences);
    gPreferences.wordProcessing.openMode = kOpenNever;

    std::array<TranslatorEntry, importer::kCount + 1> importers{};
    testsupport::ImporterScript scripts[importer::kCount];
    std::unique_ptr<testsupport::ImporterScriptBinding> bindings[importer::kCount];
    const ImporterAnswer refuse{-1, u"", result::kErrInaccessible, u"", -1, -1};
    for (int i = 0; i < importer::kCount; ++i) {
        importers[i] = {testsupport::makeScriptedImporter, nullptr, &importerDescriptors[i]};
        const bool reads = i == importer::kWord2007;
        scripts[i].always(request::kSelIdentifyQuick, reads ? ImporterAnswer{} : refuse);
        scripts[i].always(request::kSelIdentifyFull, reads ? ImporterAnswer{} : refuse);
        bindings[i] = std::make_unique<testsupport::ImporterScriptBinding>(&importerDescriptors[i], scripts[i]);
    }
    scripts[importer::kWord2007].always(request::kSelDocument, {.sheetCount = 1});
    scripts[importer::kWord2007].add(request::kSelText, {.answer = 0, .text = u"Hello\r"});

    CTranslator importerRegistry(importers.data(), TranslatorDirection::importers);
    CTranslator exporterRegistry(exporterTable, TranslatorDirection::exporters);
    ImportingEngines engines(importers.data(), exporterTable);
    LauncherServices services;
    services.importers = &importerRegistry;
    services.exporters = &exporterRegistry;
    services.engines = &engines;
    ConversionLauncher launcher(services);

    ASSERT_TRUE(testsupport::writeBytes(folder.file("Report.docx"), "PK\x03\x04 content"));
    CTypeArray items;
    CTypeArray wordResults;
    CTypeArray sheetResults;
    FileSpec item;
    makeFileSpecFromPath(item, platform::fileNameFromBytes(folder.file("Report.docx")).c_str());
    items.addFileSpec(item);
    launcher.convertJob(&items, &wordResults, &sheetResults);

    EXPECT_EQ(launcher.exitStatus(), 0);
    ASSERT_EQ(wordResults.getCount(), 1);
    EXPECT_EQ(utf16ToUtf8String(wordResults.fileSpecAt(1)->name.view()), "Report.rtf");
    const std::string rtf = testsupport::readBytes(folder.file("Report.rtf"));
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << rtf;
    EXPECT_NE(rtf.find("Hello"), std::string::npos) << rtf;
    EXPECT_EQ(scripts[importer::kWord2007].made, scripts[importer::kWord2007].destroyed);

    platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "");
    setUpTemporaryFilesFolder();
}

}  // namespace
