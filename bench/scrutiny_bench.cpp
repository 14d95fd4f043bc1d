#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

#include "core/random.h"
#include "core/rank.h"
#include "formats/bet_files.h"
#include "scrutiny/multi_file.h"
#include "scrutiny/scrutiny.h"
#include "scrutiny/statistical.h"
#include "local_service.h"

using namespace kombitron;
using kombitron::bench::LocalService;

namespace {

// Every possible bet in a shuffled order with reintegros, and its KMB file, built once.
struct WholeSystem {
    std::shared_ptr<BetList> bets = std::make_shared<BetList>(kAllBets);
    std::string folder;
    std::string kmb;

    WholeSystem()
    {
        std::vector<int32_t> order(static_cast<size_t>(kAllBets));
        for (int32_t r = 0; r < kAllBets; ++r) order[static_cast<size_t>(r)] = r + 1;
        Rng rng(2025);
        for (int64_t i = kAllBets - 1; i > 0; --i)
            std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(rng.below(i + 1))]);
#pragma omp parallel for schedule(static)
        for (int64_t i = 1; i <= kAllBets; ++i) {
            CombinationFromRank(order[static_cast<size_t>(i - 1)], bets->bet(i));
            bets->bet(i)[6] = static_cast<uint8_t>(i % 10);
        }
        char pattern[] = "/tmp/kombitron-scrutiny-bench-XXXXXX";
        folder = mkdtemp(pattern);
        kmb = folder + "/todas.KMB";
        Progress progress;
        StopFlag stop;
        WriteBetFile(kmb, "0", *bets, kAllBets, progress, stop);
        sync();
    }
    ~WholeSystem() { std::filesystem::remove_all(folder); }
};

WholeSystem& wholeSystem()
{
    static WholeSystem system;
    return system;
}

SharedBets randomCombinations(int64_t count, uint64_t seed)
{
    auto list = std::make_shared<BetList>(count);
    Rng rng(seed);
    for (int64_t k = 1; k <= count; ++k) CombinationFromRank(static_cast<int32_t>(1 + rng.below(kAllBets)), list->bet(k));
    return list;
}

// A draws answer with both branches for the whole PRIMITIVA history of data/primitiva.csv, with
// made-up prize amounts so that every draw is valued.
std::string wholeHistoryAnswer()
{
    std::ifstream csv(std::string(KOMBITRON_SOURCE_DIR) + "/data/primitiva.csv");
    std::string line, combinations, prizes;
    std::getline(csv, line); // header
    while (std::getline(csv, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string item; std::getline(fields, item, ',');) f.push_back(item);
        if (f.size() != 12) continue;
        const std::string key = " anio=\"" + f[1] + "\" sorteo=\"" + f[2] + "\" dia=\"" + f[3] + "\"";
        combinations += "<COMBINACION numeros=\"" + f[4] + "," + f[5] + "," + f[6] + "," + f[7] + "," + f[8] + "," +
                        f[9] + "," + f[10] + "," + f[11] + "\"" + key + "/>";
        prizes += "<SORTEO" + key + " fecha=\"" + f[0] +
                  "\" recaudacion=\"\" bote=\"\"><ESCRUTINIO><CAT6R premio=\"\" acertantes=\"\"/>"
                  "<CAT6 premio=\"2500000\" acertantes=\"1\"/><CAT5C premio=\"90000\" acertantes=\"2\"/>"
                  "<CAT5 premio=\"2500.50\" acertantes=\"60\"/><CAT4 premio=\"60\" acertantes=\"3000\"/>"
                  "<CAT3 premio=\"8\" acertantes=\"60000\"/></ESCRUTINIO></SORTEO>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><RESULTADOS><PRIMITIVA><COMBINACIONES>" + combinations +
           "</COMBINACIONES><SORTEOS>" + prizes + "</SORTEOS></PRIMITIVA></RESULTADOS>";
}

// A data folder for the local service holding that answer as its PRIMITIVA file.
struct WholeHistoryFolder {
    std::string path;
    WholeHistoryFolder()
    {
        char pattern[] = "/tmp/kombitron-scrutiny-service-XXXXXX";
        path = mkdtemp(pattern);
        std::ofstream(path + "/primitiva.xml") << wholeHistoryAnswer();
    }
    ~WholeHistoryFolder() { std::filesystem::remove_all(path); }
};

} // namespace

