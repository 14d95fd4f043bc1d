#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/random.h"
#include "core/rank.h"
#include "flows/random_generators_flow.h"
#include "formats/bet_files.h"
#include "full_systems.h"
#include "tools/algebra.h"
#include "tools/random_by_numbers.h"
#include "tools/viewer.h"

using namespace kombitron;
using kombitron::bench::systems;
using kombitron::bench::TwoFullSystems;

namespace {

const std::vector<uint8_t>& allNumbers()
{
    static const std::vector<uint8_t> numbers = [] {
        std::vector<uint8_t> n;
        for (int v = 1; v <= 49; ++v) n.push_back(static_cast<uint8_t>(v));
        return n;
    }();
    return numbers;
}

// The generator by numbers as the window runs it: shuffle, save dialog, map and write.
void generateByNumbers(benchmark::State& st, int64_t count)
{
    const std::string folder = systems().folder;
    struct Answer : SilentInteraction {
        std::string path;
        std::string saveFileDialog(const FileDialogRequest&) override { return path; }
    } answer;
    answer.path = folder + "/aleatorias.KMB";
    for (auto _ : st) {
        const ToolSaveOutcome outcome = generateRandomBetsByNumbers(allNumbers(), std::to_string(count), 77, answer);
        if (!outcome.saved) st.SkipWithError("not saved");
    }
    std::filesystem::remove(answer.path);
    st.counters["bets"] = static_cast<double>(count);
}

// An operation of the algebra as the window runs it: load both files, calculate, save.
void algebraOfFullSystems(benchmark::State& st, AlgebraOperation operation)
{
    TwoFullSystems& s = systems();
    Progress progress;
    StopFlag stop;
    const std::string out = s.folder + "/resultado.KMB";
    int64_t resultBets = 0;
    for (auto _ : st) {
        const AlgebraSystemLoad one = runLoadAlgebraSystem({s.all}, progress, stop);
        const AlgebraSystemLoad two = runLoadAlgebraSystem({s.drawn}, progress, stop);
        const AlgebraResult result = runAlgebra({operation, false, one.system.bets, two.system.bets}, progress, stop);
        const BetFileSave saved = runSaveBetFile({out, kAlgebraHeader, result.bets}, progress, stop);
        if (!one.done() || !two.done() || !result.done() || !saved.done()) st.SkipWithError("failed");
        resultBets = result.bets ? result.bets->size() : 0;
    }
    std::filesystem::remove(out);
    st.counters["result"] = static_cast<double>(resultBets);
}

} // namespace

// Generator by numbers, all 49 numbers, N = 1,000 (target: under 1 s).
static void BM_RandomByNumbers49_N1000(benchmark::State& st) { generateByNumbers(st, 1000); }
BENCHMARK(BM_RandomByNumbers49_N1000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();

// Generator by numbers, all 49 numbers, N = 13,983,816 including the save (target: under 3 s).
static void BM_RandomByNumbers49_All(benchmark::State& st) { generateByNumbers(st, kAllBets); }
BENCHMARK(BM_RandomByNumbers49_All)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->MeasureProcessCPUTime();

// Union, intersection and difference of two 13,983,816-bet files, reading and saving included
// (target: under 3 s each).
static void BM_AlgebraUnion(benchmark::State& st) { algebraOfFullSystems(st, AlgebraOperation::Union); }
BENCHMARK(BM_AlgebraUnion)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->MeasureProcessCPUTime();
static void BM_AlgebraIntersection(benchmark::State& st) { algebraOfFullSystems(st, AlgebraOperation::Intersection); }
BENCHMARK(BM_AlgebraIntersection)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->MeasureProcessCPUTime();
static void BM_AlgebraDifference(benchmark::State& st) { algebraOfFullSystems(st, AlgebraOperation::Difference); }
BENCHMARK(BM_AlgebraDifference)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->MeasureProcessCPUTime();

// Sorting a 13,983,816-bet system with the same reading and saving.
static void BM_AlgebraSortAll(benchmark::State& st)
{
    TwoFullSystems& s = systems();
    Progress progress;
    StopFlag stop;
    const std::string out = s.folder + "/ordenado.KMB";
    for (auto _ : st) {
        const AlgebraSystemLoad one = runLoadAlgebraSystem({s.all}, progress, stop);
        const AlgebraResult result = runAlgebra({AlgebraOperation::Sort, true, one.system.bets, nullptr}, progress, stop);
        if (!runSaveBetFile({out, kAlgebraHeader, result.bets}, progress, stop).done()) st.SkipWithError("failed");
    }
    std::filesystem::remove(out);
}
BENCHMARK(BM_AlgebraSortAll)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->MeasureProcessCPUTime();

// Loading a 13,983,816-bet file into the viewer (target: under 1 s).
static void BM_ViewerLoadAll(benchmark::State& st)
{
    TwoFullSystems& s = systems();
    Progress progress;
    StopFlag stop;
    for (auto _ : st) {
        TicketViewer viewer;
        const ViewerLoad load = runLoadViewerFile({s.all, false}, progress, stop);
        viewer.setBets(load.bets);
        if (viewer.ticketCount() != (kAllBets + 7) / 8) st.SkipWithError("load failed");
    }
}
BENCHMARK(BM_ViewerLoadAll)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();
