#pragma once

#include <cstdint>

#include "core/job.h"
#include "core/state.h"
#include "engine/process_percentages.h"
#include "engine/reduction.h"

namespace kombitron {

// What one run of the process window leaves to show. The run works on the state it is given (a
// window lends its own, see lendState); its figures are the window's.
struct ProcessRunResult : JobOutcome {
    ReductionResult reduction;          // the reduction run (its bets already moved to finalSystem)
    bool adjusted = false;              // the exact-count adjustment ran to its end
    int64_t shownConditioned = 0;       // the window's conditioned count
    int64_t shownReduced = 0;           // the window's reduced count: the conditioned count until a result
    NumberPercentages before;           // over the conditioned system
    NumberPercentages panel;            // what the panel shows at the end: "after" when the counts differ
    // Whether the exact-count adjustment follows: exactCount is 1 and a cycle was counted.
    bool needsExactCount = false;
};

// The first step of a run as the process window does it on opening and on "Calcular": the
// reduction (stoppable, with the "before" percentages of the conditioned system it prepared) and
// the panel to show. When needsExactCount is set the caller runs runProcessExactCount next,
// with a stop request of its own: a stop that ended the cycles must not end the adjustment too.
ProcessRunResult runProcessReduction(AppState& state, ReductionProgress& progress, const StopToken& stop);

// The second step: the exact-count adjustment of finalSystem (its progress through `progress`,
// report(percent, 100)), then the "after" percentages when the shown counts differ. A stop keeps
// the reduced system as the reduction left it; the result is then Stopped.
ProcessRunResult runProcessExactCount(AppState& state, ProcessRunResult run, Progress& progress, const StopToken& stop);

} // namespace kombitron
