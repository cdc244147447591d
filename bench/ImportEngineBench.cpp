// A whole import through the import engine: an importer delivers one main story in chunks of 2,000
// UTF-16 units whose script changes every 10 units (Latin, then Cyrillic), so the story gets a new
// character run every 10 units, and every chunk comes in another character size. The engine stores the
// story and saves the storage file. Stories of 100,000 and 1,000,000 units show how the cost scales;
// each size is timed three times (median and fastest reported).
//
// Counters: units_per_second and peak_resident_MiB (the process's peak during that benchmark).
//
//     build/bench/import_engine_bench
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/import/CImportEngine.h"
#include "engine/task/CImportTask.h"
#include "engine/translators/CImporter.h"
#include "engine/translators/CTranslator.h"
#include "engine/task/TaskDescriptor.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "foundation/files/AppFolders.h"
#include "foundation/CFail.h"
#include "foundation/language/CLanguage.h"
#include "model/params/XParamBlock.h"
#include "platform/files/Folders.h"
#include "platform/process/ProcessMemory.h"

namespace {

constexpr std::int32_t kChunkUnits = 2000;

std::int32_t storyUnits = 0;  // what the next importer delivers

// Latin and Cyrillic in turns of ten units: one chunk of the story.
std::u16string chunkText() {
    std::u16string text;
    while (static_cast<std::int32_t>(text.size()) < kChunkUnits) {
        text += u"Latin text";
        text += u"\u041A\u0438\u0440\u0438\u043B\u043B\u0438\u0446\u0430 ";
    }
    text.resize(kChunkUnits);
    return text;
}

class ChunkImporter : public CImporter {
public:
    using CImporter::CImporter;

protected:
    void readDocument() override {
        CImporter::readDocument();
        block->sheetCount = 1;
    }
    void readText() override {
        if (delivered >= storyUnits) {
            answerNoText();
            return;
        }
        static const std::u16string text = chunkText();
        const std::int32_t units = std::min(kChunkUnits, storyUnits - delivered);
        std::copy_n(text.data(), units, block->textBuffer);
        block->textLength = units;
        block->form.txtSize = static_cast<std::int16_t>((delivered / kChunkUnits) % 2 == 0 ? 240 : 200);
        block->selector = 0;
        delivered += units;
    }

private:
    std::int32_t delivered = 0;
};

CBaseTranslator* makeChunkImporter(const TranslatorDescriptor* descriptor) {
    return new (std::nothrow) ChunkImporter(descriptor);
}

// The program's folders for the run: the language tables beside the program, the temporary files in
// a folder of the benchmark's own.
struct BenchFolders {
    BenchFolders() {
        platform::overrideFolderForTesting(platform::Folder::Program, VDK_RUNTIME_DIR);
        folder = "/tmp/import_engine_bench." + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(folder);
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, folder);
        setUpTemporaryFilesFolder();
        std::ofstream(folder + "story.docx", std::ios::binary) << "PK\x03\x04 bench";
        try {
            languages = std::make_unique<CLanguage>();
        } catch (const CFail&) {
            languages.reset();
        }
    }
    ~BenchFolders() { std::filesystem::remove_all(folder); }

    std::string folder;
    std::unique_ptr<CLanguage> languages;
};

void ImportStory(benchmark::State& state) {
    static BenchFolders folders;
    platform::resetPeakResident();
    storyUnits = static_cast<std::int32_t>(state.range(0));
    std::array<TranslatorEntry, importer::kCount + 1> table{};
    for (int i = 0; i < importer::kCount; ++i) table[i] = {makeChunkImporter, nullptr, &importerDescriptors[i]};
    CTranslator registry(table.data(), TranslatorDirection::importers);
    TaskDescriptor request{};
    setDefaultTaskDescriptor(request);
    auto task = std::make_unique<CImportTask>(&request);
    FileSpec input{};
    PascalWString name{};
    PascalWString folder{};
    assignCString(name, "story.docx");
    assignCString(folder, folders.folder.c_str());
    makeFileSpec(input, name, folder);
    for (auto _ : state) {
        FileSpec storage = input;
        const ImportEngineSetup setup{nullptr, &registry, &input, &storage, task.get(), importer::kWord2007, nullptr,
                                      nullptr};
        CImportEngine engine(setup, table.data());
        ImportOutcome outcome{};
        engine.run(outcome);
        benchmark::DoNotOptimize(outcome.kindCode);
    }
    state.counters["units_per_second"] =
        benchmark::Counter(static_cast<double>(storyUnits), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_resident_MiB"] = static_cast<double>(platform::peakResidentBytes()) / (1024.0 * 1024.0);
}

double fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

BENCHMARK(ImportStory)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("min", fastest);

}  // namespace
