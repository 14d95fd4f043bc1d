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
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "core/interaction.h"
#include "core/random.h"
#include "core/rank.h"
#include "core/state.h"
#include "formats/bet_files.h"
#include "history/service_client.h"
#include "ui/frmEscrutar.h"
#include "ui/frmMultiEscrutinioEstadistico.h"
#include "ui/frmMultiEscrutinioMultiFichero.h"
#include "ui/widgets/image_button.h"

using namespace kombitron;
using namespace kombitron::ui;

extern char** environ;

namespace {

// Says nothing; the file dialogs answer with the files of the benchmark.
class Scripted : public SilentInteraction {
public:
    std::vector<std::string> selection;
    std::vector<std::string> openFilesDialog(const FileDialogRequest&) override { return selection; }
};

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The longest gap between two turns of the event loop while it runs.
class LoopWatch {
public:
    LoopWatch()
    {
        ticker_.setInterval(5);
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
    }
    void start()
    {
        clock_.start();
        last_ = 0;
        ticker_.start();
    }
    void stop() { ticker_.stop(); }
    qint64 longestMs() const { return longest_; }

private:
    QTimer ticker_;
    QElapsedTimer clock_;
    qint64 last_ = 0, longest_ = 0;
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

int freeLoopbackPort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 18249;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

// kombitron-resultsd on data/ and a free loopback port for the length of one benchmark.
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

void report(benchmark::State& st, const LoopWatch& watch, double cpu0)
{
    st.counters["longest_ui_gap_ms"] = static_cast<double>(watch.longestMs());
    st.counters["process_cpu_ms"] =
        benchmark::Counter((cpuSeconds() - cpu0) * 1000.0 / static_cast<double>(st.iterations()));
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
    report(st, watch, cpu0);
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
    report(st, watch, cpu0);
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
    report(st, watch, cpu0);
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
    report(st, watch, cpu0);
}
BENCHMARK(BM_StatisticalWindowWholeSystemWholeHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
