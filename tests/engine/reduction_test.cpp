#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/random.h"
#include "engine/generation.h"
#include "engine/reduction.h"
#include "engine/reduction_options.h"
#include "engine/reduction_reference.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

ReductionOptions options(int type, int percentage, int betCount, int byBetCount, int cycles, int exact = 0)
{
    ReductionOptions o;
    o.type = type;
    o.percentage = percentage;
    o.betCount = betCount;
    o.byBetCount = byBetCount;
    o.cycles = cycles;
    o.exactCount = exact;
    return o;
}

// Records what a run reports; a stop is requested once `stopAfterCycles` cycles were counted
// (0: never).
class TraceProgress : public ReductionProgress {
public:
    TraceProgress(ReductionTrace& trace, StopFlag& stop, int stopAfterCycles, std::vector<std::string>* captions)
        : trace_(trace), stop_(stop), stopAfterCycles_(stopAfterCycles), captions_(captions)
    {
    }
    void report(int64_t done, int64_t total) override
    {
        EXPECT_EQ(total, 100);
        trace_.progress.push_back(static_cast<int>(done));
    }
    void caption(std::string_view text) override
    {
        if (captions_) captions_->emplace_back(text);
    }
    void cycleDone(double cycles) override
    {
        trace_.cycles.push_back(cycles);
        if (stopAfterCycles_ > 0 && cycles >= stopAfterCycles_) stop_.request();
    }
    void improved(int64_t size) override { trace_.improvements.push_back(size); }

private:
    ReductionTrace& trace_;
    StopFlag& stop_;
    int stopAfterCycles_;
    std::vector<std::string>* captions_;
};

// Runs the engine, recording what it reports.
ReductionTrace engine(const TestSystem& s, const ReductionOptions& o, int stopAfterCycles, bool full,
                      std::vector<std::string>* captions = nullptr)
{
    ReductionTrace t;
    StopFlag stop;
    TraceProgress progress(t, stop, stopAfterCycles, captions);
    ReductionResult r = runReduction(ReductionInput{s.base, s.list, full}, o, progress, stop);
    EXPECT_FALSE(r.failed()) << r.failure;
    if (!stop.requested()) {
        EXPECT_TRUE(r.done());
    }
    EXPECT_EQ(r.bets.size(), r.found ? r.best : 0);
    t.found = r.found;
    t.best = r.best;
    t.cyclesDone = r.cyclesDone;
    for (int64_t i = 1; i <= r.bets.size(); ++i) t.bets.push_back(r.bets.get(i));
    return t;
}

void expectSame(const ReductionTrace& a, const ReductionTrace& b)
{
    EXPECT_EQ(a.found, b.found);
    EXPECT_EQ(a.best, b.best);
    EXPECT_EQ(a.cyclesDone, b.cyclesDone);
    EXPECT_EQ(a.cycles, b.cycles);
    EXPECT_EQ(a.improvements, b.improvements);
    EXPECT_EQ(a.progress, b.progress);
    ASSERT_EQ(a.bets.size(), b.bets.size());
    for (size_t i = 0; i < a.bets.size(); ++i)
        ASSERT_EQ(0, std::memcmp(a.bets[i].numbers, b.bets[i].numbers, 6)) << "bet " << i + 1;
}

std::vector<std::vector<uint8_t>> numbersOf(const ReductionTrace& t)
{
    std::vector<std::vector<uint8_t>> out;
    for (const Bet& b : t.bets) out.emplace_back(b.numbers, b.numbers + 6);
    return out;
}

std::vector<uint8_t> numbersOfPositions(const TestSystem& s, size_t i)
{
    std::vector<uint8_t> out;
    for (uint8_t p : s.positions[i]) out.push_back(s.base[p - 1]);
    return out;
}

} // namespace