// "Escrutar" on the whole 49-number system (13,983,816 bets) in memory: under 0.3 s.
static void BM_ScrutinyWholeSystem(benchmark::State& st)
{
    ScrutinyInputs inputs;
    inputs.bets = wholeSystem().bets;
    inputs.count = kAllBets;
    inputs.winning.numbers = {4, 9, 16, 25, 36, 49};
    inputs.winning.complementary = 1;
    Progress progress;
    for (auto _ : st) {
        const ScrutinyResult r = RunScrutiny(inputs, progress, {});
        benchmark::DoNotOptimize(r.tally.hits[0]);
    }
}
BENCHMARK(BM_ScrutinyWholeSystem)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(5);

// The subset-count table of the whole system alone, and the bet-by-bet count of one combination.
static void BM_SubsetTableWholeSystem(benchmark::State& st)
{
    const BetList& bets = *wholeSystem().bets;
    SubsetCountTable table;
    for (auto _ : st) benchmark::DoNotOptimize(table.build(bets, bets.size(), {}));
}
BENCHMARK(BM_SubsetTableWholeSystem)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(3);

static void BM_BetByBetOneCombination(benchmark::State& st)
{
    const std::vector<uint64_t> masks = betMasks(*wholeSystem().bets, kAllBets);
    const uint8_t winning[6] = {4, 9, 16, 25, 36, 49};
    for (auto _ : st) benchmark::DoNotOptimize(tallyBets(masks, numberMask(winning), 1));
}
BENCHMARK(BM_BetByBetOneCombination)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(5);

// Multi-file run: the KMB file of 13,983,816 bets against 1,000 winning combinations, reading
// included: under 5 s.
static void BM_MultiFileWholeSystemAgainst1000(benchmark::State& st)
{
    MultiFileInputs inputs;
    inputs.files = {wholeSystem().kmb};
    inputs.winning = randomCombinations(1000, 7);
    MultiFileProgress progress;
    for (auto _ : st) {
        const MultiFileResult r = runMultiFileScrutiny(inputs, progress, {});
        if (!r.done() || r.files[0].totals[1] == 0) st.SkipWithError("run failed");
    }
}
BENCHMARK(BM_MultiFileWholeSystemAgainst1000)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(2);

// Multi-file run: 1000 KMB files of 1,000 bets each against 100 combinations: under 10 s.
static void BM_MultiFileThousandFiles(benchmark::State& st)
{
    static const std::vector<std::string> files = [] {
        std::vector<std::string> paths;
        const std::string folder = wholeSystem().folder + "/mil";
        std::filesystem::create_directories(folder);
        const BetList& all = *wholeSystem().bets;
        Progress progress;
        StopFlag stop;
        for (int f = 0; f < 1000; ++f) {
            BetList part(1000);
            std::copy_n(all.bet(1 + int64_t{f} * 1000), 1000 * kBetBytes, part.data());
            paths.push_back(folder + "/fichero" + std::to_string(f + 1) + ".KMB");
            WriteBetFile(paths.back(), "0", part, part.size(), progress, stop);
        }
        sync();
        return paths;
    }();
    MultiFileInputs inputs;
    inputs.files = files;
    inputs.winning = randomCombinations(100, 8);
    MultiFileProgress progress;
    for (auto _ : st) {
        const MultiFileResult r = runMultiFileScrutiny(inputs, progress, {});
        if (!r.done() || r.files.back().outcome != FileOutcome::Scrutinised) st.SkipWithError("run failed");
    }
}
BENCHMARK(BM_MultiFileThousandFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(2);

// The backtest: draws and prizes fetched from our local service (4,176 PRIMITIVA draws), the KMB
// file of 13,983,816 bets read, and the whole history scrutinised with its report: under 5 s.
static void BM_BacktestWholeSystemWholeHistory(benchmark::State& st)
{
    const WholeHistoryFolder data;
    LocalService service(data.path);
    const std::string kmb = wholeSystem().kmb;
    for (auto _ : st) {
        const StatisticalDrawsLoad load = loadStatisticalDraws("PRIMITIVA", service.options());
        if (!load.loaded()) {
            st.SkipWithError(load.message.c_str());
            break;
        }
        Progress progress;
        StopFlag stop;
        BetFileRead read = ReadBetFileKmb(kmb, progress, stop);
        StatisticalInputs inputs;
        inputs.bets = std::make_shared<BetList>(std::move(read.bets));
        inputs.draws = load.data;
        inputs.query = {1985, 2026, 1, 999, 0};
        const StatisticalResult r = runStatisticalScrutiny(inputs, progress, {});
        if (!r.done() || r.drawsScrutinised != load.data->count()) st.SkipWithError("run failed");
        st.counters["draws"] = static_cast<double>(r.drawsScrutinised);
        st.counters["threeHits"] = static_cast<double>(r.totals.hits[3]);
    }
}
BENCHMARK(BM_BacktestWholeSystemWholeHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(2);
