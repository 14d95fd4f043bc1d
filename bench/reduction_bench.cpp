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
        // The first cycle is the measure: the stop comes with its end.
        struct StopAfterACycle : ReductionProgress {
            explicit StopAfterACycle(StopFlag& s) : stop(s) {}
            void cycleDone(double) override { stop.request(); }
            StopFlag& stop;
        } progress(stop);
        ReductionResult r = runReduction(state, progress, stop);
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

#include "engine/exact_count.h"

// The exact-count fill-up: a reduced system of 100 bets made 5,000 bets long out of every
// combination of 49 numbers.
static void BM_ExactCountFill(benchmark::State& st)
{
    AppState state = fullSystem(49);
    BetList reduced(100);
    for (int64_t i = 1; i <= 100; ++i) {
        uint8_t* b = reduced.bet(i);
        for (int j = 0; j < 6; ++j) b[j] = static_cast<uint8_t>(state.base.baseNumbers[state.conditionedSystem.at(i * 1000, j + 1) - 1]);
        b[6] = 0;
    }
    Progress quiet;
    for (auto _ : st) {
        ExactCountResult out =
            AdjustToExactCount(ExactCountInput{reduced, state.conditionedSystem, state.base.baseNumbers, 5000}, quiet, {});
        benchmark::DoNotOptimize(out.bets.data());
    }
}
BENCHMARK(BM_ExactCountFill)->Unit(benchmark::kMillisecond)->Iterations(3);

#include "core/random.h"
#include "engine/guarantees.h"

// Guarantees over every 6-set of 49 numbers against R random reduced bets.
static void BM_GuaranteesTotal49(benchmark::State& st)
{
    const int64_t count = st.range(0);
    std::vector<uint8_t> base;
    for (int v = 1; v <= 49; ++v) base.push_back(static_cast<uint8_t>(v));
    Rng rng(17);
    BetList reduced(count);
    for (int64_t i = 1; i <= count; ++i) {
        uint8_t* b = reduced.bet(i);
        int k = 0;
        while (k < 6) {
            const uint8_t v = static_cast<uint8_t>(1 + rng.below(49));
            if (std::find(b, b + k, v) == b + k) b[k++] = v;
        }
        std::sort(b, b + 6);
        b[6] = 0;
    }
    IndexBetList none;
    Progress quiet;
    StopFlag stop;
    for (auto _ : st) {
        const GuaranteePassResult pass = runGuaranteePass(GuaranteeInput{base, none, reduced}, GuaranteeScope::Total, 6, quiet, stop);
        if (!pass.done()) st.SkipWithError("stopped");
        benchmark::DoNotOptimize(pass.stats.cases);
    }
    st.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_GuaranteesTotal49)->Arg(163)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(2);