TEST(Reduction, BinomialHelpers)
{
    EXPECT_EQ(Fact(0), 1.0);
    EXPECT_EQ(Fact(1), 1.0);
    EXPECT_EQ(Fact(5), 120.0);
    EXPECT_EQ(COMBINAT(49, 6), 13983816);
    EXPECT_EQ(COMBINAT(43, 2), 903);
    EXPECT_EQ(COMBINAT(5, 6), 0);
    EXPECT_EQ(COMBINAT(7, 0), 1);
    EXPECT_EQ(reductionType(0).minimumHits, 6);
    EXPECT_EQ(reductionType(2).minimumHits, 4);
    EXPECT_TRUE(usesMaximumCoverage(2, 22));
    EXPECT_FALSE(usesMaximumCoverage(2, 23));
    EXPECT_TRUE(usesMaximumCoverage(1, 49));
    EXPECT_FALSE(usesMaximumCoverage(3, 10));
}

// The engine against the literal procedures on many small random systems: every type, both
// modes, cycles on and off, stops after a few cycles.
// The process window tells the player when only the stop button ends a run.
TEST(Reduction, RunsUntilStoppedWithCyclesOrAnExactCountInTheFirstFitScan)
{
    struct Case {
        ReductionOptions options;
        int n;
        bool endless;
    };
    const Case cases[] = {
        {{3, 100, 30, 1, 0, 0, 1}, 12, true},   // first fit, by bet count, exact count, cycles off
        {{3, 100, 30, 1, 1, 0, 0}, 12, true},   // cycles on
        {{3, 100, 30, 1, 0, 0, 0}, 12, false},  // no exact count
        {{3, 90, 30, 0, 0, 0, 1}, 12, false},   // by percentage
        {{1, 100, 30, 1, 0, 0, 1}, 12, false},  // "al 5": the greedy ends by itself
        {{2, 100, 30, 1, 0, 0, 1}, 23, true},   // "al 4" over 23 numbers scans first fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.options.type << " n " << c.n << " cycles " << c.options.cycles
                                        << " exact " << c.options.exactCount << " byCount " << c.options.byBetCount);
        EXPECT_EQ(runsUntilStopped(c.options, c.n), c.endless);
    }
}

TEST(Reduction, MatchesLiteralProceduresOnSmallSystems)
{
    Rng pick(2024);
    for (int c = 0; c < 160; ++c) {
        const int n = 6 + static_cast<int>(pick.below(7));
        const double keep = pick.below(4) == 0 ? 1.0 : 0.15 + 0.8 * pick.nextDouble();
        const bool shuffled = pick.below(5) == 0;
        TestSystem s = randomSystem(1000 + c, n, keep, shuffled);
        const int64_t N = static_cast<int64_t>(s.positions.size());
        ReductionOptions o = options(static_cast<int>(pick.below(5)), 1 + static_cast<int>(pick.below(100)),
                                     1 + static_cast<int>(pick.below(N + 2)), static_cast<int>(pick.below(2)),
                                     static_cast<int>(pick.below(2)), static_cast<int>(pick.below(3) == 0));
        if (pick.below(3) == 0) o.percentage = 100;
        const int stopAfter = 1 + static_cast<int>(pick.below(4));
        SCOPED_TRACE("case " + std::to_string(c) + " n=" + std::to_string(n) + " N=" + std::to_string(N) +
                     " type=" + std::to_string(o.type) + " pct=" + std::to_string(o.percentage) +
                     " count=" + std::to_string(o.betCount) + " byCount=" + std::to_string(o.byBetCount) +
                     " cycles=" + std::to_string(o.cycles) + " exact=" + std::to_string(o.exactCount));
        expectSame(engine(s, o, stopAfter, s.full), referenceReduction(s.base, s.positions, s.full, o, stopAfter));
    }
}

// Larger bases with few surviving bets take the other paths: first fit at k = 4 beyond 22
// numbers, maximum coverage at k = 5 over 49 numbers.
TEST(Reduction, MatchesLiteralProceduresOnSparseLargeBases)
{
    Rng pick(77);
    for (int c = 0; c < 24; ++c) {
        const int n = c % 3 == 0 ? 49 : 23 + static_cast<int>(pick.below(6));
        TestSystem s = randomSystem(500 + c, n, n == 49 ? 0.00003 : 0.002, c % 4 == 1);
        const int64_t N = static_cast<int64_t>(s.positions.size());
        ReductionOptions o = options(1 + static_cast<int>(pick.below(4)), 50 + static_cast<int>(pick.below(51)),
                                     1 + static_cast<int>(pick.below(N)), static_cast<int>(pick.below(2)),
                                     static_cast<int>(pick.below(2)));
        SCOPED_TRACE("case " + std::to_string(c) + " n=" + std::to_string(n) + " N=" + std::to_string(N) +
                     " type=" + std::to_string(o.type));
        expectSame(engine(s, o, 2, false), referenceReduction(s.base, s.positions, false, o, 2));
    }
}

