#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "engine/generation.h"
#include "flows/process_optimisation.h"
#include "flows/process_run.h"

using namespace kombitron;

namespace {

// The numbers 1..n, every sixth-ish bet eliminated when `filtered`, ready for a process run.
AppState conditionedState(int n, bool filtered, ReductionOptions options)
{
    AppState state;
    ResetStateDefaults(state, 2026);
    for (int v = 1; v <= n; ++v) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    const int64_t total = EnumerateSubsets(state, 6);
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);
    if (filtered)
        for (int64_t i = 0; i < total; ++i) state.eliminationFlags[static_cast<size_t>(i)] = i * 7919 % 6 == 0;
    state.noBetEliminated = !filtered;
    state.reduction = options;
    return state;
}

// One reduction run ended after its first cycle, as the stop button would, then the exact-count
// adjustment when it follows.
void reduce(AppState& state)
{
    struct FirstCycle : ReductionProgress {
        StopFlag stop;
        void cycleDone(double) override { stop.request(); }
    } progress;
    ProcessRunResult run = runProcessReduction(state, progress, progress.stop);
    ReductionProgress quiet;
    ASSERT_TRUE(run.reduction.found);
    if (run.needsExactCount) run = runProcessExactCount(state, std::move(run), quiet, {});
}

// Conditioned bets sharing at least k numbers with some reduced bet, compared bet by bet.
int64_t plainCovered(const AppState& state, int k)
{
    int64_t covered = 0;
    for (int64_t c = 1; c <= state.conditionedSystem.size(); ++c) {
        uint8_t numbers[6];
        for (int j = 0; j < 6; ++j) numbers[j] = state.base.baseNumbers[state.conditionedSystem.at(c, j + 1) - 1u];
        for (int64_t r = 1; r <= state.reducedCount; ++r) {
            int hits = 0;
            for (uint8_t x : numbers) hits += std::find(state.finalSystem.bet(r), state.finalSystem.bet(r) + 6, x) != state.finalSystem.bet(r) + 6;
            if (hits >= k) {
                ++covered;
                break;
            }
        }
    }
    return covered;
}

// Every reduced bet is one of the conditioned bets, so the filters still hold.
bool allConditioned(const AppState& state)
{
    for (int64_t r = 1; r <= state.reducedCount; ++r) {
        bool found = false;
        for (int64_t c = 1; c <= state.conditionedSystem.size() && !found; ++c) {
            found = true;
            for (int j = 0; j < 6; ++j)
                found = found && state.base.baseNumbers[state.conditionedSystem.at(c, j + 1) - 1u] == state.finalSystem.at(r, j + 1);
        }
        if (!found) return false;
    }
    return true;
}

ProcessOptimisationRequest repeatable(int64_t steps)
{
    ProcessOptimisationRequest request;
    request.seconds = 30;
    request.stepLimit = steps;
    request.threads = 2;
    request.seed = 7;
    return request;
}

class StopAtFirstStatus : public OptimiserProgress {
public:
    explicit StopAtFirstStatus(StopFlag& stop) : stop_(stop) {}
    void status(const OptimiserStatus&) override { stop_.request(); }

private:
    StopFlag& stop_;
};

} // namespace

