#include <benchmark/benchmark.h>

#include "core/rank.h"
#include "core/state.h"
#include "engine/generation.h"

using namespace kombitron;

// The whole road from a marked grid of 49 numbers to final bets with random reintegros.
static void BM_GenerateMapAssign49(benchmark::State& st)
{
    AppState state;
    for (int v = 1; v <= 49; ++v) setNumberMarked(state, v, true);
    for (int d : {1, 4, 7}) setReintegroMarked(state, d, true);
    state.base.reintegroMode = ReintegroMode::Random;
    BuildBaseNumbers(state);
    for (auto _ : st) {
        const int64_t total = EnumerateSubsets(state, 6);
        std::swap(state.conditionedSystem, state.totalSystem);
        MapToFinal(state);
        state.reducedCount = total;
        AssignReintegros(state);
        benchmark::DoNotOptimize(state.finalSystem.data());
        std::swap(state.conditionedSystem, state.totalSystem);
    }
    st.counters["bytes_per_bet"] =
        static_cast<double>(kBetBytes);  // the total system is one 7-byte row per bet
}
BENCHMARK(BM_GenerateMapAssign49)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_EnumerateOnly49(benchmark::State& st)
{
    AppState state;
    for (int v = 1; v <= 49; ++v) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    for (auto _ : st) benchmark::DoNotOptimize(EnumerateSubsets(state, 6));
}
BENCHMARK(BM_EnumerateOnly49)->Unit(benchmark::kMillisecond)->Iterations(3);

// Rank and unrank of every 6-of-49 combination.
static void BM_RankUnrankAll(benchmark::State& st)
{
    for (auto _ : st) {
        int64_t check = 0;
#pragma omp parallel for reduction(+ : check) schedule(static)
        for (int32_t r = 1; r <= 13983816; ++r) {
            uint8_t c[6];
            CombinationFromRank(r, c);
            check += CombinationRank(c) == r;
        }
        if (check != 13983816) st.SkipWithError("rank mismatch");
    }
}
BENCHMARK(BM_RankUnrankAll)->Unit(benchmark::kMillisecond)->Iterations(3);
