#include <benchmark/benchmark.h>

#include <algorithm>

#include "core/filter_rows.h"
#include "core/interaction.h"
#include "core/random.h"
#include "core/state.h"
#include "engine/generation.h"
#include "filters/conditioning.h"

using namespace kombitron;

namespace {

// `count` draws of six distinct random numbers, numbered 1..count in one season.
DrawList randomDraws(int count)
{
    Rng rng(20240611);
    DrawList draws(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        DrawRecord& d = draws[static_cast<size_t>(i)];
        int k = 0;
        while (k < 6) {
            const auto n = static_cast<uint8_t>(1 + rng.below(49));
            if (std::find(d.numbers, d.numbers + k, n) == d.numbers + k) d.numbers[k++] = n;
        }
        d.season = 2000;
        d.drawNumber = static_cast<uint16_t>(i + 1);
        d.weekday = 4;
    }
    return draws;
}

} // namespace

// The SORTEOS ANTERIORES filter as a calculation runs it: one group over every loaded draw,
// hits {3}, limits 0..all (no bet stops its scan early), over the total system of the first
// `numbers` numbers. These runs give the table of times the filter's window shows.
static void BM_PreviousDrawsConditioning(benchmark::State& st)
{
    const int numbers = static_cast<int>(st.range(0));
    const int drawCount = static_cast<int>(st.range(1));
    AppState state;
    ResetStateDefaults(state, 2024);
    resetFilterRows(state);
    for (int v = 1; v <= numbers; ++v) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    const int64_t bets = EnumerateSubsets(state, 6);
    auto& params = state.filters.sorteosAnteriores;
    params.draws = randomDraws(drawCount);
    PreviousDrawsGroup& g = params.groups[0];
    g.sorteoDESDE = {1, 2000};
    g.sorteoHASTA = {static_cast<uint16_t>(drawCount), 2000};
    g.acertarEN.flags[3] = 1;
    g.aciertosMinimoSORTEOS = 0;
    g.aciertosMaximoSORTEOS = drawCount;
    setRowActive(state.filterRows[static_cast<size_t>(FilterId::SORTEOSANTERIORES)], true);
    Progress quiet;
    for (auto _ : st) benchmark::DoNotOptimize(RunConditioningPass(state, quiet, {}).eliminated);
    st.counters["bets"] = static_cast<double>(bets);
    st.counters["draws"] = drawCount;
}
BENCHMARK(BM_PreviousDrawsConditioning)
    ->ArgsProduct({{30, 40, 49}, {1000, 4000, 8000}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
