#include <gtest/gtest.h>

#include "engine/generation.h"
#include "flows/process_run.h"

using namespace kombitron;

namespace {

AppState generatedState(std::initializer_list<int> numbers, double eliminate)
{
    AppState state;
    for (int v : numbers) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    const int64_t total = EnumerateSubsets(state, 6);
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);
    for (int64_t i = 0; i < total; ++i) state.eliminationFlags[static_cast<size_t>(i)] = (i * 7919 % 100) < eliminate * 100;
    state.noBetEliminated = eliminate == 0;
    return state;
}

// Stops the run at the first point where it gives way.
class StopAtOnce : public ReductionProgress {
public:
    explicit StopAtOnce(StopFlag& stop) : stop_(stop) {}
    void report(int64_t, int64_t) override { stop_.request(); }

private:
    StopFlag& stop_;
};

// Requests a stop once `cycles` cycles were counted.
class StopAfterCycles : public ReductionProgress {
public:
    StopAfterCycles(StopFlag& stop, double cycles) : stop_(stop), cycles_(cycles) {}
    void cycleDone(double done) override
    {
        if (done >= cycles_) stop_.request();
    }

private:
    StopFlag& stop_;
    double cycles_;
};

} // namespace

TEST(ProcessRun, ExactCountAfterACountedCycle)
{
    AppState state = generatedState({1, 5, 9, 13, 17, 21, 25, 29, 33, 37}, 0.3);
    state.reduction.type = 1;
    state.reduction.byBetCount = 1;
    state.reduction.betCount = 3;  // fewer than a full cover needs: the result is cut
    state.reduction.exactCount = 1;
    state.reduction.cycles = 0;
    ReductionProgress quiet;
    ProcessRunResult run = runProcessReduction(state, quiet, {});
    ASSERT_TRUE(run.reduction.found);
    EXPECT_TRUE(run.reduction.done());
    EXPECT_EQ(run.reduction.cyclesDone, 1);
    ASSERT_TRUE(run.needsExactCount);
    EXPECT_FALSE(run.adjusted);
    EXPECT_GT(run.reduction.best, 3);
    EXPECT_EQ(state.reducedCount, run.reduction.best);

    Progress plain;
    run = runProcessExactCount(state, std::move(run), plain, {});
    EXPECT_TRUE(run.done());
    EXPECT_TRUE(run.adjusted);
    EXPECT_FALSE(run.needsExactCount);
    EXPECT_EQ(state.reducedCount, 3);
    EXPECT_EQ(state.finalSystem.size(), 3);
    EXPECT_EQ(run.shownReduced, 3);
    EXPECT_EQ(run.panel.caption, "Porcentajes DESPUES de reducir");
    EXPECT_EQ(run.panel.bets, 3);
    EXPECT_EQ(run.before.bets, state.conditionedCount);
}

TEST(ProcessRun, StopBeforeTheFirstCycleKeepsTheConditionedFigures)
{
    AppState state = generatedState({2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24}, 0.1);
    state.reduction.type = 1;
    state.reduction.exactCount = 1;
    state.reduction.byBetCount = 1;
    state.reduction.betCount = 5;
    state.reducedCount = 0;
    StopFlag stop;
    StopAtOnce stopper(stop);  // stops the coverage analysis at its first yield
    const ProcessRunResult run = runProcessReduction(state, stopper, stop);
    EXPECT_TRUE(run.reduction.stopped());
    EXPECT_FALSE(run.reduction.found);
    EXPECT_FALSE(run.needsExactCount);
    EXPECT_EQ(state.reducedCount, 0);
    EXPECT_EQ(run.shownReduced, run.shownConditioned);
    EXPECT_EQ(run.panel.caption, "Porcentajes ANTES de reducir");
}

// With cycles on, only a stop ends the run; the exact count follows it with a request of its own,
// and a stop of that adjustment keeps the reduced system as the cycles left it.
TEST(ProcessRun, TheExactCountHasItsOwnStop)
{
    AppState state = generatedState({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0.2);
    state.reduction.type = 2;
    state.reduction.exactCount = 1;
    state.reduction.byBetCount = 1;
    state.reduction.betCount = 40;
    state.reduction.cycles = 1;
    StopFlag cycles;
    StopAfterCycles twice(cycles, 2);
    ProcessRunResult run = runProcessReduction(state, twice, cycles);
    EXPECT_TRUE(run.reduction.stopped());
    EXPECT_EQ(run.reduction.cyclesDone, 2);
    ASSERT_TRUE(run.needsExactCount);
    const int64_t reduced = state.reducedCount;
    const BetList kept = state.finalSystem;

    AppState stoppedState = state;
    StopFlag closing;
    closing.request();
    Progress plain;
    const ProcessRunResult stopped = runProcessExactCount(stoppedState, run, plain, closing);
    EXPECT_TRUE(stopped.stopped());
    EXPECT_FALSE(stopped.adjusted);
    EXPECT_EQ(stoppedState.reducedCount, reduced);
    EXPECT_EQ(stoppedState.finalSystem.size(), kept.size());
    EXPECT_EQ(stopped.shownReduced, run.shownReduced);

    const ProcessRunResult adjusted = runProcessExactCount(state, run, plain, {});
    EXPECT_TRUE(adjusted.done());
    EXPECT_EQ(state.reducedCount, 40);
    EXPECT_EQ(adjusted.shownReduced, 40);
}
