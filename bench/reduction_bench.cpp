#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include "core/state.h"
#include "engine/generation.h"
#include "engine/reduction.h"

using namespace kombitron;

namespace {

// Every 6-set of the numbers 1..n, as a calculation with no active filter leaves it.
AppState fullSystem(int n)
{
    AppState state;
    for (int v = 1; v <= n; ++v) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    const int64_t total = EnumerateSubsets(state, 6);
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);
    state.conditionedSystem = state.totalSystem;
    state.conditionedCount = total;
    state.noBetEliminated = true;
    return state;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// One run of the reduction stopped as soon as its first cycle is counted: the time of the
// preparation and of the first cycle.
void firstCycle(benchmark::State& st, int n, int type)
{
    AppState state = fullSystem(n);
    state.reduction.type = type;
    state.reduction.percentage = 100;
    state.reduction.byBetCount = 0;
    state.reduction.cycles = 1;
    int64_t size = 0;
    for (auto _ : st) {
        StopFlag stop;
        ReductionCallbacks cb;
        cb.cycleDone = [&](double) { stop.request(); };
        ReductionResult r = runReduction(state, cb, stop);
        if (!r.found) st.SkipWithError("no result");
        size = r.best;
    }
    st.counters["bets"] = static_cast<double>(state.conditionedCount);
    st.counters["reduced"] = static_cast<double>(size);
    st.counters["peak_MB"] = peakMegabytes();
}

} // namespace

static void BM_ReduceTo4_20Numbers(benchmark::State& st) { firstCycle(st, 20, 2); }
BENCHMARK(BM_ReduceTo4_20Numbers)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_ReduceTo3_30Numbers(benchmark::State& st) { firstCycle(st, 30, 3); }
BENCHMARK(BM_ReduceTo3_30Numbers)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_ReduceTo4_49Numbers(benchmark::State& st) { firstCycle(st, 49, 2); }
BENCHMARK(BM_ReduceTo4_49Numbers)->Unit(benchmark::kSecond)->Iterations(1);

static void BM_ReduceTo5_49Numbers(benchmark::State& st) { firstCycle(st, 49, 1); }
BENCHMARK(BM_ReduceTo5_49Numbers)->Unit(benchmark::kSecond)->Iterations(1);
