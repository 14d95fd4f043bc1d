#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include "engine/optimiser.h"
#include "engine/reduction_reference.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

using SixNumbers = std::array<uint8_t, 6>;

SixNumbers numbersOf(const TestSystem& s, const Positions& p)
{
    SixNumbers out{};
    for (int j = 0; j < 6; ++j) out[static_cast<size_t>(j)] = s.base[p[static_cast<size_t>(j)] - 1];
    return out;
}

std::vector<SixNumbers> betsOf(const BetList& list)
{
    std::vector<SixNumbers> out;
    for (int64_t i = 1; i <= list.size(); ++i) {
        SixNumbers b{};
        std::copy(list.bet(i), list.bet(i) + 6, b.begin());
        out.push_back(b);
    }
    return out;
}

BetList listOf(const std::vector<SixNumbers>& bets)
{
    BetList out(static_cast<int64_t>(bets.size()));
    for (size_t i = 0; i < bets.size(); ++i) {
        std::copy(bets[i].begin(), bets[i].end(), out.bet(static_cast<int64_t>(i) + 1));
        out.bet(static_cast<int64_t>(i) + 1)[6] = 0;
    }
    return out;
}

int common(const SixNumbers& a, const SixNumbers& b)
{
    int c = 0;
    for (uint8_t x : a) c += std::find(b.begin(), b.end(), x) != b.end();
    return c;
}

// The conditioned bets sharing at least k numbers with some bet, counted bet by bet.
int64_t plainCovered(const TestSystem& s, const std::vector<SixNumbers>& bets, int k)
{
    int64_t covered = 0;
    for (const Positions& p : s.positions) {
        const SixNumbers c = numbersOf(s, p);
        for (const SixNumbers& b : bets)
            if (common(c, b) >= k) {
                ++covered;
                break;
            }
    }
    return covered;
}

// A first-fit system: each conditioned bet not yet covered, in order, joins it.
std::vector<SixNumbers> firstFit(const TestSystem& s, int k)
{
    std::vector<SixNumbers> chosen;
    for (const Positions& p : s.positions) {
        const SixNumbers c = numbersOf(s, p);
        if (std::none_of(chosen.begin(), chosen.end(), [&](const SixNumbers& b) { return common(c, b) >= k; }))
            chosen.push_back(c);
    }
    return chosen;
}

OptimiserInputs inputsFor(const TestSystem& s, int k, const std::vector<SixNumbers>& start)
{
    OptimiserInputs in;
    in.baseNumbers = s.base;
    in.conditioned = s.list;
    in.minHits = k;
    in.requiredCovered = static_cast<int64_t>(s.positions.size());
    in.start = listOf(start);
    in.seconds = 60;
    in.stepLimit = 20000;
    in.seed = 5;
    in.threads = 2;
    return in;
}

// A full system of 10 numbers with a few bets eliminated by hand, as a filter leaves it.
TestSystem filteredByHand()
{
    TestSystem all = randomSystem(3, 10, 1.0, false);
    std::vector<Positions> kept;
    for (size_t i = 0; i < all.positions.size(); ++i)
        if (i % 7 != 3 && i != 0 && i + 1 != all.positions.size()) kept.push_back(all.positions[i]);
    return systemOf(all.base, kept);
}

// What every result must be: conditioned, distinct bets whose coverage is what it says.
void expectSound(const TestSystem& s, int k, const OptimiserResult& r)
{
    std::set<SixNumbers> conditioned;
    for (const Positions& p : s.positions) conditioned.insert(numbersOf(s, p));
    const std::vector<SixNumbers> bets = betsOf(r.bets);
    std::set<SixNumbers> distinct(bets.begin(), bets.end());
    EXPECT_EQ(distinct.size(), bets.size()) << "repeated bets";
    for (const SixNumbers& b : bets) EXPECT_TRUE(conditioned.count(b)) << "a bet outside the conditioned system";
    EXPECT_EQ(r.covered, plainCovered(s, bets, k));
    EXPECT_EQ(r.conditioned, static_cast<int64_t>(s.positions.size()));
    for (int64_t i = 1; i <= r.bets.size(); ++i) EXPECT_EQ(r.bets.bet(i)[6], 0);
}

class StopAfter : public OptimiserProgress {
public:
    explicit StopAfter(StopFlag& flag, double seconds) : flag_(flag), seconds_(seconds) {}
    void status(const OptimiserStatus& s) override
    {
        if (s.seconds >= seconds_ && !flag_.requested()) {
            flag_.request();
            requestedAt = std::chrono::steady_clock::now();
        }
    }
    std::chrono::steady_clock::time_point requestedAt{};

private:
    StopFlag& flag_;
    double seconds_;
};

} // namespace

