// The statistics window as a player meets it, offscreen: a history loaded and its first statistic
// drawn, one query with its chart, and the update from our local service with the window's event
// loop timed throughout. Wall-clock times: the load and the update run on Qt's thread pool.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>

#include <chrono>
#include <clocale>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

#include "core/format.h"
#include "core/interaction.h"
#include "history/service_client.h"
#include "local_service.h"
#include "loop_watch.h"
#include "ui/frmEstadisticas.h"
#include "ui/statistics_chart.h"

using namespace kombitron;
using kombitron::bench::cpuSeconds;
using kombitron::bench::LoopWatch;
using kombitron::bench::LocalService;
using namespace kombitron::ui;

namespace {

const std::string kBonoloto = std::string(KOMBITRON_SOURCE_DIR) + "/data/bonoloto.txt";

// Says nothing and answers Yes, so the update runs to its end.
class Yes : public SilentInteraction {
    bool question(const std::string&) override { return true; }
};

void waitIdle(frmEstadisticas& w)
{
    while (w.isBusy()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// Paint the chart on view as the screen would.
void paintChart(frmEstadisticas& w)
{
    StatisticsChart* chart = w.tabGrafico->currentIndex() == 1 ? w.picRetrasos : w.picGrafico;
    benchmark::DoNotOptimize(chart->grab().cacheKey());
}


} // namespace

// Open data/bonoloto.txt and choose "Números": table, 49 bars and the expected line painted.
static void BM_LoadBonolotoAndFirstStatistic(benchmark::State& st)
{
    Yes ui;
    frmEstadisticas w("BONOLOTO", ui);
    w.resize(1300, 700);
    w.show();
    QCoreApplication::processEvents();
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        w.loadFile(kBonoloto);
        waitIdle(w);
        w.optFiltro[0]->click();
        paintChart(w);
    }
    st.counters["draws"] = static_cast<double>(w.history().count());
    st.counters["process_cpu_ms"] = benchmark::Counter((cpuSeconds() - cpu0) * 1000.0 / static_cast<double>(st.iterations()));
}
BENCHMARK(BM_LoadBonolotoAndFirstStatistic)->Unit(benchmark::kMillisecond)->UseRealTime();

// One query with its chart redrawn, for each statistic (10 is the skips chart of "Números").
static void BM_QueryWithChart(benchmark::State& st)
{
    Yes ui;
    frmEstadisticas w("BONOLOTO", ui);
    w.resize(1300, 700);
    w.show();
    w.loadFile(kBonoloto);
    waitIdle(w);
    const int statistic = static_cast<int>(st.range(0));
    w.tabGrafico->setCurrentIndex(statistic == 10 ? 1 : 0);
    QRadioButton* option = w.optFiltro[statistic == 10 ? 0 : statistic];
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        option->click();
        paintChart(w);
    }
    st.counters["process_cpu_ms"] = benchmark::Counter((cpuSeconds() - cpu0) * 1000.0 / static_cast<double>(st.iterations()));
}
BENCHMARK(BM_QueryWithChart)->DenseRange(0, 10)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Actualizar fichero desde Internet" against kombitron-resultsd: the whole update, and the
// longest the window's event loop went without turning meanwhile (a 5 ms timer marks its turns).
static void BM_UpdateFromLocalService(benchmark::State& st)
{
    LocalService service;
    const std::string file = (std::filesystem::temp_directory_path() / "kombitron-bench-window-history.txt").string();
    Yes ui;
    frmEstadisticas w("BONOLOTO", ui);
    HistoryUpdateOptions options;
    options.service = service.options();
    options.defaultFile = file;
    w.setUpdateOptions(options);
    w.resize(1300, 700);
    w.show();

    LoopWatch watch;
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        watch.start();
        w.actualizar();
        waitIdle(w);
        watch.stop();
    }
    st.counters["draws"] = static_cast<double>(w.history().count());
    watch.report(st, cpu0);
    std::filesystem::remove(file);
}
BENCHMARK(BM_UpdateFromLocalService)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

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
