// The whole road of a document: a scripted importer's answers go through the import engine into the
// storage, and the export engine plays them back to a recording exporter.
#include <gtest/gtest.h>

#include "engine/export/CExportEngine.h"
#include "engine/export/output/OutputFolders.h"
#include "foundation/memory/Memory.h"
#include "tests/engine/ImportEngineTestSupport.h"
#include "tests/support/RecordingExporter.h"

namespace {

using testsupport::ExportEvent;
using testsupport::kKeepCode;

class ExportRoundTripTest : public enginetest::ImportEngineTest {};

TEST_F(ExportRoundTripTest, EveryStoryComesBackWithItsTextAndMarks) {
    makeInput();
    // Main story: two chunks, the second a footnote reference; then one footnote of its own text.
    script.add(request::kSelText, {.answer = 0, .text = u"Hello world\r"});
    script.add(request::kSelText, {.answer = 0, .text = u"See\u0017"});
    script.add(request::kSelText, {.answer = -1, .text = u""});
    script.add(importBeginCode(storykind::kFootnote), {});
    script.always(importBeginCode(storykind::kFootnote), {.answer = kKeepCode});
    script.add(request::kSelText, {.answer = 0, .text = u"\u0002 A note."});
    ASSERT_EQ(runEngine(), 0);

    testsupport::ExportLog log;
    const testsupport::ExportLogBinding binding(&exporterDescriptors[exporter::kRTF], log);
    auto exporters = enginetest::exporterTable(testsupport::makeRecordingExporter);
    FileSpec output = input;
    const ExportEngineSetup setup{nullptr, nullptr, &storageSpec, &output, task.get(), 0, exporter::kRTF, 1, 0,
                                  1,       1,       0,            0,       nullptr,    nullptr, nullptr, nullptr};
    CExportEngine engine(setup, exporters.data(), besideOriginalFolders());
    FileSpec* files = engine.run(static_cast<FamilyPreferences*>(nullptr));
    freeMemory(files);

    std::vector<std::int16_t> codes;
    std::u16string footnote;
    std::u16string main;
    for (const auto& entry : log.entries) {
        codes.push_back(entry.selector);
        if (entry.event != ExportEvent::text) continue;
        (entry.storyNumber == storykind::kFootnote ? footnote : main) += entry.text;
    }
    // The import side ends the main story with a paragraph end.
    EXPECT_EQ(codes, (std::vector<std::int16_t>{0, 1, 7, 13, 13, 19, 11, 13, 13, 13, 13, 23, 24, 25}));
    EXPECT_EQ(main, u"Hello world\rSee\u0017\r");
    EXPECT_EQ(footnote, u"\u0002 A note.");
    EXPECT_EQ(pstringToUtf8(output.name), "Report.rtf");
}

}  // namespace