// The closed formula for an untouched generated system and the analysis give the same runs.
TEST(Reduction, FullSystemFormulaAgreesWithAnalysis)
{
    for (int type : {0, 1, 2}) {
        TestSystem s = randomSystem(31 + type, 11, 1.0, false);
        ASSERT_TRUE(s.full);
        const ReductionOptions o = options(type, 100, 1, 0, 1);
        std::vector<std::string> captionsFull, captionsAnalysed;
        ReductionTrace a = engine(s, o, 3, true, &captionsFull);
        ReductionTrace b = engine(s, o, 3, false, &captionsAnalysed);
        EXPECT_EQ(a.bets.size(), b.bets.size());
        EXPECT_EQ(numbersOf(a), numbersOf(b));
        EXPECT_EQ(a.cycles, b.cycles);
        EXPECT_EQ(std::count(captionsFull.begin(), captionsFull.end(), "Analizando ..."), 0);
        EXPECT_EQ(std::count(captionsAnalysed.begin(), captionsAnalysed.end(), "Analizando ..."), 1);
    }
}

TEST(Reduction, NoReductionTypePicksLeadingBets)
{
    TestSystem s = randomSystem(5, 10, 0.5, false);
    const int64_t N = static_cast<int64_t>(s.positions.size());
    // By bet count with cycles off: the first B bets in conditioned order, random or not.
    for (int random : {0, 1}) {
        ReductionOptions o = options(0, 100, 7, 1, 0);
        o.random = random;
        ReductionTrace t = engine(s, o, 0, false);
        ASSERT_EQ(t.bets.size(), 7u);
        for (size_t i = 0; i < 7; ++i)
            EXPECT_EQ(std::vector<uint8_t>(t.bets[i].numbers, t.bets[i].numbers + 6), numbersOfPositions(s, i));
        EXPECT_EQ(t.cyclesDone, 1);
    }
    // By percentage with cycles off: the fewest leading bets whose share reaches P.
    for (int p : {1, 29, 50, 99}) {
        ReductionTrace t = engine(s, options(0, p, 1, 0, 0), 0, false);
        int64_t c = 1;
        while (static_cast<int>(static_cast<double>(c) / static_cast<double>(N) * 100.0) < p) ++c;
        EXPECT_EQ(t.best, c) << p;
    }
}

TEST(Reduction, PercentageIsTruncatedInDoublePrecision)
{
    // 29 of 100 bets is 28 % (0.29 x 100 lies just below 29): a 29 % target takes 30 bets.
    std::vector<Positions> bets;
    TestSystem all = randomSystem(9, 10, 1.0, false);
    for (int i = 0; i < 100; ++i) bets.push_back(all.positions[static_cast<size_t>(i)]);
    TestSystem s = systemOf(all.base, bets);
    EXPECT_EQ(engine(s, options(0, 29, 1, 0, 0), 0, false).best, 30);
    EXPECT_EQ(engine(s, options(0, 30, 1, 0, 0), 0, false).best, 30);
    EXPECT_EQ(engine(s, options(0, 28, 1, 0, 0), 0, false).best, 28);
}

TEST(Reduction, SingleBetEndsAtOnce)
{
    TestSystem one = systemOf({3, 9, 14, 22, 31, 40}, {Positions{1, 2, 3, 4, 5, 6}});
    for (int type = 0; type <= 4; ++type)
        for (int cycles : {0, 1}) {
            ReductionTrace t = engine(one, options(type, 100, 1, 0, cycles), 0, true);
            EXPECT_TRUE(t.found);
            EXPECT_EQ(t.best, 1);
            EXPECT_EQ(t.improvements, std::vector<int64_t>{1});
            EXPECT_EQ(std::vector<uint8_t>(t.bets[0].numbers, t.bets[0].numbers + 6),
                      (std::vector<uint8_t>{3, 9, 14, 22, 31, 40}));
        }
}

