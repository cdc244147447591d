// Failures inside the writers: an output file that refuses its bytes and memory that runs out at any
// allocation end the request with the failure's code, leak nothing, and leave no crash behind.
#include <gtest/gtest.h>

#include "export/CCSVExporter.h"
#include "export/CTEXTExporter.h"
#include "export/CUnicodeExporter.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "platform/process/AllocationFailure.h"
#include "tests/export/WriterTestSupport.h"

namespace exporttest {
namespace {

const Writer kWriters[] = {
    {"Text", makeTEXTExporter, exporter::kText},
    {"Unicode", makeUnicodeExporter, exporter::kUnicode},
    {"CSV", makeCSVExporter, exporter::kCSV},
};

const std::vector<PlayedRun> kStory = {text(u"Name\tCity\r"), text(u"J\u00F6rg\tK\u00F8ge\r"), text(u"end")};

constexpr std::int16_t kDiskFull = 112;

// An output file on a full disk: every write is refused.
class FullDiskFile : public CFile {
public:
    using CFile::CFile;
    std::int16_t write(const void*, std::int32_t, std::int16_t, std::int32_t) override { return kDiskFull; }
};

// The exporter with its sheet's output file replaced by one on a full disk.
template <typename Exporter>
class ExporterOnFullDisk : public Exporter {
public:
    using Exporter::Exporter;

protected:
    void openFile() override {
        Exporter::openFile();
        disposeObject(this->file);
        this->file = new FullDiskFile(this->block->fileSpec.name, this->block->fileSpec.folder, 0, 0, 0, 0, 0, 0);
    }
};

template <typename Exporter>
CBaseTranslator* newOnFullDisk(const TranslatorDescriptor* descriptor) {
    return new ExporterOnFullDisk<Exporter>(descriptor);
}

TEST(WriterFailure, AWriteThatFailsFailsTheRequestWithTheFileCode) {
    const Writer writers[] = {
        {"Text", newOnFullDisk<CTEXTExporter>, exporter::kText},
        {"Unicode", newOnFullDisk<CUnicodeExporter>, exporter::kUnicode},
        {"CSV", newOnFullDisk<CCSVExporter>, exporter::kCSV},
    };
    for (const Writer& writer : writers) {
        SCOPED_TRACE(writer.name);
        WriterSession session(writer);
        EXPECT_EQ(session.player.play({{"out", kStory}}), kDiskFull);
    }
}

TEST(WriterFailure, RunningOutOfMemoryAtAnyAllocationFailsCleanly) {
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        std::string expected;
        {
            WriterSession session(writer, RunDelivery::utf16);
            expected = session.writeStory(kStory);
            ASSERT_EQ(session.result, 0);
        }
        bool completed = false;
        for (std::int64_t failAt = 1; failAt <= 200 && !completed; ++failAt) {
            WriterSession session(writer, RunDelivery::utf16);
            session.player.createFiles({{"out", kStory}});
            std::int32_t result = 0;
            {
                // The writers make their objects and blocks without the throwing new; the player's own strings
                // are left out of the count.
                platform::ScopedAllocationFailure failure(failAt, platform::ThrowingNew::kIgnored);
                result = session.player.sendDocument({{"out", kStory}});
            }
            if (result == 0) {
                completed = true;
                EXPECT_EQ(hex(fileBytes(session.folder.file("out"))), hex(expected)) << "failing allocation " << failAt;
            } else {
                EXPECT_EQ(result, 12) << "failing allocation " << failAt;
            }
        }
        EXPECT_TRUE(completed) << "the sweep never reached a run without failure";
    }
}

}  // namespace
}  // namespace exporttest