TEST(Optimiser, RequiredCoveredBetsFollowsTheReductionsStopRule)
{
    struct Case {
        int64_t total;
        int percentage;
        int64_t required;
    } cases[] = {{100, 100, 100}, {100, 29, 30}, {100, 28, 28}, {7, 50, 4}, {100, 0, 0}, {0, 50, 0}, {3, 100, 3}, {13983816, 99, 13843978}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.total) + " al " + std::to_string(c.percentage));
        const int64_t r = requiredCoveredBets(c.total, c.percentage);
        EXPECT_EQ(r, c.required);
        if (c.total > 0 && r > 0) {
            // The smallest count that reaches the percentage as the reduction computes it.
            EXPECT_GE(static_cast<int>(static_cast<double>(r) / static_cast<double>(c.total) * 100.0), c.percentage);
            EXPECT_LT(static_cast<int>(static_cast<double>(r - 1) / static_cast<double>(c.total) * 100.0), c.percentage);
        }
    }
}

TEST(Optimiser, ResultsAreConditionedBetsCoveringWhatTheyClaim)
{
    struct Case {
        const char* name;
        TestSystem system;
        int k;
        int percentage;
    } cases[] = {
        {"10 numbers al 3", randomSystem(1, 10, 1.0, false), 3, 100},
        {"12 numbers al 4", randomSystem(2, 12, 1.0, false), 4, 100},
        {"11 numbers al 5", randomSystem(3, 11, 1.0, false), 5, 100},
        {"9 numbers al 2", randomSystem(4, 9, 1.0, false), 2, 100},
        {"13 numbers filtered al 3", randomSystem(5, 13, 0.4, false), 3, 100},
        {"12 numbers filtered, shuffled, al 4", randomSystem(6, 12, 0.3, true), 4, 100},
        {"14 numbers sparse al 5", randomSystem(7, 14, 0.15, true), 5, 100},
        {"filtered by hand al 3", filteredByHand(), 3, 100},
        {"filtered by hand al 4 at 90 %", filteredByHand(), 4, 90},
        {"12 numbers al 3 at 75 %", randomSystem(8, 12, 1.0, false), 3, 75},
        {"10 numbers al 6 at 60 %", randomSystem(9, 10, 0.5, false), 6, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<SixNumbers> start = firstFit(c.system, c.k);
        OptimiserInputs in = inputsFor(c.system, c.k, start);
        in.requiredCovered = requiredCoveredBets(static_cast<int64_t>(c.system.positions.size()), c.percentage);
        OptimiserProgress events;
        const OptimiserResult r = runOptimiser(in, events, StopToken());
        ASSERT_TRUE(r.done()) << r.failure;
        expectSound(c.system, c.k, r);
        EXPECT_TRUE(r.targetMet);
        EXPECT_GE(r.covered, in.requiredCovered);
        EXPECT_LE(r.bets.size(), static_cast<int64_t>(start.size()));
        EXPECT_EQ(r.startBets, static_cast<int64_t>(start.size()));
        EXPECT_EQ(r.startCovered, plainCovered(c.system, start, c.k));
        EXPECT_EQ(r.improved, r.bets.size() < static_cast<int64_t>(start.size()));
    }
}

TEST(Optimiser, FindsSmallerSystemsThanAFirstFit)
{
    // A first fit leaves plenty of room here; a search that never improves is broken.
    for (int k : {3, 4}) {
        SCOPED_TRACE(k);
        const TestSystem s = randomSystem(11, 14, 1.0, true);
        const std::vector<SixNumbers> start = firstFit(s, k);
        OptimiserInputs in = inputsFor(s, k, start);
        in.stepLimit = 50000;
        OptimiserProgress events;
        const OptimiserResult r = runOptimiser(in, events, StopToken());
        ASSERT_TRUE(r.done());
        expectSound(s, k, r);
        EXPECT_EQ(r.covered, static_cast<int64_t>(s.positions.size()));
        EXPECT_LT(r.bets.size(), static_cast<int64_t>(start.size()));
        EXPECT_TRUE(r.improved);
    }
}

TEST(Optimiser, WideFullSystemsAtThreeHitsAreAlsoBuiltFromTwoParts)
{
    // 30 numbers: 593,775 bets, counted against every kept bet as bit masks.
    const TestSystem s = randomSystem(21, 30, 1.0, false);
    std::vector<uint64_t> masks;
    for (const Positions& p : s.positions) {
        uint64_t m = 0;
        for (uint8_t x : p) m |= uint64_t{1} << x;
        masks.push_back(m);
    }
    auto maskOf = [&](const SixNumbers& b) {
        uint64_t m = 0;
        for (uint8_t v : b) m |= uint64_t{1} << (std::find(s.base.begin(), s.base.end(), v) - s.base.begin() + 1);
        return m;
    };
    std::vector<uint64_t> fit;
    for (uint64_t c : masks)
        if (std::none_of(fit.begin(), fit.end(), [&](uint64_t b) { return __builtin_popcountll(b & c) >= 3; })) fit.push_back(c);
    std::vector<SixNumbers> start;
    for (uint64_t m : fit) {
        SixNumbers b{};
        int j = 0;
        for (int x = 1; x <= 30; ++x)
            if ((m >> x) & 1) b[static_cast<size_t>(j++)] = s.base[static_cast<size_t>(x - 1)];
        start.push_back(b);
    }
    OptimiserInputs in = inputsFor(s, 3, start);
    in.stepLimit = 0;
    in.seconds = 3;
    OptimiserProgress events;
    const OptimiserResult r = runOptimiser(in, events, StopToken());
    ASSERT_TRUE(r.done());
    std::vector<uint64_t> kept;
    for (const SixNumbers& b : betsOf(r.bets)) kept.push_back(maskOf(b));
    EXPECT_EQ(std::set<uint64_t>(kept.begin(), kept.end()).size(), kept.size());
    int64_t covered = 0;
    for (uint64_t c : masks)
        covered += std::any_of(kept.begin(), kept.end(), [&](uint64_t b) { return __builtin_popcountll(b & c) >= 3; });
    EXPECT_EQ(covered, 593775);
    EXPECT_EQ(r.covered, covered);
    EXPECT_LT(r.bets.size(), static_cast<int64_t>(start.size()));
}

TEST(Optimiser, BetCountModeCoversMoreWithAtMostThatManyBets)
{
    const TestSystem s = randomSystem(12, 12, 0.6, false);
    const int k = 4;
    const std::vector<SixNumbers> fit = firstFit(s, k);
    ASSERT_GT(fit.size(), 12u);
    struct Case {
        const char* name;
        std::vector<SixNumbers> start;
        int64_t betCount;
    } cases[] = {
        {"as many as asked", std::vector<SixNumbers>(fit.begin(), fit.begin() + 6), 6},
        {"longer start cut down", fit, 8},
        {"shorter start filled up", std::vector<SixNumbers>(fit.begin(), fit.begin() + 2), 7},
        {"no start at all", {}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OptimiserInputs in = inputsFor(s, k, c.start);
        in.target = OptimiserTarget::BetCount;
        in.betCount = c.betCount;
        OptimiserProgress events;
        const OptimiserResult r = runOptimiser(in, events, StopToken());
        ASSERT_TRUE(r.done()) << r.failure;
        expectSound(s, k, r);
        EXPECT_TRUE(r.targetMet);
        EXPECT_LE(r.bets.size(), c.betCount);
        if (static_cast<int64_t>(c.start.size()) <= c.betCount) {
            EXPECT_GE(r.covered, r.startCovered);
        }
        if (r.covered < r.conditioned) {
            EXPECT_EQ(r.bets.size(), c.betCount) << "a short system that leaves gaps";
        }
    }
    // The same count as a first fit that covers everything: nothing to cover, fewer bets.
    OptimiserInputs in = inputsFor(s, k, fit);
    in.target = OptimiserTarget::BetCount;
    in.betCount = static_cast<int64_t>(fit.size());
    OptimiserProgress events;
    const OptimiserResult r = runOptimiser(in, events, StopToken());
    EXPECT_EQ(r.covered, r.conditioned);
    EXPECT_LT(r.bets.size(), static_cast<int64_t>(fit.size()));
}

TEST(Optimiser, StartThatFallsShortIsCompleted)
{
    const TestSystem s = filteredByHand();
    const std::vector<SixNumbers> fit = firstFit(s, 3);
    const std::vector<SixNumbers> start(fit.begin(), fit.begin() + 1);
    OptimiserInputs in = inputsFor(s, 3, start);
    OptimiserProgress events;
    const OptimiserResult r = runOptimiser(in, events, StopToken());
    ASSERT_TRUE(r.done());
    expectSound(s, 3, r);
    EXPECT_LT(r.startCovered, r.conditioned);
    EXPECT_EQ(r.covered, r.conditioned);
    EXPECT_TRUE(r.targetMet);
    EXPECT_TRUE(r.improved);
}

TEST(Optimiser, NeverWorseThanItsStart)
{
    // Seven numbers: any two of their 6-sets share five, so one bet covers all "al 5".
    const TestSystem seven = randomSystem(13, 7, 1.0, false);
    const std::vector<SixNumbers> one = {numbersOf(seven, seven.positions[3])};
    OptimiserInputs in = inputsFor(seven, 5, one);
    OptimiserProgress events;
    OptimiserResult r = runOptimiser(in, events, StopToken());
    ASSERT_TRUE(r.done());
    EXPECT_EQ(betsOf(r.bets), one);
    EXPECT_FALSE(r.improved);

    // No time at all: the start comes back, repeats dropped, in ascending order.
    const TestSystem s = randomSystem(14, 11, 1.0, false);
    std::vector<SixNumbers> start = firstFit(s, 4);
    start.push_back(start.front());
    in = inputsFor(s, 4, start);
    in.seconds = 0;
    r = runOptimiser(in, events, StopToken());
    ASSERT_TRUE(r.done());
    std::vector<SixNumbers> expected(start.begin(), start.end() - 1);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(betsOf(r.bets), expected);
    EXPECT_EQ(r.startBets, static_cast<int64_t>(expected.size()));
    EXPECT_EQ(r.covered, r.conditioned);
    EXPECT_FALSE(r.improved);

    // Whatever the seed, the kept system never has more bets than a complete start.
    for (uint64_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        in = inputsFor(s, 3, firstFit(s, 3));
        in.seed = seed;
        in.stepLimit = 300;
        r = runOptimiser(in, events, StopToken());
        EXPECT_LE(r.bets.size(), r.startBets);
        EXPECT_EQ(r.covered, r.conditioned);
    }
}

TEST(Optimiser, RepeatableForASeedWithAStepLimit)
{
    struct Case {
        const char* name;
        TestSystem system;
        int k;
    } cases[] = {
        {"15 numbers filtered al 4", randomSystem(15, 15, 0.5, true), 4},
        {"16 numbers full al 3, built from two parts too", randomSystem(20, 16, 1.0, false), 3},
    };
    for (const Case& c : cases) {
        for (int threads : {1, 2}) {
            SCOPED_TRACE(std::string(c.name) + ", threads " + std::to_string(threads));
            OptimiserInputs in = inputsFor(c.system, c.k, firstFit(c.system, c.k));
            in.threads = threads;
            in.stepLimit = 4000;
            in.seed = 77;
            OptimiserProgress events;
            const OptimiserResult a = runOptimiser(in, events, StopToken());
            const OptimiserResult b = runOptimiser(in, events, StopToken());
            ASSERT_TRUE(a.done());
            EXPECT_EQ(betsOf(a.bets), betsOf(b.bets));
            EXPECT_EQ(a.covered, b.covered);
            EXPECT_EQ(a.steps, b.steps);
            EXPECT_EQ(a.steps, 4000 * threads);
        }
    }
}

TEST(Optimiser, StopIsSeenQuicklyAndKeepsTheBest)
{
    // 22 numbers "al 3": 74,613 bets, a search that would run for its whole minute.
    const TestSystem s = randomSystem(16, 22, 1.0, false);
    const std::vector<SixNumbers> start = firstFit(s, 3);
    OptimiserInputs in = inputsFor(s, 3, start);
    in.stepLimit = 0;
    StopFlag flag;
    StopAfter progress(flag, 0.3);
    const auto begin = std::chrono::steady_clock::now();
    const OptimiserResult r = runOptimiser(in, progress, flag);
    const auto end = std::chrono::steady_clock::now();
    EXPECT_TRUE(r.stopped());
    EXPECT_TRUE(flag.requested()) << "a job never clears its caller's stop";
    EXPECT_LT(std::chrono::duration<double>(end - begin).count(), 10.0);
    // Status calls come about every 100 ms and the searches look at the flag between steps.
    EXPECT_LT(std::chrono::duration<double>(end - progress.requestedAt).count(), 1.0);
    expectSound(s, 3, r);
    EXPECT_EQ(r.covered, r.conditioned);
    EXPECT_LE(r.bets.size(), static_cast<int64_t>(start.size()));

    // A stop asked for before the run: the start, as it came.
    StopFlag early;
    early.request();
    OptimiserProgress events;
    const OptimiserResult e = runOptimiser(in, events, early);
    EXPECT_TRUE(e.stopped());
    EXPECT_EQ(e.bets.size(), static_cast<int64_t>(start.size()));
}

TEST(Optimiser, EndsAtItsTimeBudget)
{
    const TestSystem s = randomSystem(17, 22, 1.0, false);
    OptimiserInputs in = inputsFor(s, 3, firstFit(s, 3));
    in.stepLimit = 0;
    in.seconds = 0.5;
    OptimiserProgress events;
    const auto begin = std::chrono::steady_clock::now();
    const OptimiserResult r = runOptimiser(in, events, StopToken());
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_TRUE(r.done());
    EXPECT_GE(r.seconds, 0.5);
    EXPECT_LT(wall, 5.0);
    EXPECT_GT(r.steps, 0);
}

TEST(Optimiser, ReportsOnTheCallingThread)
{
    class Recorder : public OptimiserProgress {
    public:
        void improved(const OptimiserStatus& s) override
        {
            check(s);
            improvements.push_back(s.bets);
        }
        void status(const OptimiserStatus& s) override
        {
            check(s);
            last = s;
        }
        void report(int64_t done, int64_t total) override
        {
            EXPECT_LE(done, total);
            ++reports;
        }
        void check(const OptimiserStatus& s)
        {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_GE(s.seconds, lastSeconds);
            lastSeconds = s.seconds;
        }
        std::thread::id caller = std::this_thread::get_id();
        std::vector<int64_t> improvements;
        OptimiserStatus last;
        double lastSeconds = 0;
        int reports = 0;
    } recorder;
    const TestSystem s = randomSystem(18, 16, 1.0, true);
    OptimiserInputs in = inputsFor(s, 3, firstFit(s, 3));
    in.stepLimit = 0;
    in.seconds = 1;
    const OptimiserResult r = runOptimiser(in, recorder, StopToken());
    ASSERT_TRUE(r.done());
    ASSERT_FALSE(recorder.improvements.empty());
    EXPECT_TRUE(std::is_sorted(recorder.improvements.rbegin(), recorder.improvements.rend()));
    EXPECT_EQ(recorder.improvements.back(), r.bets.size());
    EXPECT_EQ(recorder.last.bets, r.bets.size());
    EXPECT_EQ(recorder.last.covered, r.covered);
    EXPECT_EQ(recorder.last.conditioned, r.conditioned);
    EXPECT_GT(recorder.reports, 1);
}

TEST(Optimiser, RefusesInputsItCannotHonour)
{
    const TestSystem s = randomSystem(19, 10, 0.5, false);
    const std::vector<SixNumbers> fit = firstFit(s, 3);
    std::set<SixNumbers> conditioned;
    for (const Positions& p : s.positions) conditioned.insert(numbersOf(s, p));
    SixNumbers outside{};
    for (const Positions& p : randomSystem(19, 10, 1.0, false).positions)
        if (!conditioned.count(numbersOf(s, p))) outside = numbersOf(s, p);
    ASSERT_NE(outside[0], 0);

    struct Case {
        const char* name;
        std::function<void(OptimiserInputs&)> spoil;
        const char* failure;
    } cases[] = {
        {"start bet filtered out", [&](OptimiserInputs& in) { in.start = listOf({fit[0], outside}); },
         "el sistema de partida tiene una apuesta que no está en el sistema condicionado"},
        {"start bet off the base", [&](OptimiserInputs& in) { in.start = listOf({{1, 2, 3, 4, 5, 50}}); },
         "el sistema de partida tiene una apuesta que no está en el sistema condicionado"},
        {"one hit", [](OptimiserInputs& in) { in.minHits = 1; }, "los aciertos pedidos deben estar entre 2 y 6"},
        {"seven hits", [](OptimiserInputs& in) { in.minHits = 7; }, "los aciertos pedidos deben estar entre 2 y 6"},
        {"five numbers", [](OptimiserInputs& in) { in.baseNumbers.resize(5); }, "la base debe tener entre 6 y 49 números"},
        {"base out of order", [](OptimiserInputs& in) { std::swap(in.baseNumbers[0], in.baseNumbers[1]); },
         "la base tiene números no válidos"},
        {"position past the base", [](OptimiserInputs& in) { in.conditioned.bet(1)[5] = 11; },
         "el sistema condicionado tiene una apuesta no válida"},
        {"repeated conditioned bet",
         [](OptimiserInputs& in) { std::copy(in.conditioned.bet(1), in.conditioned.bet(1) + 7, in.conditioned.bet(2)); },
         "el sistema condicionado tiene apuestas repetidas"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OptimiserInputs in = inputsFor(s, 3, fit);
        c.spoil(in);
        OptimiserProgress events;
        const OptimiserResult r = runOptimiser(in, events, StopToken());
        EXPECT_TRUE(r.failed());
        EXPECT_EQ(r.failure, c.failure);
    }
}