TEST(Reduction, RepeatableWithoutRandomAndResultsOnlyShrink)
{
    TestSystem s = randomSystem(12, 12, 0.6, false);
    for (int type = 1; type <= 4; ++type) {
        const ReductionOptions o = options(type, 100, 1, 0, 1);
        ReductionTrace a = engine(s, o, 6, false);
        ReductionTrace b = engine(s, o, 6, false);
        EXPECT_EQ(numbersOf(a), numbersOf(b));
        EXPECT_EQ(a.cycles, b.cycles);
        for (size_t i = 1; i < a.improvements.size(); ++i) EXPECT_LT(a.improvements[i], a.improvements[i - 1]);
    }
}

// Every conditioned bet shares at least k numbers with some reduced bet at 100 %.
TEST(Reduction, FullPercentageCoversEveryBet)
{
    TestSystem s = randomSystem(40, 12, 0.7, true);
    for (int type = 0; type <= 4; ++type) {
        ReductionTrace t = engine(s, options(type, 100, 1, 0, 0), 0, false);
        const int k = reductionType(type).minimumHits;
        for (size_t i = 0; i < s.positions.size(); ++i) {
            const auto bet = numbersOfPositions(s, i);
            bool reached = false;
            for (const Bet& r : t.bets) {
                int hits = 0;
                for (uint8_t x : bet) hits += std::count(r.numbers, r.numbers + 6, x) > 0;
                reached = reached || hits >= k;
            }
            ASSERT_TRUE(reached) << "type " << type << " bet " << i + 1;
        }
    }
}

TEST(Reduction, StopDuringAnalysisKeepsNothing)
{
    TestSystem s = randomSystem(3, 12, 0.9, false);
    ASSERT_GT(s.positions.size(), 500u);
    StopFlag stop;
    std::vector<std::string> captions;
    // The request comes with the first report of the analysis, before its first stop check.
    struct Stopper : ReductionProgress {
        Stopper(StopFlag& s, std::vector<std::string>& c) : stop(s), captions(c) {}
        void report(int64_t done, int64_t) override
        {
            if (done > 0) stop.request();
        }
        void caption(std::string_view text) override { captions.emplace_back(text); }
        StopFlag& stop;
        std::vector<std::string>& captions;
    } stopper(stop, captions);
    ReductionResult r = runReduction(ReductionInput{s.base, s.list, false}, options(1, 100, 1, 0, 1), stopper, stop);
    EXPECT_TRUE(r.stopped());
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.cyclesDone, 0);
    EXPECT_EQ(r.best, static_cast<int64_t>(s.positions.size()) + 1);
    EXPECT_EQ(captions, (std::vector<std::string>{"0", "Analizando ...", "0"}));
}

TEST(Reduction, StopKeepsBestResult)
{
    TestSystem s = randomSystem(8, 12, 0.8, false);
    StopFlag stop;
    ReductionTrace trace;
    TraceProgress progress(trace, stop, 4, nullptr);
    ReductionResult r = runReduction(ReductionInput{s.base, s.list, false}, options(3, 100, 1, 0, 1), progress, stop);
    ASSERT_FALSE(trace.improvements.empty());
    const int64_t lastSize = trace.improvements.back();
    EXPECT_TRUE(r.stopped());
    EXPECT_TRUE(stop.requested()) << "the run leaves its caller's request as it was";
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.cyclesDone, 4);
    EXPECT_EQ(r.best, lastSize);
    EXPECT_EQ(r.bets.size(), lastSize);

    // A request made before the run: nothing is counted; the engine no longer clears it.
    ReductionTrace none;
    TraceProgress quiet(none, stop, 0, nullptr);
    ReductionResult early = runReduction(ReductionInput{s.base, s.list, false}, options(3, 100, 1, 0, 1), quiet, stop);
    EXPECT_TRUE(early.stopped());
    EXPECT_FALSE(early.found);
    EXPECT_EQ(early.cyclesDone, 0);
    EXPECT_TRUE(stop.requested());
}

