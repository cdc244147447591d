// A short document passed through the request protocol: a scripted importer answers the import side's
// requests, and a recording exporter receives the same runs on the export side.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/task/UserQuestions.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "model/params/XParamBlock.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/model/params/ParamBlockDoubles.h"
#include "tests/support/RecordingExporter.h"
#include "tests/support/ScriptedAsker.h"
#include "tests/support/ScriptedImporter.h"

using namespace enginetest;
using testsupport::ExportEvent;

namespace {

struct DeliveredRun {
    std::u16string text;
    XForm form;
};

TEST(ProtocolExchangeTest, ImporterAndExporterExchangeADocument) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file("in.doc"), "two runs");
    writeBytes(folder.file("out.rtf"), "");

    testsupport::ImporterScript script;
    script.add(request::kSelDocument, {-1, u"", 0, u"", 1, -1});
    script.add(request::kSelText, {-1, u"Hello ", 0, u"", -1, -1});
    script.add(request::kSelText, {-1, u"world", 0, u"", -1, -1});
    const testsupport::ImporterScriptBinding binding(&importerDescriptors[importer::kWord2003], script);
    auto importers = importerTable(testsupport::makeScriptedImporter);
    CTranslator importRegistry(importers.data(), TranslatorDirection::importers);

    // The import side, as the import engine drives it: document, sheet, main story until an empty -1.
    TaskDouble task(2);
    XParamBlock in{};
    initXParamBlock(&task, &in);
    in.fileSpec = specOf(itemIn(folder, "in.doc"));
    std::int32_t index = importer::kWord2003;
    ASSERT_EQ(importRegistry.create(index, nullptr, nullptr, nullptr, nullptr), 0);
    ASSERT_EQ(importRegistry.send(request::kSelDocument, &in), 0);
    ASSERT_EQ(in.sheetCount, 1);
    in.sheetIndex = 0;
    ASSERT_EQ(importRegistry.send(request::kSelBeginSheet, &in), 0);
    in.storyNumber = storykind::kMain;
    ASSERT_EQ(importRegistry.send(importBeginCode(storykind::kMain), &in), 0);
    ASSERT_EQ(in.selector, -1) << "main story present";
    std::vector<DeliveredRun> runs;
    for (;;) {
        ASSERT_EQ(importRegistry.send(request::kSelText, &in), 0);
        if (in.textLength == 0 && in.selector == -1) break;
        in.form.txtSize = static_cast<std::int16_t>(200 + 40 * runs.size());  // as an importer sets it
        runs.push_back({std::u16string(in.textBuffer, static_cast<std::size_t>(in.textLength)), in.form});
    }
    ASSERT_EQ(importRegistry.send(request::kSelEndStory, &in), 0);
    ASSERT_EQ(importRegistry.send(importBeginCode(storykind::kHeader), &in), 0);
    EXPECT_EQ(in.selector, importBeginCode(storykind::kHeader)) << "no header story";
    ASSERT_EQ(importRegistry.send(request::kSelEndSheet, &in), 0);
    ASSERT_EQ(importRegistry.send(request::kSelEndDocument, &in), 0);
    importRegistry.release();
    disposeXParamBlock(&in);
    EXPECT_EQ(script.selectors(), (std::vector<std::int16_t>{0, 1, 2, 13, 13, 13, 14, 3, 24, 25}));
    ASSERT_EQ(runs.size(), 2u);

    // The export side, as the export engine drives it.
    testsupport::ExportLog log;
    const testsupport::ExportLogBinding logBinding(&exporterDescriptors[exporter::kRTF], log);
    auto exporters = exporterTable(testsupport::makeRecordingExporter);
    CTranslator exportRegistry(exporters.data(), TranslatorDirection::exporters);
    XParamBlock out{};
    initXParamBlock(nullptr, &out);
    index = exporter::kRTF;
    ASSERT_EQ(exportRegistry.create(index, nullptr, nullptr, nullptr, nullptr), 0);
    ASSERT_EQ(exportRegistry.send(request::kSelDocument, &out), 0);
    out.fileSpec = specOf(itemIn(folder, "out.rtf"));
    ASSERT_EQ(exportRegistry.send(request::kSelBeginSheet, &out), 0);
    out.storyNumber = storykind::kMain;
    ASSERT_EQ(exportRegistry.send(exportBeginCode(storykind::kMain), &out), 0);
    for (DeliveredRun& run : runs) {
        out.form = run.form;
        out.textBuffer = run.text.data();
        out.textLength = static_cast<std::int32_t>(run.text.size());
        ASSERT_EQ(exportRegistry.send(request::kSelText, &out), 0);
    }
    out.textBuffer = nullptr;
    ASSERT_EQ(exportRegistry.send(exportBeginCode(storykind::kMain) + request::kEndStoryOffset, &out), 0);
    ASSERT_EQ(exportRegistry.send(request::kSelEndSheet, &out), 0);
    ASSERT_EQ(exportRegistry.send(request::kSelEndDocument, &out), 0);
    exportRegistry.release();
    disposeXParamBlock(&out);

    std::vector<ExportEvent> events;
    for (const auto& entry : log.entries) events.push_back(entry.event);
    EXPECT_EQ(events, (std::vector<ExportEvent>{ExportEvent::document, ExportEvent::beginSheet, ExportEvent::beginStory,
                                                ExportEvent::text, ExportEvent::text, ExportEvent::endStory,
                                                ExportEvent::endSheet, ExportEvent::endDocument}));
    EXPECT_EQ(log.entries[3].text, u"Hello ");
    EXPECT_EQ(log.entries[4].text, u"world");
    EXPECT_EQ(log.entries[3].changedFields, std::vector<std::string>{"XForm.txtSize"});
    EXPECT_EQ(log.entries[5].selector, 23);
    ASSERT_EQ(log.beginCopies.size(), 3u);
    EXPECT_EQ(log.beginCopies[2].storyNumber, storykind::kMain);
    EXPECT_EQ(log.beginCopies[2].fonts, nullptr) << "the copy keeps no pointer into the block's tables";
}

TEST(ProtocolExchangeTest, ScriptedAskerAndTheDontAskFlag) {
    testsupport::ScriptedAsker asker;
    std::int16_t dontAsk = 0;
    asker.answers.push_back({1, 1});
    EXPECT_EQ(askConfirmation(&asker, &dontAsk, 0, 1, 10138, u"Convert and open?"), 1);
    EXPECT_EQ(dontAsk, 1) << "the box was checked";
    EXPECT_EQ(askConfirmation(&asker, &dontAsk, 0, 1, 10138, u"Convert and open?"), 0);
    ASSERT_EQ(asker.shown.size(), 1u) << "a flag of 1 shows nothing";
    EXPECT_EQ(asker.shown[0].stringId, 10138);
    EXPECT_EQ(askConfirmation(nullptr, nullptr, 1, 0, 10139, u"?"), 0) << "no asker: No";

    const CFail failure(result::kErrInaccessible, 12, "BEngine");
    asker.answers.push_back({1, -1});
    EXPECT_EQ(reportFailure(&asker, &failure, 10108, 1, u"Could not open"), 1);
    EXPECT_EQ(asker.shown.back().failureCode, result::kErrInaccessible);
    EXPECT_EQ(reportFailure(nullptr, &failure, 10108, 1, u"Could not open"), 0);
}

}  // namespace
