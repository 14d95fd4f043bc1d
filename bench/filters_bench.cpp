#include <benchmark/benchmark.h>

#include "core/filter_rows.h"
#include "core/interaction.h"
#include "core/state.h"
#include "filters/conditioning.h"
#include "engine/generation.h"
#include "history/draw_history.h"

using namespace kombitron;

namespace {

HitSet hitsOf(std::initializer_list<int> counts)
{
    HitSet set;
    for (int c : counts) set.flags[c] = 1;
    return set;
}

NumberFlags range(int first, int last)
{
    NumberFlags flags{};
    for (int n = first; n <= last; ++n) flags[n] = 1;
    return flags;
}

AppState allNumbers()
{
    AppState state;
    ResetStateDefaults(state, 2026);
    resetFilterRows(state);
    for (int v = 1; v <= 49; ++v) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    EnumerateSubsets(state, 6);
    return state;
}

// Every filter but SORTEOS ANTERIORES active, each with a condition that eliminates part of the
// bets that reach it.
void activateEighteenFilters(AppState& state)
{
    FilterParams& f = state.filters;
    f.altosBajos.bajos = hitsOf({1, 2, 3, 4, 5});
    for (int i = 1; i < 10; ++i) f.decenas.figures[i] = 1;
    f.decenas.decenas[4] = hitsOf({0, 1, 2, 3});
    f.distancias.minimum[5] = 12;
    f.distancias.maximum[5] = 48;
    for (int g = 0; g < 6; ++g) {
        f.grupos.groups[g].members = range(1 + g * 8, 8 + g * 8);
        f.grupos.groups[g].hits = hitsOf({0, 1, 2, 3});
    }
    f.grupos.groups[6].members = range(30, 49);
    f.grupos.groups[6].hits = hitsOf({1, 2, 3});
    f.grupos.groups[6].positions = {0, 0, 0, 1, 1, 1};
    for (int b = 0; b < 2; ++b) {
        f.gruposRelacionados.subgroups[b * 6 + 0] = range(1, 16);
        f.gruposRelacionados.subgroups[b * 6 + 1] = range(17, 32);
        f.gruposRelacionados.subgroups[b * 6 + 2] = range(33, 49);
        f.gruposRelacionados.conditions[b * 6 + 0] = hitsOf({1, 2, 3});
        f.gruposRelacionados.conditions[b * 6 + 1] = hitsOf({1, 2, 3, 4});
    }
    f.homologos.homologos = hitsOf({1, 2});
    f.paresImpares.pares = hitsOf({1, 2, 3, 4, 5});
    f.seguidos.seguidos = hitsOf({1, 2, 3});
    for (int i = 2; i < 11; ++i) f.seguidos.figures[i] = 1;
    f.sumas.intervals[0] = {70, 230};
    f.terminaciones.sumMin = 12;
    f.terminaciones.sumMax = 44;
    for (int i = 1; i < 10; ++i) f.terminaciones.figures[i] = 1;
    f.posiciones.allowed[0] = range(1, 30);
    f.exteriores.exteriores = hitsOf({1, 2, 3, 4, 5});
    f.superiores.superiores = hitsOf({1, 2, 3, 4, 5});
    f.colindantes.colindantes = hitsOf({0, 2, 3, 4});
    f.sumasPorTrios.first[0] = {10, 100};
    for (int n = 1; n <= 49; ++n) f.valoraciones.valuations[n - 1][0] = static_cast<int16_t>(n % 5 + 1);
    f.valoraciones.valuationMin[0][0] = 10;
    f.valoraciones.valuationMax[0][0] = 26;
    for (int s = 6; s <= 16; ++s) f.coeficiente.ranges[s] = 1;
    for (int g = 0; g < 10; ++g) {
        f.gruposEntreLimites.groups[g].members = range(1 + g * 5, std::min(49, 5 + g * 5));
        f.gruposEntreLimites.groups[g].hits = hitsOf({0, 1});
    }
    f.gruposEntreLimites.minimum = 7;
    f.gruposEntreLimites.maximum = 10;
    for (int p = 0; p < kFilterCount; ++p)
        if (p != static_cast<int>(FilterId::SORTEOSANTERIORES)) setRowActive(state.filterRows[p], true);
}

} // namespace

// The conditioning pass over all 13,983,816 bets with eighteen filters active.
static void BM_ConditioningEighteenFilters49(benchmark::State& st)
{
    AppState state = allNumbers();
    activateEighteenFilters(state);
    Progress quiet;
    int64_t eliminated = 0;
    for (auto _ : st) eliminated = RunConditioningPass(state, quiet, {}).eliminated;
    st.counters["eliminated"] = static_cast<double>(eliminated);
    st.counters["survivors"] = static_cast<double>(kAllBets - eliminated);
}
BENCHMARK(BM_ConditioningEighteenFilters49)->Unit(benchmark::kMillisecond)->Iterations(3);

// SORTEOS ANTERIORES alone, one group over the whole PRIMITIVA history, on the full system.
static void BM_PreviousDrawsWholeHistory49(benchmark::State& st)
{
    AppState state = allNumbers();
    DrawHistory history;
    SilentInteraction ui;
    LoadDrawHistory(history, KOMBITRON_SOURCE_DIR "/data/primitiva.txt", ui);
    if (history.draws.empty()) {
        st.SkipWithError("no draws history");
        return;
    }
    state.filters.sorteosAnteriores.draws = history.draws;
    PreviousDrawsGroup& g = state.filters.sorteosAnteriores.groups[0];
    g.sorteoDESDE = {1, 1985};
    g.sorteoHASTA = {999, 2100};
    g.acertarEN = hitsOf({static_cast<int>(st.range(0))});
    g.aciertosMinimoSORTEOS = 0;
    g.aciertosMaximoSORTEOS = static_cast<int32_t>(st.range(1));
    setRowActive(state.filterRows[static_cast<int>(FilterId::SORTEOSANTERIORES)], true);
    Progress quiet;
    int64_t eliminated = 0;
    for (auto _ : st) eliminated = RunConditioningPass(state, quiet, {}).eliminated;
    st.counters["draws"] = static_cast<double>(history.draws.size());
    st.counters["eliminated"] = static_cast<double>(eliminated);
}
// Hits {0} (every subset level is needed) at most 3000 times, and {3} at most 10 times.
BENCHMARK(BM_PreviousDrawsWholeHistory49)->Args({0, 3000})->Args({3, 10})->Unit(benchmark::kMillisecond)->Iterations(2);
