#include "flows/process_run.h"

#include <utility>

#include "engine/exact_count.h"

namespace kombitron {

namespace {

NumberPercentages panelOf(const AppState& state, const ProcessRunResult& run)
{
    return showsPercentagesAfter(run.shownConditioned, run.shownReduced) ? percentagesAfter(state) : run.before;
}

} // namespace

ProcessRunResult runProcessReduction(AppState& state, ReductionProgress& progress, const StopToken& stop)
{
    ProcessRunResult run;
    run.reduction = runReduction(state, progress, stop);
    run.shownConditioned = state.conditionedCount;
    run.before = percentagesBefore(state);
    run.shownReduced = run.reduction.found ? run.reduction.best : state.conditionedCount;
    run.needsExactCount = state.reduction.exactCount == 1 && run.reduction.cyclesDone > 0;
    if (!run.needsExactCount) run.panel = panelOf(state, run);
    progress.report(0, 100);
    return run;
}

ProcessRunResult runProcessExactCount(AppState& state, ProcessRunResult run, Progress& progress, const StopToken& stop)
{
    progress.report(0, 100);
    const JobOutcome adjusted = AdjustToExactCount(state, progress, stop);
    run.needsExactCount = false;
    if (adjusted.stopped()) run.markStopped();
    else {
        run.adjusted = true;
        run.shownReduced = state.reducedCount;
    }
    run.panel = panelOf(state, run);
    progress.report(0, 100);
    return run;
}

} // namespace kombitron
