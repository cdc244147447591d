// Formatting numeric cells as the spreadsheet importer does: one ExFormat per cell, made with the
// cell's code, used once. A mix of ten common formats over varied values; items per second is cells per
// second. 1x and 10x the cells show the cost per cell stays flat.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "import/spreadsheet/numberformat/ExFormat.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"

namespace {

constexpr std::array<const char16_t*, 10> kCommonFormats = {
    u"",  u"0", u"0.00", u"#,##0", u"#,##0.00", u"0%", u"0.00E+00", u"m/d/yy", u"h:mm:ss",
    u"#,##0.00_);[Red](#,##0.00)",
};

// Values of the kinds these formats meet: amounts, ratios, serial dates with times, negatives.
std::vector<double> cellValues(std::size_t count) {
    std::vector<double> values(count);
    std::uint64_t seed = 0x9E3779B97F4A7C15ull;
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        const double unit = static_cast<double>(seed >> 11) / static_cast<double>(1ull << 53);
        switch (i % 4) {
        case 0: values[i] = unit * 100000 - 20000; break;
        case 1: values[i] = unit; break;
        case 2: values[i] = 30000 + unit * 20000; break;
        default: values[i] = static_cast<double>(static_cast<long long>(unit * 1000000)); break;
        }
    }
    return values;
}

void BM_FormatNumericCells(benchmark::State& state) {
    loadFormatStrings();
    const std::vector<double> values = cellValues(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::size_t units = 0;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const ExFormat format(0, kCommonFormats[i % kCommonFormats.size()]);
            units += format.formatCellValue(values[i]).text.size();
        }
        benchmark::DoNotOptimize(units);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FormatNumericCells)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
