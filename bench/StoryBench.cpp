// Writing and loading a long story: text arrives in chunks of 10 UTF-16 units, each chunk in another
// character format (as an importer hands over one run per request), so a story of n units has n / 10
// character runs. Sizes of 100,000, 1,000,000 and 10,000,000 units show how both directions scale; each
// is timed three times (median and fastest reported).
//
// Counters: units_per_second for the direction timed, runs (character runs of the story) and
// peak_resident_MiB (the process's peak during that benchmark: the written storage, and for loading the
// loaded text and run arrays on top of it). In the "min" rows the rate is the lowest of the three.
//
// TableScan counts the rows of a table story of 10,000 and 100,000 cells, each cell in a character run of
// its own and ten cells to a row: the scanner looks runs up in rising positions, so 10 times the cells
// should take about 10 times as long (cells_per_second stays level).
//
//     build/bench/story_bench --benchmark_filter=Story
//     build/bench/story_bench --benchmark_filter=TableScan
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>
#include <memory>
#include <string>

#include "foundation/CFail.h"
#include "foundation/language/CLanguage.h"
#include "model/params/XParamBlock.h"
#include "model/storage/CStorage.h"
#include "model/story/CStory.h"
#include "model/story/CTable.h"
#include "platform/files/Folders.h"
#include "platform/process/ProcessMemory.h"

namespace {

constexpr std::int32_t kChunkUnits = 10;

// The language tables beside the program, as a conversion has them; without them every unit counts as
// Latin text.
void loadLanguageTables() {
    static std::unique_ptr<CLanguage> tables;
    if (tables != nullptr) return;
    platform::overrideFolderForTesting(platform::Folder::Program, VDK_RUNTIME_DIR);
    try {
        tables = std::make_unique<CLanguage>();
    } catch (const CFail&) {
        tables.reset();
    }
}

// Mostly Latin text with an accented letter now and then.
std::u16string sampleText(std::int32_t units) {
    const std::u16string pattern = u"Story text, r\u00E9sum\u00E9 of a long document. ";
    std::u16string text;
    text.reserve(static_cast<std::size_t>(units));
    while (static_cast<std::int32_t>(text.size()) < units) text += pattern;
    text.resize(static_cast<std::size_t>(units));
    return text;
}

// A storage holding one main story of the text, written chunk by chunk.
class WrittenStory {
public:
    explicit WrittenStory(const std::u16string& text)
        : storage(nullptr, storagemode::kWrite), block(std::make_unique<XParamBlock>()) {
        initXParamBlock(nullptr, block.get());
        story = std::make_unique<CStory>(block.get(), storage.rootStream(), nullptr, storykind::kMain, -1, 1);
        const auto length = static_cast<std::int32_t>(text.size());
        for (std::int32_t at = 0; at < length; at += kChunkUnits) {
            block->form.txtSize = static_cast<std::int16_t>((at / kChunkUnits) % 2 == 0 ? 240 : 200);
            const std::int32_t units = length - at < kChunkUnits ? length - at : kChunkUnits;
            story->appendText(text.data() + at, units, &block->form, &block->rule, &block->page, 0);
        }
    }
    ~WrittenStory() {
        story.reset();
        disposeXParamBlock(block.get());
    }
    WrittenStory(const WrittenStory&) = delete;
    WrittenStory& operator=(const WrittenStory&) = delete;

    CStorage storage;
    std::unique_ptr<XParamBlock> block;
    std::unique_ptr<CStory> story;
};

// The peak of one benchmark: the resident size when it starts, and what its work adds.
void startPeak() {
    platform::resetPeakResident();
}

void setCounters(benchmark::State& state, std::int64_t units) {
    state.counters["units_per_second"] =
        benchmark::Counter(static_cast<double>(units), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["runs"] = static_cast<double>(units / kChunkUnits);
    state.counters["peak_resident_MiB"] = static_cast<double>(platform::peakResidentBytes()) / (1024.0 * 1024.0);
}

void StoryWrite(benchmark::State& state) {
    loadLanguageTables();
    startPeak();
    const auto units = static_cast<std::int32_t>(state.range(0));
    const std::u16string text = sampleText(units);
    for (auto _ : state) {
        auto written = std::make_unique<WrittenStory>(text);
        benchmark::DoNotOptimize(written->story->getUnitCount());
        state.PauseTiming();  // freeing the storage is not writing
        written.reset();
        state.ResumeTiming();
    }
    setCounters(state, units);
}

void StoryLoad(benchmark::State& state) {
    loadLanguageTables();
    startPeak();
    const auto units = static_cast<std::int32_t>(state.range(0));
    WrittenStory written(sampleText(units));
    CStory found(nullptr, written.storage.rootStream(), nullptr, storykind::kMain, -1, 0);
    for (auto _ : state) {
        char16_t* text = nullptr;
        std::int32_t textLength = 0;
        XForm* forms = nullptr;
        XRule* rules = nullptr;
        XPage* pages = nullptr;
        std::int32_t formCount = 0;
        std::int32_t ruleCount = 0;
        std::int32_t pageCount = 0;
        found.loadAll(&text, &textLength, &forms, &formCount, &rules, &ruleCount, &pages, &pageCount, nullptr, nullptr,
                      nullptr, nullptr, 0);
        benchmark::DoNotOptimize(forms[formCount - 2].position);
        state.PauseTiming();
        freeLoadedStory(text, forms, rules, ruleCount, pages);
        state.ResumeTiming();
    }
    setCounters(state, units);
}

constexpr std::int32_t kCellsPerRow = 10;

// A table story of `cells` cells "ab" + cell end, each in another character format, with a paragraph run
// that ends the row after every tenth cell.
std::unique_ptr<WrittenStory> writtenTable(std::int32_t cells) {
    auto written = std::make_unique<WrittenStory>(u"");
    XParamBlock& block = *written->block;
    const std::u16string cell = u"ab\u0010";
    for (std::int32_t i = 0; i < cells; ++i) {
        block.form.txtSize = static_cast<std::int16_t>(i % 2 == 0 ? 240 : 200);
        block.rule.lastCellOfRow = static_cast<std::int16_t>(i % kCellsPerRow == kCellsPerRow - 1 ? 1 : 0);
        written->story->appendText(cell.data(), static_cast<std::int32_t>(cell.size()), &block.form, &block.rule,
                                   &block.page, 0);
    }
    return written;
}

void TableScan(benchmark::State& state) {
    loadLanguageTables();
    const auto cells = static_cast<std::int32_t>(state.range(0));
    const std::unique_ptr<WrittenStory> written = writtenTable(cells);
    for (auto _ : state) {
        CStory found(nullptr, written->storage.rootStream(), nullptr, storykind::kMain, -1, 0);
        benchmark::DoNotOptimize(countStoryRows(nullptr, &found));
    }
    state.counters["cells_per_second"] =
        benchmark::Counter(static_cast<double>(cells), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["rows"] = static_cast<double>(written->story->readRows());
}

double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// Loading first: each load benchmark writes its story into a heap that no earlier benchmark has
// scattered, as a conversion's export follows its own import.
BENCHMARK(StoryLoad)->Arg(100000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("min", fastest);
BENCHMARK(StoryWrite)->Arg(100000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("min", fastest);
BENCHMARK(TableScan)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("min", fastest);

}  // namespace