TEST(Reduction, RunOnStateRebuildsConditionedSystemAndWritesFinal)
{
    AppState state;
    for (int v : {2, 5, 8, 11, 17, 23, 29, 36, 44}) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    const int64_t total = EnumerateSubsets(state, 6);
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);
    Rng rng(4);
    for (auto& f : state.eliminationFlags) f = rng.below(3) == 0;
    state.reduction = options(2, 0, 0, 0, 0);  // clamped to 100 % and 1 bet
    state.reducedCount = 0;
    ReductionProgress quiet;
    ReductionResult r = runReduction(state, quiet, {});
    EXPECT_TRUE(r.done());
    EXPECT_EQ(state.reduction.percentage, 100);
    EXPECT_EQ(state.reduction.betCount, 1);
    ASSERT_TRUE(r.found);
    int64_t alive = 0;
    for (uint8_t f : state.eliminationFlags) alive += f == 0;
    EXPECT_EQ(state.conditionedCount, alive);
    EXPECT_EQ(state.conditionedSystem.size(), alive);
    EXPECT_EQ(state.reducedCount, r.best);
    ASSERT_EQ(state.finalSystem.size(), r.best);
    EXPECT_EQ(state.finalSystem.at(1, 7), 0);
    // Same as the engine run over a conditioned system built by hand.
    std::vector<Positions> kept;
    for (int64_t i = 1; i <= total; ++i)
        if (!state.eliminationFlags[static_cast<size_t>(i - 1)]) {
            Positions p{};
            std::memcpy(p.data(), state.totalSystem.bet(i), 6);
            kept.push_back(p);
        }
    ReductionTrace ref = referenceReduction(state.base.baseNumbers, kept, false, state.reduction, 0);
    ASSERT_EQ(static_cast<int64_t>(ref.bets.size()), state.finalSystem.size());
    for (size_t i = 0; i < ref.bets.size(); ++i)
        EXPECT_EQ(0, std::memcmp(ref.bets[i].numbers, state.finalSystem.bet(static_cast<int64_t>(i) + 1), 6));
}

TEST(Reduction, MalformedInputIsAFailureNotACrash)
{
    TestSystem s = systemOf({1, 2, 3, 4, 5, 6, 7}, {Positions{1, 2, 3, 4, 5, 9}});
    ReductionProgress quiet;
    ReductionResult r = runReduction(ReductionInput{s.base, s.list, false}, options(1, 100, 1, 0, 0), quiet, {});
    EXPECT_TRUE(r.failed());
    EXPECT_FALSE(r.found);
    EXPECT_FALSE(r.failure.empty());
}

TEST(Reduction, ImportedSystemIsNeverTakenAsFull)
{
    AppState state;
    state.base.kind = CombinationKind::FromFile;
    state.base.importedFileName = "/tmp/apuestas.txt";
    // Every 6-set of 7 numbers, imported in reverse order: a complete system, but not generated.
    TestSystem all = randomSystem(15, 7, 1.0, false);
    state.base.baseNumbers = all.base;
    state.base.importedBets = BetList(7);
    for (int64_t i = 1; i <= 7; ++i) {
        const Positions& p = all.positions[static_cast<size_t>(7 - i)];
        for (int j = 0; j < 6; ++j) state.base.importedBets.at(i, j + 1) = all.base[p[j] - 1];
        state.base.importedBets.at(i, 7) = 4;
    }
    state.noBetEliminated = true;
    state.eliminationFlags.assign(7, 0);
    state.eliminationFlags[2] = 1;
    EXPECT_FALSE(prepareReduction(state));
    ASSERT_EQ(state.conditionedCount, 6);
    EXPECT_EQ(state.conditionedSystem.at(1, 7), 4);  // imported rows keep their reintegro
    EXPECT_EQ(0, std::memcmp(state.conditionedSystem.bet(1), all.positions[6].data(), 6));
    EXPECT_EQ(0, std::memcmp(state.conditionedSystem.bet(3), all.positions[3].data(), 6));
}
