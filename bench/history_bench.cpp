#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

#include "core/interaction.h"
#include "history/draw_history.h"
#include "history/service_client.h"
#include "local_service.h"
#include "history/statistics.h"

using namespace kombitron;
using kombitron::bench::LocalService;

namespace {

const std::string kBonoloto = std::string(KOMBITRON_SOURCE_DIR) + "/data/bonoloto.txt";

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
