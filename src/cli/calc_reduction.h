#pragma once

#include <cstdint>
#include <functional>

#include "core/interaction.h"
#include "core/state.h"

namespace kombitron::cli {

// When the command line stops a reduction run as the stop button would: after `maxCycles`
// counted cycles and/or `seconds` of reduction time (0: no limit).
struct ReductionLimits {
    double maxCycles = 0;
    double seconds = 0;
    // "Optimizar" after the reduction, before the exact-count adjustment: its time budget
    // (0: no optimisation) and the seed of its searches.
    double optimiseSeconds = 0;
    uint64_t optimiseSeed = 1;
};

// The calculation's reduce step as the process window runs it when it opens: one reduction run
// (progress, captions, cycle numbers and improvements on stderr) ended by its limits, then the
// optimiser when asked for (progress on stderr, stopped by the stop request of `ui`, keeping its
// best), then the exact-count adjustment when exactCount is 1 and a cycle was counted (with the
// stop request of `ui`, not the limits'). An unexpected failure of the run is shown as "ERROR: " + description
// and ends the calculation.
std::function<bool(AppState&, Interaction&)> processWindowReduction(const ReductionLimits& limits);

} // namespace kombitron::cli
