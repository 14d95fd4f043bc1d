#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/random.h"
#include "core/rank.h"
#include "core/state.h"
#include "flows/import.h"
#include "formats/bet_files.h"
#include "formats/repeated_bets.h"

using namespace kombitron;

namespace {

// Every possible bet in a shuffled order with reintegros, and the files made from it, built once.
struct AllBets {
    BetList bets;
    std::string folder;
    std::string kmb;
    std::string text;

    AllBets()
    {
        bets.resize(kAllBets);
        std::vector<int32_t> order(static_cast<size_t>(kAllBets));
        for (int32_t r = 0; r < kAllBets; ++r) order[static_cast<size_t>(r)] = r + 1;
        Rng rng(2024);
        for (int64_t i = kAllBets - 1; i > 0; --i) std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(rng.below(i + 1))]);
#pragma omp parallel for schedule(static)
        for (int64_t i = 1; i <= kAllBets; ++i) {
            CombinationFromRank(order[static_cast<size_t>(i - 1)], bets.bet(i));
            bets.bet(i)[6] = static_cast<uint8_t>(i % 10);
        }
        char pattern[] = "/tmp/kombitron-bench-XXXXXX";
        folder = mkdtemp(pattern);
        kmb = folder + "/todas.KMB";
        text = folder + "/todas.txt";
        Progress progress;
        StopFlag stop;
        WriteBetFile(kmb, "0", bets, kAllBets, progress, stop);
        FILE* out = std::fopen(text.c_str(), "wb");
        std::string chunk;
        for (int64_t i = 1; i <= kAllBets; ++i) {
            const std::string record = betRecordText(bets.bet(i));  // "01,02,03,04,05,06+07"
            for (int j = 0; j < 7; ++j) {
                chunk.append(record, static_cast<size_t>(j) * 3 + (j == 6 ? 1 : 0), j == 6 ? 1 : 2);
                chunk += j < 6 ? ' ' : '\r';
            }
            chunk += '\n';
            if (chunk.size() > (1u << 20)) {
                std::fwrite(chunk.data(), 1, chunk.size(), out);
                chunk.clear();
            }
        }
        std::fwrite(chunk.data(), 1, chunk.size(), out);
        std::fclose(out);
        // The disk must not still be busy with these files while the timed writes run.
        ::sync();
    }
    ~AllBets()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

AllBets& allBets()
{
    static AllBets all;
    return all;
}

} // namespace

// Write a KMB file of 13,983,816 bets (target: under 2 s).
static void BM_KmbWriteAll(benchmark::State& st)
{
    AllBets& all = allBets();
    const std::string path = all.folder + "/escrito.KMB";
    Progress progress;
    StopFlag stop;
    for (auto _ : st)
        if (!WriteBetFile(path, "0", all.bets, kAllBets, progress, stop).ok()) st.SkipWithError("write failed");
    std::filesystem::remove(path);
    st.counters["bets"] = static_cast<double>(kAllBets);
}
BENCHMARK(BM_KmbWriteAll)->Unit(benchmark::kMillisecond)->Iterations(2);

// Read it back (target: under 2 s).
static void BM_KmbReadAll(benchmark::State& st)
{
    AllBets& all = allBets();
    Progress progress;
    StopFlag stop;
    for (auto _ : st) {
        const BetFileRead read = ReadBetFileKmb(all.kmb, progress, stop);
        if (!read.ok() || read.bets.size() != kAllBets) st.SkipWithError("read failed");
    }
}
BENCHMARK(BM_KmbReadAll)->Unit(benchmark::kMillisecond)->Iterations(2);

// A text bet file of 13,983,816 lines "01 02 03 04 05 06 7" with reintegros (target: under 3 s).
static void BM_TextReadAll(benchmark::State& st)
{
    AllBets& all = allBets();
    Progress progress;
    StopFlag stop;
    for (auto _ : st) {
        const BetFileRead read = ReadBetFileText(all.text, true, progress, stop);
        if (!read.ok() || read.bets.size() != kAllBets) st.SkipWithError("read failed");
    }
}
BENCHMARK(BM_TextReadAll)->Unit(benchmark::kMillisecond)->Iterations(2);

// Import as base with the removal of repeated bets, from the KMB file (target: under 3 s).
static void BM_ImportAsBaseAll(benchmark::State& st)
{
    AllBets& all = allBets();
    for (auto _ : st) {
        AppState state;
        ResetStateDefaults(state);
        SilentInteraction ui;
        if (!importAsBase(state, all.kmb, ui) || state.initialCount != kAllBets) st.SkipWithError("import failed");
    }
}
BENCHMARK(BM_ImportAsBaseAll)->Unit(benchmark::kMillisecond)->Iterations(2);

// The removal of repeated bets alone, every bet once.
static void BM_RemoveRepeatedAll(benchmark::State& st)
{
    AllBets& all = allBets();
    Progress progress;
    StopFlag stop;
    for (auto _ : st) {
        st.PauseTiming();
        BetList copy = all.bets;
        st.ResumeTiming();
        if (removeRepeatedBets(copy, progress, stop).repeated != 0) st.SkipWithError("unexpected repeats");
    }
}
BENCHMARK(BM_RemoveRepeatedAll)->Unit(benchmark::kMillisecond)->Iterations(2);
