#include "engine/process_run.h"

#include "engine/exact_count.h"

namespace kombitron {

ProcessRunResult RunProcessCalculation(AppState& state, const ReductionCallbacks& callbacks, StopFlag& stop)
{
    ProcessRunResult run;
    run.reduction = runReduction(state, callbacks, stop);
    run.shownConditioned = state.conditionedCount;
    run.before = PercentagesBefore(state);
    run.shownReduced = run.reduction.found ? run.reduction.best : state.conditionedCount;
    if (state.reduction.exactCount == 1 && run.reduction.cyclesDone > 0) {
        if (callbacks.progress) callbacks.progress(0);
        AdjustToExactCount(state, ExactCountCallbacks{callbacks.progress, callbacks.yield});
        run.adjusted = true;
        run.shownReduced = state.reducedCount;
    }
    run.panel = showsPercentagesAfter(run.shownConditioned, run.shownReduced) ? PercentagesAfter(state) : run.before;
    if (callbacks.progress) callbacks.progress(0);
    return run;
}

} // namespace kombitron
