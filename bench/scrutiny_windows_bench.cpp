// The scrutiny windows offscreen on the whole 49-number system (13,983,816 bets), as a player
// meets them: ESCRUTAR opened over it and "Escrutar combinación" pressed, the multi-file run of
// its KMB file against 1,000 combinations, and the statistical run of that file over the whole
// PRIMITIVA history fetched from our local service. Wall-clock times, the process's CPU time and
// the longest the window's event loop went without turning (a 5 ms timer marks its turns).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

#include "core/interaction.h"
#include "core/random.h"
#include "core/rank.h"
#include "core/state.h"
#include "formats/bet_files.h"
#include "loop_watch.h"
#include "history/service_client.h"
#include "local_service.h"
#include "ui/frmEscrutar.h"
#include "ui/frmMultiEscrutinioEstadistico.h"
#include "ui/frmMultiEscrutinioMultiFichero.h"
#include "ui/widgets/image_button.h"

using namespace kombitron;
using kombitron::bench::cpuSeconds;
using kombitron::bench::LoopWatch;
using kombitron::bench::LocalService;
using namespace kombitron::ui;

namespace {

// Says nothing; the file dialogs answer with the files of the benchmark.
class Scripted : public SilentInteraction {
public:
    std::vector<std::string> selection;
    std::vector<std::string> openFilesDialog(const FileDialogRequest&) override { return selection; }
};


template <class Window>
void waitIdle(Window& w)
{
    while (w.isBusy()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// Every possible bet with a reintegro, as the reduced system of a 49-number calculation, and
// its KMB file; built once.
struct WholeSystem {
    AppState state;
    std::string folder, kmb, winning;

    WholeSystem()
    {
        state.finalSystem.resize(kAllBets);
#pragma omp parallel for schedule(static)
        for (int64_t i = 1; i <= kAllBets; ++i) {
            CombinationFromRank(static_cast<int32_t>(i), state.finalSystem.bet(i));
            state.finalSystem.bet(i)[6] = static_cast<uint8_t>(i % 10);
        }
        state.reducedCount = kAllBets;
        for (int n = 1; n <= 49; ++n) state.base.markedNumbers[static_cast<size_t>(n)] = 1;
        state.winning.numbers = {4, 8, 15, 16, 23, 42};
        state.winning.complementary = 7;

        char pattern[] = "/tmp/kombitron-windows-bench-XXXXXX";
        folder = mkdtemp(pattern);
        kmb = folder + "/todas.KMB";
        Progress progress;
        StopFlag stop;
        WriteBetFile(kmb, "0", state.finalSystem, kAllBets, progress, stop);
        winning = folder + "/sorteos.txt";
        std::ofstream out(winning);
        Rng rng(1000);
        for (int k = 0; k < 1000; ++k) {
            uint8_t six[6];
            CombinationFromRank(static_cast<int32_t>(1 + rng.below(kAllBets)), six);
            for (int j = 0; j < 6; ++j) out << (j ? " " : "") << (six[j] < 10 ? "0" : "") << int(six[j]);
            out << "\r\n";
        }
        out.close();
        sync();
    }
    ~WholeSystem() { std::filesystem::remove_all(folder); }
};

WholeSystem& wholeSystem()
{
    static WholeSystem system;
    return system;
}

} // namespace

// ESCRUTAR opened over the whole system: the bets copied from the reduced system and scrutinised
// at once, until the prize list shows.
static void BM_EscrutarOpensOnWholeSystem(benchmark::State& st)
{
    WholeSystem& system = wholeSystem();
    SilentInteraction ui;
    LoopWatch watch;
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        frmEscrutar w(system.state, ui);
        w.ApuestasATRATAR = kAllBets;
        watch.start();
        w.show();
        waitIdle(w);
        watch.stop();
        if (w.lastResult().bets != kAllBets) st.SkipWithError("scrutiny incomplete");
    }
    watch.report(st, cpu0);
}
BENCHMARK(BM_EscrutarOpensOnWholeSystem)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// "Escrutar combinación" on the whole system, until the prize list shows: under 0.3 s.
static void BM_EscrutarWholeSystem(benchmark::State& st)
{
    WholeSystem& system = wholeSystem();
    SilentInteraction ui;
    frmEscrutar w(system.state, ui);
    w.ApuestasATRATAR = kAllBets;
    w.show();
    waitIdle(w);
    LoopWatch watch;
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        watch.start();
        w.imgEscrutar->click();
        waitIdle(w);
        watch.stop();
    }
    st.counters["six"] = static_cast<double>(w.lastResult().tally.hits[6]);
    watch.report(st, cpu0);
}
BENCHMARK(BM_EscrutarWholeSystem)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The whole system's KMB file against 1,000 combinations in the multi-file window, reading included.
static void BM_MultiFileWindowWholeSystemAgainst1000(benchmark::State& st)
{
    WholeSystem& system = wholeSystem();
    Scripted ui;
    frmMultiEscrutinioMultiFichero w(ui);
    w.show();
    ui.selection = {system.kmb};
    w.anadirFicheros();
    w.loadWinning(system.winning);
    waitIdle(w);
    LoopWatch watch;
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        watch.start();
        w.escrutar();
        waitIdle(w);
        watch.stop();
    }
    if (w.summary().find("13.983.816") == std::string::npos) st.SkipWithError("file not scrutinised");
    watch.report(st, cpu0);
}
BENCHMARK(BM_MultiFileWindowWholeSystemAgainst1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// The statistical window: "Cargar desde Internet" from our local service (4,176 PRIMITIVA draws),
// the whole system's KMB file read, and "Escrutar" over every draw.
static void BM_StatisticalWindowWholeSystemWholeHistory(benchmark::State& st)
{
    WholeSystem& system = wholeSystem();
    LocalService service;
    SilentInteraction ui;
    frmMultiEscrutinioEstadistico w("PRIMITIVA", ui);
    const ServiceOptions options = service.options();
    w.setDrawsSource([options](const std::string& game) { return loadStatisticalDraws(game, options); });
    w.show();
    LoopWatch watch;
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        watch.start();
        w.cargar();
        waitIdle(w);
        w.loadFile(system.kmb);
        waitIdle(w);
        w.escrutar();
        waitIdle(w);
        watch.stop();
        if (w.drawCount() < 4000 || w.betCount() != kAllBets) st.SkipWithError("draws or bets missing");
    }
    st.counters["draws"] = static_cast<double>(w.drawCount());
    watch.report(st, cpu0);
}
BENCHMARK(BM_StatisticalWindowWholeSystemWholeHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
