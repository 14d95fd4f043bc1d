#include <benchmark/benchmark.h>

#include <string>

#include "formats/bet_files.h"

using namespace kombitron;

namespace {

// 200,000 space-separated bets ended by LF (0), CR LF (1) or a lone CR (2): the three must read
// in about the same time, linear in the text.
void BM_TextBetsByLineEnd(benchmark::State& state)
{
    static const char* const kEnds[] = {"\n", "\r\n", "\r"};
    const char* end = kEnds[state.range(0)];
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "01 02 03 04 05 06 " + std::to_string(i % 10) + end;
    Progress progress;
    StopFlag stop;
    for (auto _ : state) {
        BetFileRead read = readBetFileTextBytes(text, true, progress, stop);
        if (!read.ok() || read.bets.size() != 200000) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(read.bets.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_TextBetsByLineEnd)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A megabyte of lone CR (every line empty), the case that once took seconds.
void BM_TextBetsOnlyCarriageReturns(benchmark::State& state)
{
    const std::string text(size_t{1} << 20, '\r');
    Progress progress;
    StopFlag stop;
    for (auto _ : state) benchmark::DoNotOptimize(readBetFileTextBytes(text, false, progress, stop).status);
}
BENCHMARK(BM_TextBetsOnlyCarriageReturns)->Unit(benchmark::kMillisecond);

} // namespace
