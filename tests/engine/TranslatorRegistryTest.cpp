// The registry over a table: look-ups by index and name, making and releasing the current translator,
// and one-shot requests.
#include <gtest/gtest.h>

#include <new>

#include "engine/translators/CTranslator.h"
#include "engine/translators/StandInTranslators.h"
#include "engine/translators/TranslatorRequest.h"
#include "model/params/XParamBlock.h"
#include "platform/process/AllocationFailure.h"
#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

CBaseTranslator* makeNothing(const TranslatorDescriptor*) { return nullptr; }
CBaseTranslator* throwBadAlloc(const TranslatorDescriptor*) { throw std::bad_alloc(); }
CBaseTranslator* throwStop(const TranslatorDescriptor*) { throwFail(result::kStopQuietly, __LINE__, "Test"); }
CBaseTranslator* makeImporterBase(const TranslatorDescriptor* d) { return new (std::nothrow) CImporter(d); }

TEST(TranslatorRegistryTest, CountsAndLookUps) {
    auto importers = importerTable(makeStandInImporter);
    auto exporters = exporterTable(makeStandInExporter);
    CTranslator importerRegistry(importers.data(), TranslatorDirection::importers);
    CTranslator exporterRegistry(exporters.data(), TranslatorDirection::exporters);
    EXPECT_EQ(importerRegistry.count(), 6);
    EXPECT_EQ(exporterRegistry.count(), 4);
    EXPECT_EQ(exporterRegistry.entryAt(-1), nullptr);
    EXPECT_EQ(exporterRegistry.entryAt(4), nullptr);
    EXPECT_EQ(exporterRegistry.descriptorAt(4), nullptr);
    EXPECT_EQ(exporterRegistry.indexOfName("rtf"), 1);
    EXPECT_EQ(importerRegistry.indexOfName("office 2007 encrypted document"), 2);
}

TEST(TranslatorRegistryTest, FindByNameComparesAsTheExportChoiceDoes) {
    auto exporters = exporterTable(makeStandInExporter);
    CTranslator registry(exporters.data(), TranslatorDirection::exporters);
    struct Case {
        const char* name;
        std::int32_t index;
    };
    for (const Case& c : {Case{"RTF", 1}, Case{"rtf", 1}, Case{"unicode", 3}, Case{"PDF", -1}, Case{"", -1}}) {
        SCOPED_TRACE(c.name);
        std::int32_t index = 0;  // a stale index must not pass for a find
        const TranslatorDescriptor* found = registry.findByName(c.name, &index);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(found, c.index < 0 ? nullptr : &exporterDescriptors[c.index]);
    }
}

TEST(TranslatorRegistryTest, IdleRegistryAnswersTwo) {
    auto exporters = exporterTable(makeStandInExporter);
    CTranslator registry(exporters.data(), TranslatorDirection::exporters);
    EXPECT_EQ(registry.release(), 2);
    XParamBlock block{};
    block.selector = 77;
    EXPECT_EQ(registry.send(0, &block), 2);
    EXPECT_EQ(block.selector, 77);
    std::int32_t index = 4;
    const TranslatorDescriptor* descriptor = nullptr;
    EXPECT_EQ(registry.create(index, &descriptor, nullptr, nullptr, nullptr), 2);
    EXPECT_EQ(descriptor, nullptr);
}

TEST(TranslatorRegistryTest, FactoryFailuresAreAnsweredAndLeaveNoTranslator) {
    struct Case {
        TranslatorFactory factory;
        std::int16_t code;
    };
    for (const Case& c : {Case{makeNothing, 12}, Case{throwBadAlloc, 12}, Case{throwStop, result::kStopQuietly}}) {
        auto table = importerTable(c.factory);
        CTranslator registry(table.data(), TranslatorDirection::importers);
        std::int32_t index = 3;
        const TranslatorDescriptor* descriptor = nullptr;
        EXPECT_EQ(registry.create(index, &descriptor, nullptr, nullptr, nullptr), c.code);
        EXPECT_EQ(descriptor, &importerDescriptors[3]) << "written before the factory runs";
        EXPECT_EQ(registry.current(), -1);
        EXPECT_EQ(table[3].object, nullptr);
    }
}

TEST(TranslatorRegistryTest, CreateSendRelease) {
    auto table = importerTable(makeImporterBase);
    CTranslator registry(table.data(), TranslatorDirection::importers);
    std::int32_t index = 3;
    ASSERT_EQ(registry.create(index, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(registry.current(), 3);
    XParamBlock block{};
    EXPECT_EQ(registry.send(request::kSelBeginSheet, &block), 0);
    EXPECT_EQ(block.selector, -1);
    // A second create ends the current translator first: one live translator per registry.
    index = 4;
    ASSERT_EQ(registry.create(index, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(table[3].object, nullptr);
    EXPECT_EQ(registry.release(), 0);
    EXPECT_EQ(table[4].object, nullptr);
    EXPECT_EQ(registry.current(), -1);
}

TEST(TranslatorRegistryTest, RequestLeavesTheRegistryIdle) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file("a.doc"), "x");
    FileSpec spec = specOf(itemIn(folder, "a.doc"));
    auto table = importerTable(makeStandInImporter);
    CTranslator registry(table.data(), TranslatorDirection::importers);
    EXPECT_EQ(registry.request(3, request::kSelIdentifyFull, &spec, nullptr), result::kErrInaccessible);
    EXPECT_EQ(registry.current(), -1);
    EXPECT_EQ(registry.request(9, request::kSelIdentifyFull, &spec, nullptr), 2);

    // Never while another translator is current: the request would end it.
    std::int32_t index = 0;
    ASSERT_EQ(registry.create(index, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(registry.request(3, request::kSelIdentifyFull, &spec, nullptr), 2);
    EXPECT_EQ(registry.current(), 0);
    EXPECT_NE(table[0].object, nullptr);
}

TEST(TranslatorRegistryTest, RequestOutOfMemoryAtAnyStepFailsCleanly) {
    testsupport::TemporaryFolder folder;
    writeBytes(folder.file("a.doc"), "x");
    FileSpec spec = specOf(itemIn(folder, "a.doc"));
    auto table = importerTable(makeImporterBase);
    CTranslator registry(table.data(), TranslatorDirection::importers);
    bool succeeded = false;
    for (std::int64_t step = 1; step < 200 && !succeeded; ++step) {
        SCOPED_TRACE(step);
        std::int32_t answer = -1;
        bool failed = false;
        {
            platform::ScopedAllocationFailure failure(step);
            try {
                answer = registry.request(3, request::kSelIdentifyFull, &spec, nullptr);
            } catch (const CFail& raised) {
                failed = true;
                EXPECT_EQ(raised.error, result::kOutOfMemory);
            }
        }
        EXPECT_EQ(registry.current(), -1);
        EXPECT_EQ(table[3].object, nullptr);
        if (!failed && answer == 0) succeeded = true;
        if (!failed && answer != 0) {
            EXPECT_EQ(answer, 2) << "only a translator that could not be made";
        }
    }
    EXPECT_TRUE(succeeded);
}

}  // namespace
