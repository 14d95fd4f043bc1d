#pragma once

#include <cstdint>

#include "core/interaction.h"
#include "core/state.h"
#include "engine/process_percentages.h"
#include "engine/reduction.h"

namespace kombitron {

// What one run of the process window leaves to show.
struct ProcessRunResult {
    ReductionResult reduction;          // the reduction run (its bets already moved to finalSystem)
    bool adjusted = false;              // the exact-count adjustment ran
    int64_t shownConditioned = 0;       // the window's conditioned count
    int64_t shownReduced = 0;           // the window's reduced count: the conditioned count until a result
    NumberPercentages before;           // over the conditioned system
    NumberPercentages panel;            // what the panel shows at the end: "after" when the counts differ
};

// One run as the process window does it on opening and on "Calcular": the reduction (with the
// "before" percentages of the conditioned system it prepared), then, when exactCount is 1 and
// a cycle was counted, the exact-count adjustment (its progress through callbacks.progress),
// then the "after" percentages when the shown counts differ. finalSystem and reducedCount are
// left as the run and the adjustment set them.
ProcessRunResult RunProcessCalculation(AppState& state, const ReductionCallbacks& callbacks, StopFlag& stop);

} // namespace kombitron
