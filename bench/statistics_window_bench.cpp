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
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "core/format.h"
#include "core/interaction.h"
#include "history/service_client.h"
#include "ui/frmEstadisticas.h"
#include "ui/statistics_chart.h"

using namespace kombitron;
using namespace kombitron::ui;

extern char** environ;

namespace {

const std::string kBonoloto = std::string(KOMBITRON_SOURCE_DIR) + "/data/bonoloto.txt";

// Says nothing and answers Yes, so the update runs to its end.
class Yes : public SilentInteraction {
    bool question(const std::string&) override { return true; }
};

int freeLoopbackPort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 18149;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

// kombitron-resultsd on a free loopback port for the length of one benchmark.
class LocalService {
public:
    LocalService() : port_(freeLoopbackPort())
    {
        std::string binary = KOMBITRON_RESULTSD, portText = std::to_string(port_),
                    data = std::string(KOMBITRON_SOURCE_DIR) + "/data";
        char* argv[] = {binary.data(), const_cast<char*>("--port"), portText.data(), const_cast<char*>("--data"),
                        data.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv, environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 100; ++i) {
            if (httpGet(options(), "/").httpCode == 404) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~LocalService()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    ServiceOptions options() const
    {
        ServiceOptions o;
        o.baseUrl = "http://127.0.0.1:" + std::to_string(port_);
        return o;
    }

private:
    int port_;
    pid_t pid_ = -1;
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

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
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

    QElapsedTimer clock;
    qint64 last = 0, longestGap = 0, turns = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestGap = std::max(longestGap, now - last);
        last = now;
        ++turns;
    });
    const double cpu0 = cpuSeconds();
    for (auto _ : st) {
        clock.start();
        last = 0;
        ticker.start();
        w.actualizar();
        waitIdle(w);
        ticker.stop();
    }
    st.counters["draws"] = static_cast<double>(w.history().count());
    st.counters["longest_ui_gap_ms"] = static_cast<double>(longestGap);
    st.counters["ui_turns"] = benchmark::Counter(static_cast<double>(turns) / static_cast<double>(st.iterations()));
    st.counters["process_cpu_ms"] = benchmark::Counter((cpuSeconds() - cpu0) * 1000.0 / static_cast<double>(st.iterations()));
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
