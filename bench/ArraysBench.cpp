// Appending to the two arrays: the cost per item should stay flat from 1x to 10x.
#include <benchmark/benchmark.h>

#include "foundation/memory/CArray.h"
#include "foundation/memory/LArray.h"

static void BM_LArrayAppend(benchmark::State& state) {
    for (auto _ : state) {
        LArray array;
        for (std::int32_t i = 0; i < state.range(0); ++i) array.appendItem(&i, 0);
        benchmark::DoNotOptimize(array.getCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LArrayAppend)->Arg(10000)->Arg(100000);

static void BM_LArrayKeepSortedInsert(benchmark::State& state) {
    for (auto _ : state) {
        LArray array(0, 4, nullptr, true);
        for (std::int32_t i = 0; i < state.range(0); ++i) {
            const std::int32_t v = (i * 7919) % 65521;
            array.appendItem(&v, 0);
        }
        benchmark::DoNotOptimize(array.getCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LArrayKeepSortedInsert)->Arg(1000)->Arg(10000);

static void BM_CArrayAppend(benchmark::State& state) {
    for (auto _ : state) {
        CArray array(0, kPointerItemSize);
        for (std::int32_t i = 0; i < state.range(0); ++i) {
            void* pointer = &array;
            array.append(&pointer);
        }
        benchmark::DoNotOptimize(array.getCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CArrayAppend)->Arg(1000)->Arg(10000);
