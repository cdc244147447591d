// The engine's run: the "Loading:" phase, the result list, what run hands back, and progress reports.
#include <filesystem>

#include "engine/task/ImportingEngines.h"
#include "tests/support/FileBytes.h"
#include "model/storage/CStorage.h"
#include "tests/engine/ImportEngineTestSupport.h"

namespace enginetest {
namespace {

class ImportEngineRunTest : public ImportEngineTest {};

TEST_F(ImportEngineRunTest, ShowsLoadingBeforeReadingAndAnswersTheImportersKind) {
    makeInput();
    testsupport::RecordingProgress progress;
    window = &progress;
    ASSERT_EQ(runEngine(), 0);
    ASSERT_GE(progress.events.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(progress.events.begin(), progress.events.begin() + 4),
              (std::vector<std::string>{"phase 10203", "file Report.docx", "phase 10204",
                                        "file Report.docx\n(Word2007)"}));
    EXPECT_EQ(outcome.kindCode, 24);
    EXPECT_EQ(outcome.importerIndex, importer::kWord2007);
    EXPECT_EQ(outcome.exportChoice, importerDescriptors[importer::kWord2007].exportChoice);
    EXPECT_EQ(pstringToUtf8(storageSpec.name), "Report.xml");
    EXPECT_EQ(pstringToUtf8(storageSpec.folder), cache.path() + "Vostrandimeko temporary files/");
}

TEST_F(ImportEngineRunTest, TheResultEntryIsMarkedImportedOnlyOnSuccess) {
    CTypeArray list;
    resultList = &list;
    makeInput("a.docx");
    ASSERT_EQ(runEngine(), 0);
    ASSERT_EQ(outcome.resultIndex, 1);
    EXPECT_EQ(list.fileSpecAt(1)->importResult, 0);
    EXPECT_EQ(list.fileSpecAt(1)->exportResult, -1);
    EXPECT_STREQ(list.fileSpecAt(1)->reasonText, "Unknown Error");
    EXPECT_EQ(fileIdOf(storageSpec), 1u);

    makeInput("b.docx");
    script.add(request::kSelDocument, {.failure = 5});
    outcome = {};
    ASSERT_EQ(runEngine(), 5);
    EXPECT_EQ(outcome.resultIndex, 2) << "the caller still finds the entry";
    EXPECT_EQ(list.fileSpecAt(2)->importResult, -1);
    EXPECT_STREQ(list.fileSpecAt(2)->reasonText, "Unknown Error");
    list.freeAllFileSpecs();
}

TEST_F(ImportEngineRunTest, WithoutAWindowTheTaskCallbackHearsEverything) {
    static std::vector<std::int32_t> codes;
    codes.clear();
    request.progressCallback = [](std::int32_t code, std::intptr_t, std::intptr_t, void*) -> std::int16_t {
        codes.push_back(code);
        return 0;
    };
    task = std::make_unique<CImportTask>(&request);
    makeInput();
    script.add(request::kSelText, {.answer = 0, .text = u"ab"});
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(codes, (std::vector<std::int32_t>{kProgressReset, kProgressPhase, kProgressReset, kProgressPoll,
                                                kProgressValue, kProgressPoll, kProgressValue}));
}

TEST_F(ImportEngineRunTest, TheProgramsEnginesImportOverTheirTableAndCannotExportWithoutOne) {
    makeInput();
    ImportingEngines engines(importers.data(), nullptr);
    useRegistry = false;
    std::unique_ptr<ImportEngine> importEngine(engines.makeImportEngine(setup()));
    ASSERT_NE(importEngine, nullptr);
    importEngine->run(outcome);
    EXPECT_EQ(outcome.kindCode, 24);
    EXPECT_NE(readStorage(), nullptr);
    FileSpec output{};
    const ExportEngineSetup exportSetup{nullptr, nullptr, &storageSpec, &output, task.get(), 0, 0, 1, 0, 1, 1, 0, 0,
                                        nullptr, nullptr, nullptr, nullptr};
    std::unique_ptr<ExportEngine> exportEngine(engines.makeExportEngine(exportSetup));
    const char* choice = nullptr;
    EXPECT_THROW(exportEngine->run(&choice), CFail);
}

struct HandOverCase {
    StorageHandOver handOver;
    bool fileWritten;
    bool storageHandedOver;
};

class ImportEngineHandOverTest : public ImportEngineTest, public ::testing::WithParamInterface<HandOverCase> {};

// The storage handed over in memory is the document the file would hold, byte for byte once saved.
TEST_P(ImportEngineHandOverTest, WritesTheFileOnlyWhenAskedAndHandsOverTheSameDocument) {
    makeInput();
    script.add(request::kSelText, {.answer = 0, .text = u"a < b & c"});
    handOver = GetParam().handOver;
    ASSERT_EQ(runEngine(), 0);
    const std::unique_ptr<CStorage> handed(outcome.storage);
    EXPECT_EQ(std::filesystem::exists(storagePath()), GetParam().fileWritten);
    ASSERT_EQ(handed != nullptr, GetParam().storageHandedOver);
    if (handed == nullptr) return;
    EXPECT_EQ(handed->save(), 0) << "a handed-over storage never writes";
    if (!GetParam().fileWritten) return;
    xmlChar* bytes = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(handed->getDocument(), &bytes, &size, "UTF-8");
    const std::string inMemory(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    xmlFree(bytes);
    EXPECT_EQ(inMemory, testsupport::readBytes(storagePath()));
}

INSTANTIATE_TEST_SUITE_P(Modes, ImportEngineHandOverTest,
                         ::testing::Values(HandOverCase{StorageHandOver::throughFile, true, false},
                                           HandOverCase{StorageHandOver::inMemory, false, true},
                                           HandOverCase{StorageHandOver::inMemoryAndFile, true, true}));

struct ProgressCase {
    std::int32_t done;
    std::int32_t total;
    const char* status;
};

class ImportEngineProgressTest : public ImportEngineTest, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(ImportEngineProgressTest, ShowsThePercentageOrTheVerifyingLine) {
    testsupport::RecordingProgress progress;
    window = &progress;
    CImportEngine engine(setup(), importers.data());
    engine.progress(GetParam().done, GetParam().total);
    EXPECT_EQ(progress.events, (std::vector<std::string>{std::string("status ") + GetParam().status}));
}

INSTANTIATE_TEST_SUITE_P(Reports, ImportEngineProgressTest,
                         ::testing::Values(ProgressCase{0, 100, "Reading source data... 0%"},
                                           ProgressCase{50, 100, "Reading source data... 50%"},
                                           ProgressCase{100, 100, "Reading source data... 100%"},
                                           ProgressCase{1, 3, "Reading source data... 33%"},
                                           ProgressCase{30000000, 60000000, "Reading source data... 50%"},
                                           ProgressCase{101, 100, "Verifying data integrity..."},
                                           ProgressCase{0, 0, "Reading source data... 0%"}));

}  // namespace
}  // namespace enginetest
