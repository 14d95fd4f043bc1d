#pragma once

// "Optimizar": the optimiser run on the reduced system a process run left in the state, shared
// by the process window and the command line.

#include <cstdint>

#include "core/job.h"
#include "core/state.h"
#include "engine/optimiser.h"
#include "engine/process_percentages.h"

namespace kombitron {

inline constexpr double kDefaultOptimiserSeconds = 60;

struct ProcessOptimisationRequest {
    double seconds = kDefaultOptimiserSeconds;
    uint64_t seed = 1;
    int threads = 0;                        // 0: one search per core
    int64_t stepLimit = 0;                  // per search (0: only the time budget)
    // The exact-count adjustment has not run yet on this system and follows the optimisation
    // (the command line); otherwise an exact count asked for is kept by the optimisation.
    bool beforeExactCount = false;
};

// The optimiser's inputs for the reduced system of `state` (the first reducedCount bets of
// finalSystem) against its conditioned system, with the target the reduction options ask for:
// by percentage (or with an exact count still to come) at least the share of conditioned bets the
// reduction's stop rule requires; by bet count, or with an exact count already made, at most that
// many bets covering more. The options are read as a run clamps them.
OptimiserInputs processOptimiserInputs(const AppState& state, const ProcessOptimisationRequest& request);

struct ProcessOptimisationResult : JobOutcome {
    OptimiserResult optimiser;
    bool replaced = false;                  // finalSystem now holds the optimised system
    int64_t shownConditioned = 0;
    int64_t shownReduced = 0;
    NumberPercentages panel;                // what the percentages panel shows afterwards
};

// Run the optimiser on the state's reduced system and, only when its result is better, put it in
// finalSystem and reducedCount (numbers, reintegros 0). With an exact count already made, a better
// system that needs fewer bets than asked is filled up to the count again, as the adjustment does.
// A stop keeps the best found so far (the outcome is Stopped; it still replaces when better).
// Fails without touching the state when there is no reduced system or the optimiser fails. The
// base file's options are not changed.
ProcessOptimisationResult runProcessOptimisation(AppState& state, const ProcessOptimisationRequest& request,
                                                 OptimiserProgress& progress, const StopToken& stop);

} // namespace kombitron
