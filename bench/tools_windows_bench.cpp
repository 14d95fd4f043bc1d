// The system tools' windows as a player meets them, offscreen, on the long cases: the generator
// by numbers over all 49 numbers, the algebra of two 13,983,816-bet files and the viewer loading
// one. Each run goes through the window's buttons and its job runner; the time is wall-clock (the
// jobs run on Qt's thread pool), and a 5 ms timer tells how long the window's event loop went
// without turning meanwhile.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTimer>

#include <clocale>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/format.h"
#include "core/interaction.h"
#include "core/random.h"
#include "core/rank.h"
#include "formats/bet_files.h"
#include "full_systems.h"
#include "loop_watch.h"
#include "ui/frmAlgebra.h"
#include "ui/frmGeneradorNumeros.h"
#include "ui/frmVisualizarArchivo.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"

using namespace kombitron;
using kombitron::bench::systems;
using kombitron::bench::TwoFullSystems;
using kombitron::bench::cpuSeconds;
using kombitron::bench::LoopWatch;
using namespace kombitron::ui;

namespace {

// Says nothing, opens and saves the paths it is given.
class Answers : public SilentInteraction {
public:
    std::string openPath;
    std::string savePath;
    std::string openFileDialog(const FileDialogRequest&) override { return openPath; }
    std::string saveFileDialog(const FileDialogRequest&) override { return savePath; }
};

// Turn the event loop until the window's work has ended.
void waitIdle(ToolWindow& window)
{
    while (window.isBusy()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

void generateByNumbers(benchmark::State& st, int64_t count)
{
    Answers answers;
    answers.savePath = systems().folder + "/aleatorias.KMB";
    frmGeneradorNumeros w(answers);
    w.show();
    for (int n = 1; n <= 49; ++n) w.toggleNumber(n);
    w.txtApuestas->setText(QString::number(count));
    LoopWatch watch;
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        watch.start();
        w.generar();
        waitIdle(w);
        watch.stop();
        if (!w.lastOutcome().saved) st.SkipWithError("not saved");
    }
    watch.report(st, cpu0);
    std::filesystem::remove(answers.savePath);
}

// "Abrir una combinación" twice, the operation's caption, "Calcular" and "Guardar apuestas".
void algebraOfFullSystems(benchmark::State& st, AlgebraOperation operation)
{
    TwoFullSystems& s = systems();
    Answers answers;
    answers.savePath = s.folder + "/resultado.KMB";
    frmAlgebra w(answers);
    w.show();
    LoopWatch watch;
    const double cpu0 = cpuSeconds();
    double loadMs = 0, calculateMs = 0, saveMs = 0;
    QElapsedTimer phase;
    for (auto _ : st) {
        watch.start();
        phase.start();
        answers.openPath = s.all;
        w.abrir(0);
        waitIdle(w);
        answers.openPath = s.drawn;
        w.abrir(1);
        waitIdle(w);
        loadMs += static_cast<double>(phase.restart());
        w.optTipo[static_cast<size_t>(operation)]->click();
        w.calcular();
        waitIdle(w);
        calculateMs += static_cast<double>(phase.restart());
        w.guardar();
        waitIdle(w);
        saveMs += static_cast<double>(phase.elapsed());
        watch.stop();
        if (!w.lastSave().saved) st.SkipWithError("not saved");
    }
    watch.report(st, cpu0);
    const double n = static_cast<double>(st.iterations());
    st.counters["load_both_ms"] = loadMs / n;
    st.counters["calculate_ms"] = calculateMs / n;
    st.counters["save_ms"] = saveMs / n;
    st.counters["result"] = static_cast<double>(w.result() ? w.result()->size() : 0);
    std::filesystem::remove(answers.savePath);
}

} // namespace

// Generator by numbers, all 49 numbers, N = 1,000 (target: under 1 s).
static void BM_WindowRandomByNumbers49_N1000(benchmark::State& st) { generateByNumbers(st, 1000); }
BENCHMARK(BM_WindowRandomByNumbers49_N1000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Generator by numbers, all 49 numbers, N = 13,983,816 including the save (target: under 3 s).
static void BM_WindowRandomByNumbers49_All(benchmark::State& st) { generateByNumbers(st, kAllBets); }
BENCHMARK(BM_WindowRandomByNumbers49_All)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// Union, intersection and difference of two 13,983,816-bet files from the window, reading and
// saving included (target: under 3 s each).
static void BM_WindowAlgebraUnion(benchmark::State& st) { algebraOfFullSystems(st, AlgebraOperation::Union); }
BENCHMARK(BM_WindowAlgebraUnion)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
static void BM_WindowAlgebraIntersection(benchmark::State& st) { algebraOfFullSystems(st, AlgebraOperation::Intersection); }
BENCHMARK(BM_WindowAlgebraIntersection)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
static void BM_WindowAlgebraDifference(benchmark::State& st) { algebraOfFullSystems(st, AlgebraOperation::Difference); }
BENCHMARK(BM_WindowAlgebraDifference)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// Loading a 13,983,816-bet file into the viewer and showing its first ticket (target: under 1 s).
static void BM_WindowViewerLoadAll(benchmark::State& st)
{
    TwoFullSystems& s = systems();
    Answers answers;
    frmVisualizarArchivo w(GameType::Primitiva, answers);
    w.show();
    LoopWatch watch;
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        watch.start();
        w.loadFile(s.all);
        waitIdle(w);
        watch.stop();
        if (w.viewer().ticketCount() != (kAllBets + 7) / 8) st.SkipWithError("load failed");
    }
    watch.report(st, cpu0);
}
BENCHMARK(BM_WindowViewerLoadAll)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    setNumberFormat({".", ","});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
