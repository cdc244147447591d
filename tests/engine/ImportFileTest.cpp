// Opening the importer and the storage: storage names, the registry made for one call, log lines,
// the open-with offer and the refusal message (both silent in a quiet batch), and clean-up on failure.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/ProgramPreferences.h"
#include "platform/process/AllocationFailure.h"
#include "foundation/files/CFile.h"
#include "tests/engine/ImportEngineTestSupport.h"

namespace enginetest {
namespace {

using testsupport::ImporterAnswer;

class ImportFileTest : public ImportEngineTest {
protected:
    ImportFileTest() {
        copyPreferences(savedPreferences, gPreferences);
        clearPreferences(gPreferences);
    }
    ~ImportFileTest() override { copyPreferences(gPreferences, savedPreferences); }

    // An input that no importer takes: every importer refuses it without a reason.
    void makeForeignInput() {
        writeBytes(folder.file("photo.jpg"), "\xFF\xD8\xFF");
        input = specOf(itemIn(folder, "photo.jpg"));
        storageSpec = input;
        for (testsupport::ImporterScript* refusing : {&script, &others}) {
            for (std::int16_t code : {request::kSelIdentifyQuick, request::kSelIdentifyFull})
                refusing->always(code, {.failure = result::kErrInaccessible});
        }
        for (int index = 0; index < importer::kCount; ++index) {
            if (index != importer::kWord2007)
                bindings.push_back(std::make_unique<testsupport::ImporterScriptBinding>(&importerDescriptors[index], others));
        }
    }

    // An input the Word 2007 importer refuses with a reason.
    void refuseWithReason() {
        for (std::int16_t code : {request::kSelIdentifyQuick, request::kSelIdentifyFull})
            script.always(code, {.failure = result::kErrInaccessible, .reason = u"this is a drawing document"});
    }

    Preferences savedPreferences{};
    testsupport::RecordingOpener opener;
    testsupport::ImporterScript others;
    std::vector<std::unique_ptr<testsupport::ImporterScriptBinding>> bindings;
};

TEST_F(ImportFileTest, TheStorageIsNamedAfterTheInputWithoutItsLastExtension) {
    for (const auto& [inputName, storageName] : std::vector<std::pair<std::string, std::string>>{
             {"Report.docx", "Report.xml"}, {"README", "README.xml"}, {"a.b.docx", "a.b.xml"}}) {
        makeInput(inputName);
        ASSERT_EQ(runEngine(), 0) << inputName;
        EXPECT_EQ(pstringToUtf8(storageSpec.name), storageName);
        EXPECT_NE(readStorage(storageName), nullptr) << storageName << " was saved";
    }
}

TEST_F(ImportFileTest, ANameThatCannotTakeTheExtensionFailsInsteadOfBeingCut) {
    // 251 units and ".xml" pass the 254 units a name holds.
    makeInput(std::string(251, 'n'));
    EXPECT_EQ(runEngine(), result::kNullObject);
    EXPECT_EQ(documentRequests(script), std::vector<std::int16_t>{}) << "the importer is never asked";
    EXPECT_EQ(script.made, script.destroyed);

    makeInput(std::string(250, 'n'));
    EXPECT_EQ(runEngine(), 0) << "250 units and \".xml\" fit";
}

TEST_F(ImportFileTest, ARegistryMadeForTheCallIsReleasedEitherWay) {
    useRegistry = false;
    makeInput();
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(script.made, script.destroyed);
    script.add(request::kSelDocument, {.failure = 5});
    EXPECT_EQ(runEngine(), 5);
    EXPECT_EQ(script.made, script.destroyed);
    EXPECT_EQ(registry.current(), -1);
}

TEST_F(ImportFileTest, TheLogGetsTheReadingAndTheTimingLines) {
    makeInput();
    CFile reportLog(pascal("log.txt"), pascal(folder.path()), kAnyFileCode, kAnyFileCode, 1, 0,
                    kGenericRead | kGenericWrite, 0);
    ASSERT_EQ(reportLog.create(1), 0);
    ASSERT_EQ(reportLog.open(), 0);
    log = &reportLog;
    ASSERT_EQ(runEngine(), 0);
    reportLog.close();
    std::ifstream in(folder.file("log.txt"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().rfind("-> Reading 'Report.docx' (Word2007)\n\r\n-> Execution required ", 0), 0u) << text.str();
    EXPECT_NE(text.str().find(" secs\n\n\r\n"), std::string::npos) << text.str();
}

TEST_F(ImportFileTest, AForeignFileIsOfferedToItsApplication) {
    makeForeignInput();
    opener.knowsXmlViewer = true;
    request.opener = &opener;
    task = std::make_unique<CImportTask>(&request);
    asker.answers.push_back({1});
    EXPECT_EQ(runEngine(), result::kErrCancelled);
    ASSERT_EQ(asker.shown.size(), 1u);
    EXPECT_EQ(asker.shown[0].stringId, 10139);
    // The question names the application as the desktop does, not by its program file.
    EXPECT_NE(asker.shown[0].text.find(u"open it with Image Viewer?"), std::u16string::npos);
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"viewer photo.jpg"}));
    EXPECT_EQ(gPreferences.otherFilesAnswer, 1);

