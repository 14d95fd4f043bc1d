// The optimiser's table: for each case, the reduction's first cycle and the optimiser's size
// after each time mark, in one run per case as long as the last mark. A timed program rather
// than a Google Benchmark: the runs last minutes and are measured once.
//
//   kombitron_optimiser_bench [--marks 10,60,300] [--threads T] [--seed S] [--steps N] [case ...]
//
// --steps ends each search after N steps (the marks still bound the time): a repeatable run.
//
// Cases: 15al3 15al4 15al5 20al3 20al4 20al5 22al3 22al4 49al3 30al4f (the filtered one);
// none given: all of them. Also, by name only: 30al3 36al3 42al3.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/filter_rows.h"
#include "core/interaction.h"
#include "core/state.h"
#include "filters/conditioning.h"
#include "engine/generation.h"
#include "engine/optimiser.h"
#include "engine/reduction.h"

using namespace kombitron;

namespace {

struct Case {
    const char* name;
    int numbers;
    int type;        // 2 "al 4" .. 3 "al 3", as the reduction options hold it
    bool filtered;
    bool inTable = true;   // run when no case is named
};

const Case kCases[] = {
    {"15al3", 15, 3, false}, {"15al4", 15, 2, false}, {"15al5", 15, 1, false}, {"20al3", 20, 3, false},
    {"20al4", 20, 2, false}, {"20al5", 20, 1, false}, {"22al3", 22, 3, false}, {"22al4", 22, 2, false},
    {"49al3", 49, 3, false}, {"30al4f", 30, 2, true},
    // Beside the table: where building from two parts starts to pay.
    {"30al3", 30, 3, false, false}, {"36al3", 36, 3, false, false}, {"42al3", 42, 3, false, false},
};

HitSet hitsOf(std::initializer_list<int> counts)
{
    HitSet set;
    for (int c : counts) set.flags[static_cast<size_t>(c)] = 1;
    return set;
}

// The numbers 1..n marked, the total system generated and, for the filtered case, three
// filters: two to four even numbers, two to four low ones, and a sum from 70 to 115.
AppState conditionedState(const Case& c)
{
    AppState state;
    ResetStateDefaults(state, 2026);
    resetFilterRows(state);
    for (int v = 1; v <= c.numbers; ++v) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    EnumerateSubsets(state, 6);
    if (c.filtered) {
        state.filters.paresImpares.pares = hitsOf({2, 3, 4});
        state.filters.altosBajos.bajos = hitsOf({2, 3, 4});
        state.filters.sumas.intervals[0] = {70, 115};
        setRowActive(state.filterRows[static_cast<int>(FilterId::PARESIMPARES)], true);
        setRowActive(state.filterRows[static_cast<int>(FilterId::ALTOSBAJOS)], true);
        setRowActive(state.filterRows[static_cast<int>(FilterId::SUMAS)], true);
    }
    Progress quiet;
    const int64_t eliminated = RunConditioningPass(state, quiet, StopToken()).eliminated;
    IndexBetList conditioned(state.totalSystem.size() - eliminated);
    int64_t kept = 0;
    for (int64_t i = 1; i <= state.totalSystem.size(); ++i)
        if (state.eliminationFlags[static_cast<size_t>(i - 1)] == 0)
            std::copy(state.totalSystem.bet(i), state.totalSystem.bet(i) + kBetBytes, conditioned.bet(++kept));
    state.conditionedSystem = std::move(conditioned);
    state.conditionedCount = kept;
    state.noBetEliminated = eliminated == 0;
    return state;
}

// The reduction's first cycle at 100 %: the one place that knows the reduction's signature.
BetList reductionFirstCycle(AppState& state, int type)
{
    state.reduction.type = type;
    state.reduction.percentage = 100;
    state.reduction.byBetCount = 0;
    state.reduction.cycles = 1;
    // The first cycle is all the bench wants: stop as soon as it is counted.
    struct FirstCycle : ReductionProgress {
        StopFlag stop;
        void cycleDone(double) override { stop.request(); }
    } progress;
    ReductionResult r = runReduction(state, progress, progress.stop);
    if (!r.found) return BetList();
    BetList out(state.reducedCount);
    std::copy(state.finalSystem.data(), state.finalSystem.data() + state.reducedCount * kBetBytes, out.data());
    return out;
}

// The kept size at each moment it changed.
class Timeline : public OptimiserProgress {
public:
    void improved(const OptimiserStatus& s) override { points.push_back({s.seconds, s.bets, s.covered}); }
    struct Point {
        double seconds;
        int64_t bets;
        int64_t covered;
    };
    std::vector<Point> points;

    int64_t betsAt(double seconds, int64_t start) const
    {
        int64_t bets = start;
        for (const Point& p : points)
            if (p.seconds <= seconds) bets = p.bets;
        return bets;
    }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void runCase(const Case& c, const std::vector<double>& marks, int threads, uint64_t seed, int64_t steps)
{
    AppState state = conditionedState(c);
    const auto reductionBegin = std::chrono::steady_clock::now();
    const BetList reduced = reductionFirstCycle(state, c.type);
    const double reductionSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - reductionBegin).count();

    OptimiserInputs in;
    in.baseNumbers = state.base.baseNumbers;
    in.conditioned = state.conditionedSystem;
    in.minHits = reductionType(c.type).minimumHits;
    in.target = OptimiserTarget::Coverage;
    in.requiredCovered = requiredCoveredBets(state.conditionedCount, 100);
    in.start = reduced;
    in.seconds = marks.back();
    in.seed = seed;
    in.threads = threads;
    in.stepLimit = steps;
    Timeline timeline;
    StopFlag stop;
    const double cpuBefore = cpuSeconds();
    const OptimiserResult r = runOptimiser(in, timeline, stop);
    const double cpu = cpuSeconds() - cpuBefore;

    std::printf("%-7s %9lld cond. %6lld reduced (%.1f s)", c.name, static_cast<long long>(state.conditionedCount),
                static_cast<long long>(reduced.size()), reductionSeconds);
    for (double m : marks) std::printf("  %g s: %lld", m, static_cast<long long>(timeline.betsAt(m, reduced.size())));
    std::printf("  | final %lld covered %lld/%lld, %.1f s wall, %.1f s CPU, %lld steps, peak %.0f MB%s%s\n",
                static_cast<long long>(r.bets.size()), static_cast<long long>(r.covered),
                static_cast<long long>(r.conditioned), r.seconds, cpu, static_cast<long long>(r.steps), peakMegabytes(),
                r.failed() ? " FAILED: " : "", r.failure.c_str());
    std::fflush(stdout);
}

std::vector<double> parseMarks(const char* text)
{
    std::vector<double> marks;
    for (const char* p = text; *p;) {
        char* end = nullptr;
        marks.push_back(std::strtod(p, &end));
        p = *end == ',' ? end + 1 : end;
        if (end == p && *p) break;
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<double> marks = {10, 60, 300};
    int threads = 0;
    uint64_t seed = 1;
    int64_t steps = 0;
    std::vector<std::string> wanted;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--marks" && i + 1 < argc) marks = parseMarks(argv[++i]);
        else if (arg == "--threads" && i + 1 < argc) threads = std::atoi(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--steps" && i + 1 < argc) steps = std::atoll(argv[++i]);
        else wanted.push_back(arg);
    }
    if (marks.empty()) marks = {10};
    for (const Case& c : kCases)
        if ((wanted.empty() && c.inTable) || std::find(wanted.begin(), wanted.end(), c.name) != wanted.end())
            runCase(c, marks, threads, seed, steps);
    return 0;
}