TEST(ProcessOptimisation, TargetFollowsTheReductionOptions)
{
    struct Case {
        const char* name;
        ReductionOptions options;
        bool beforeExactCount;
        OptimiserTarget target;
        int64_t wanted;   // required covered, or bet count
        int minHits;
    };
    // 10 numbers: 210 conditioned bets.
    const Case cases[] = {
        {"percentage", {3, 90, 5, 0, 0, 0, 0}, false, OptimiserTarget::Coverage, 189, 3},
        {"percentage 0 reads as 100", {2, 0, 5, 0, 0, 0, 0}, false, OptimiserTarget::Coverage, 210, 4},
        {"bet count", {1, 100, 12, 1, 0, 0, 0}, false, OptimiserTarget::BetCount, 12, 5},
        {"exact count made", {3, 80, 9, 1, 0, 0, 1}, false, OptimiserTarget::BetCount, 9, 3},
        {"exact count to come", {3, 80, 9, 1, 0, 0, 1}, true, OptimiserTarget::Coverage, 168, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppState state = conditionedState(10, false, c.options);
        state.conditionedSystem = state.totalSystem;
        ProcessOptimisationRequest request;
        request.beforeExactCount = c.beforeExactCount;
        const OptimiserInputs in = processOptimiserInputs(state, request);
        EXPECT_EQ(in.target, c.target);
        EXPECT_EQ(in.minHits, c.minHits);
        EXPECT_EQ(c.target == OptimiserTarget::Coverage ? in.requiredCovered : in.betCount, c.wanted);
    }
}

TEST(ProcessOptimisation, BetterSystemReplacesTheReducedOneAndKeepsTheGuarantee)
{
    for (bool filtered : {false, true}) {
        SCOPED_TRACE(filtered ? "filtered" : "full");
        // "al 3" of 14 numbers by percentage, first cycle only.
        AppState state = conditionedState(14, filtered, ReductionOptions{3, 100, 1, 0, 0, 0, 0});
        reduce(state);
        const int64_t reduced = state.reducedCount;
        const ReductionOptions options = state.reduction;
        ASSERT_EQ(plainCovered(state, 3), state.conditionedCount);

        OptimiserProgress quiet;
        const ProcessOptimisationResult r = runProcessOptimisation(state, repeatable(20000), quiet, {});
        ASSERT_TRUE(r.done()) << r.failure;
        EXPECT_TRUE(r.replaced);
        EXPECT_LT(state.reducedCount, reduced);
        EXPECT_EQ(state.finalSystem.size(), state.reducedCount);
        EXPECT_EQ(plainCovered(state, 3), state.conditionedCount);
        EXPECT_TRUE(allConditioned(state));
        EXPECT_EQ(r.shownReduced, state.reducedCount);
        EXPECT_EQ(r.shownConditioned, state.conditionedCount);
        EXPECT_EQ(r.panel.caption, kPercentagesAfterCaption);
        EXPECT_EQ(r.panel.bets, state.reducedCount);
        EXPECT_EQ(state.reduction, options) << "what the base file saves stays as it was";
    }
}

TEST(ProcessOptimisation, NothingBetterLeavesTheSystemAsItWas)
{
    // "al 2" of 7 numbers: any bet shares five numbers with every other, one bet is the least.
    AppState state = conditionedState(7, false, ReductionOptions{4, 100, 1, 0, 0, 0, 0});
    reduce(state);
    ASSERT_EQ(state.reducedCount, 1);
    const BetList before = state.finalSystem;
    OptimiserProgress quiet;
    const ProcessOptimisationResult r = runProcessOptimisation(state, repeatable(2000), quiet, {});
    EXPECT_TRUE(r.done());
    EXPECT_FALSE(r.replaced);
    EXPECT_EQ(state.reducedCount, 1);
    EXPECT_EQ(std::memcmp(state.finalSystem.data(), before.data(), kBetBytes), 0);
    EXPECT_EQ(r.shownReduced, 1);
}

TEST(ProcessOptimisation, StopKeepsTheBestFoundSoFar)
{
    // 22 numbers "al 3": a search that would use its whole budget.
    AppState state = conditionedState(22, false, ReductionOptions{3, 100, 1, 0, 0, 0, 0});
    reduce(state);
    const int64_t reduced = state.reducedCount;
    StopFlag stop;
    StopAtFirstStatus progress(stop);
    ProcessOptimisationRequest request;
    request.seconds = 60;
    const ProcessOptimisationResult r = runProcessOptimisation(state, request, progress, stop);
    EXPECT_TRUE(r.stopped());
    EXPECT_LE(state.reducedCount, reduced);
    EXPECT_EQ(r.replaced, state.reducedCount < reduced);
    EXPECT_EQ(plainCovered(state, 3), state.conditionedCount);
}

TEST(ProcessOptimisation, ExactCountMadeStaysExact)
{
    // 12 numbers "al 3", exactly 30 bets: more than the guarantee needs, so the search covers
    // everything with fewer and the count is filled up again.
    AppState state = conditionedState(12, false, ReductionOptions{3, 100, 30, 1, 0, 0, 1});
    reduce(state);
    ASSERT_EQ(state.reducedCount, 30);
    OptimiserProgress quiet;
    const ProcessOptimisationResult r = runProcessOptimisation(state, repeatable(5000), quiet, {});
    ASSERT_FALSE(r.failed()) << r.failure;
    EXPECT_TRUE(r.replaced);
    EXPECT_EQ(state.reducedCount, 30);
    EXPECT_EQ(state.finalSystem.size(), 30);
    EXPECT_EQ(plainCovered(state, 3), state.conditionedCount);
    EXPECT_TRUE(allConditioned(state));
}

TEST(ProcessOptimisation, WithoutAReducedSystemItFailsAndChangesNothing)
{
    AppState state = conditionedState(10, false, ReductionOptions{3, 100, 1, 0, 0, 0, 0});
    state.conditionedSystem = state.totalSystem;
    state.conditionedCount = state.conditionedSystem.size();
    state.reducedCount = 0;
    OptimiserProgress quiet;
    const ProcessOptimisationResult r = runProcessOptimisation(state, repeatable(100), quiet, {});
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(r.failure, "no hay un sistema reducido que optimizar");
    EXPECT_EQ(state.reducedCount, 0);
    EXPECT_TRUE(state.finalSystem.empty());
}