    asker.answers.push_back({0});
    EXPECT_EQ(runEngine(), result::kErrCancelled) << "No: the file fails silently";
    EXPECT_EQ(opener.opened.size(), 1u);
}

TEST_F(ImportFileTest, WithoutAnApplicationTheFileStaysUnknown) {
    makeForeignInput();
    request.opener = &opener;
    task = std::make_unique<CImportTask>(&request);
    EXPECT_EQ(runEngine(), result::kErrUnknownFormat);
    EXPECT_TRUE(asker.shown.empty());
}

TEST_F(ImportFileTest, ARefusalWithAReasonIsExplainedThenSilent) {
    makeInput();
    refuseWithReason();
    EXPECT_EQ(runEngine(), result::kErrCancelled);
    ASSERT_EQ(asker.shown.size(), 1u);
    EXPECT_EQ(asker.shown[0].stringId, 10119);
    EXPECT_EQ(asker.shown[0].text, u"Could not convert the file 'Report.docx' because this is a drawing document.");
}

TEST_F(ImportFileTest, AQuietBatchAsksNothingAndOpensNothing) {
    request.quiet = 1;
    opener.knowsXmlViewer = true;
    request.opener = &opener;
    task = std::make_unique<CImportTask>(&request);
    makeForeignInput();
    EXPECT_EQ(runEngine(), result::kErrUnknownFormat);
    makeInput();
    refuseWithReason();
    EXPECT_EQ(runEngine(), result::kErrInaccessible);
    EXPECT_TRUE(asker.shown.empty());
    EXPECT_TRUE(opener.opened.empty());
}

TEST_F(ImportFileTest, AnImporterThatCannotWriteAStorageFailsAfterReading) {
    makeInput();
    writeBytes(storagePath(), "<old/>");
    TranslatorDescriptor& word = importerDescriptors[importer::kWord2007];
    const std::uint8_t flags = word.flags0;
    word.flags0 = static_cast<std::uint8_t>((flags & ~kWriteModeMask) | (2 << kWriteModeShift));
    const std::int16_t code = runEngine();
    word.flags0 = flags;
    EXPECT_EQ(code, result::kNullObject);
    EXPECT_TRUE(documentRequests(script).empty());
    EXPECT_FALSE(std::filesystem::exists(storagePath()));
}

TEST_F(ImportFileTest, AnImporterWithoutStorageWritesNoFile) {
    makeInput();
    TranslatorDescriptor& word = importerDescriptors[importer::kWord2007];
    const std::uint8_t flags = word.flags0;
    word.flags0 = static_cast<std::uint8_t>(flags & ~kWriteModeMask);
    const std::int16_t code = runEngine();
    word.flags0 = flags;
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(documentRequests(script).empty());
    EXPECT_FALSE(std::filesystem::exists(storagePath()));
}

TEST_F(ImportFileTest, AnInputThatCannotBeOpenedTouchesNoStorage) {
    makeInput();
    writeBytes(storagePath(), "<old/>");
    std::filesystem::permissions(folder.file("Report.docx"), std::filesystem::perms::none);
    std::ifstream probe(folder.file("Report.docx"));
    if (probe.is_open()) GTEST_SKIP() << "this user reads files without permission";
    // Detection cannot read the signature either, so the file is refused before anything is named.
    EXPECT_NE(runEngine(), 0);
    EXPECT_TRUE(std::filesystem::exists(storagePath()));
}

}  // namespace
}  // namespace enginetest

namespace enginetest {
namespace {

// Every k-th allocation of a whole import fails in turn: each failure is a clean failure of the file
// (no std::bad_alloc escapes), the importer is released and no storage file is left.
TEST_F(ImportFileTest, AnAllocationFailureAnywhereFailsTheFileCleanly) {
    makeInput();
    script.add(request::kSelText, {.answer = 0, .text = u"Hello"});
    platform::failNthAllocation(INT64_MAX);
    ASSERT_EQ(runEngine(), 0);
    const std::int64_t allocations = platform::allocationsCountedSinceArmed();
    platform::disarmAllocationFailure();
    const std::int64_t stride = std::max<std::int64_t>(1, allocations / 150);
    int failed = 0;
    for (std::int64_t k = 1; k <= allocations; k += stride) {
        script.answers[request::kSelText] = {{.answer = 0, .text = u"Hello"}};
        std::filesystem::remove(storagePath());  // left by the run before
        std::int16_t code = 0;
        {
            platform::ScopedAllocationFailure failure(k);
            code = runEngine();
        }
        if (code == 0) continue;
        ++failed;
        EXPECT_FALSE(std::filesystem::exists(storagePath())) << "allocation " << k << " failed with " << code;
        EXPECT_EQ(script.made, script.destroyed) << "allocation " << k;
        EXPECT_EQ(registry.current(), -1) << "allocation " << k;
    }
    EXPECT_GT(failed, 0) << "the sweep reached no allocation of the import (" << allocations << " counted)";
}

}  // namespace
}  // namespace enginetest
