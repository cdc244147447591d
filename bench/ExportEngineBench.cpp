// A whole export through the export engine: a storage holding one main story whose character record
// changes every 10 units is played to an exporter that discards what it gets. The stories of 1,000,000
// and 10,000,000 units show how the cost scales (aim: the tenfold story in at most 11 times the time);
// each is timed three times (median and fastest reported). Building the storage is not timed.
//
// OpenStorage times the parse of the same storage files alone, which the export includes: the share of
// the export that is the storage's and not the engine's.
//
// Counters: units_per_second and peak_resident_MiB (the process's peak during that benchmark).
//
// Measured (Debug build, 8 shared cores, medians): export 992 ms for 1,000,000 units and 68,732 ms for
// 10,000,000; the parse alone 384 ms and 63,280 ms. Without the parse the export takes 608 ms and
// 5,452 ms (9.0 times for 10 times the story): the engine's delivery is linear. The parse is not: the
// storage names each run element apart ("Form%03d"), and libxml2's name dictionary slows down on a
// million distinct names (xmlDictLookup took two thirds of the time).
//
//     build/bench/export_engine_bench
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/export/CExportEngine.h"
#include "engine/export/output/OutputFolders.h"
#include "engine/task/CImportTask.h"
#include "engine/task/TaskDescriptor.h"
#include "engine/translators/CExporter.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "foundation/files/AppFolders.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"
#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"
#include "model/story/CStory.h"
#include "platform/files/Folders.h"
#include "platform/process/ProcessMemory.h"

namespace {

constexpr std::int32_t kRunUnits = 10;

// Takes the main story and drops its runs: the CExporter's defaults.
CBaseTranslator* makeDiscardingExporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) CExporter(descriptor);
}

struct BenchFolders {
    BenchFolders() {
        folder = "/tmp/export_engine_bench." + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(folder);
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, folder);
        setUpTemporaryFilesFolder();
    }
    ~BenchFolders() { std::filesystem::remove_all(folder); }
    std::string folder;
};

// Writes "story<units>.xml": one sheet whose main story changes its character size every 10 units.
std::string buildStorage(const std::string& folder, std::int32_t units) {
    const std::string name = "story" + std::to_string(units) + ".xml";
    PascalWString storageName{};
    PascalWString storageFolder{};
    assignCString(storageName, name.c_str());
    assignCString(storageFolder, folder.c_str());
    CStorage storage(storageName.text(), storageFolder, storagemode::kWrite);
    storage.rootStream()->writeValues(nullptr, 0, "SHEETS %l", std::int32_t{1});
    {
        CStream sheet(storage.rootStream(), "SHEET_0", 1);
        XParamBlock host{};
        initXParamBlock(nullptr, &host);
        {
            CStory story(&host, &sheet, nullptr, storykind::kMain, -1, 1);
            const std::u16string text = u"Some text ";
            XRule rule{};
            initXRule(&rule);
            XPage page{};
            initXPage(&page, 2);
            for (std::int32_t done = 0; done < units; done += kRunUnits) {
                XForm form{};
                initXForm(&form);
                form.txtSize = static_cast<std::int16_t>((done / kRunUnits) % 2 == 0 ? 240 : 200);
                story.appendText(text.data(), kRunUnits, &form, &rule, &page, -1);
            }
        }
        disposeXParamBlock(&host);
        CStream sizes(&sheet, "XSize", 1);
    }
    { CStream documentElement(storage.rootStream(), "Zevozav", 1); }
    storage.save();
    return name;
}

BenchFolders& benchFolders() {
    static BenchFolders folders;
    return folders;
}

// The storage of a story of that many units, built once.
const std::string& storageOf(std::int32_t units) {
    static std::map<std::int32_t, std::string> storages;
    if (storages.find(units) == storages.end()) storages[units] = buildStorage(benchFolders().folder, units);
    return storages[units];
}

void ExportStory(benchmark::State& state) {
    BenchFolders& folders = benchFolders();
    const auto units = static_cast<std::int32_t>(state.range(0));
    const std::string& storage = storageOf(units);
    platform::resetPeakResident();

    std::array<TranslatorEntry, exporter::kCount + 1> table{};
    for (int i = 0; i < exporter::kCount; ++i) table[i] = {makeDiscardingExporter, nullptr, &exporterDescriptors[i]};
    CTranslator registry(table.data(), TranslatorDirection::exporters);
    TaskDescriptor request{};
    setDefaultTaskDescriptor(request);
    auto task = std::make_unique<CImportTask>(&request);
    PascalWString folder{};
    assignCString(folder, folders.folder.c_str());
    FileSpec storageSpec{};
    PascalWString storageName{};
    assignCString(storageName, storage.c_str());
    makeFileSpec(storageSpec, storageName, folder);

    for (auto _ : state) {
        FileSpec output{};
        assignCString(output.name, "story.docx");
        output.folder = folder;
        const ExportEngineSetup setup{nullptr, &registry, &storageSpec, &output, task.get(), 0, exporter::kCSV, 1, 0,
                                      0,       1,         0,            0,       nullptr,    nullptr, nullptr};
        CExportEngine engine(setup, table.data(), besideOriginalFolders());
        FileSpec* files = engine.run(static_cast<FamilyPreferences*>(nullptr));
        benchmark::DoNotOptimize(files);
        freeMemory(files);
    }
    state.counters["units_per_second"] =
        benchmark::Counter(static_cast<double>(units), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_resident_MiB"] = static_cast<double>(platform::peakResidentBytes()) / (1024.0 * 1024.0);
}

void OpenStorage(benchmark::State& state) {
    const auto units = static_cast<std::int32_t>(state.range(0));
    const std::string& name = storageOf(units);
    PascalWString storageName{};
    PascalWString folder{};
    assignCString(storageName, name.c_str());
    assignCString(folder, benchFolders().folder.c_str());
    for (auto _ : state) {
        CStorage storage(storageName.text(), folder, storagemode::kRead);
        benchmark::DoNotOptimize(storage.rootStream());
    }
    state.counters["units_per_second"] =
        benchmark::Counter(static_cast<double>(units), benchmark::Counter::kIsIterationInvariantRate);
}

double fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

BENCHMARK(ExportStory)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("min", fastest);
BENCHMARK(OpenStorage)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("min", fastest);

}  // namespace
