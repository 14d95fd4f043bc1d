#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "core/interaction.h"
#include "history/draw_history.h"
#include "history/service_client.h"
#include "history/statistics.h"

using namespace kombitron;

extern char** environ;

namespace {

const std::string kBonoloto = std::string(KOMBITRON_SOURCE_DIR) + "/data/bonoloto.txt";

int freeLoopbackPort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 18049;
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
        ServiceOptions probe = options();
        for (int i = 0; i < 100; ++i) {
            if (httpGet(probe, "/").httpCode == 404) return;
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

} // namespace

// The whole BONOLOTO history file (9,361 draws).
static void BM_LoadBonolotoHistory(benchmark::State& st)
{
    SilentInteraction ui;
    DrawHistory history;
    for (auto _ : st) {
        LoadDrawHistory(history, kBonoloto, ui);
        benchmark::DoNotOptimize(history.draws.data());
    }
    st.counters["draws"] = static_cast<double>(history.count());
}
BENCHMARK(BM_LoadBonolotoHistory)->Unit(benchmark::kMillisecond);

// The ten statistics one after the other over the whole BONOLOTO history.
static void BM_AllTenStatisticsBonoloto(benchmark::State& st)
{
    SilentInteraction ui;
    DrawHistory history;
    LoadDrawHistory(history, kBonoloto, ui);
    StatisticsQuery query = defaultStatisticsQuery(2026);
    for (auto _ : st) {
        for (int s = 0; s < kStatisticCount; ++s) {
            query.statistic = s;
            benchmark::DoNotOptimize(runStatisticsQuery(history, query, ui).matchingDraws);
        }
    }
}
BENCHMARK(BM_AllTenStatisticsBonoloto)->Unit(benchmark::kMillisecond);

// A full update of the BONOLOTO history from our local service: fetch, parse, write, reload.
static void BM_UpdateBonolotoFromLocalService(benchmark::State& st)
{
    LocalService service;
    const std::string file = (std::filesystem::temp_directory_path() / "kombitron-bench-history.txt").string();
    class Yes : public SilentInteraction {
        bool question(const std::string&) override { return true; }
    } ui;
    HistoryUpdateOptions options;
    options.service = service.options();
    options.defaultFile = file;
    int64_t written = 0;
    for (auto _ : st) {
        DrawHistory history;
        written = UpdateDrawHistory(history, "BONOLOTO", ui, options).written;
    }
    st.counters["draws"] = static_cast<double>(written);
    std::filesystem::remove(file);
}
BENCHMARK(BM_UpdateBonolotoFromLocalService)->Unit(benchmark::kMillisecond);
