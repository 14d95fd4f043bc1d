#include "flows/process_optimisation.h"

#include <algorithm>
#include <utility>

#include "engine/exact_count.h"
#include "engine/reduction_options.h"

namespace kombitron {

namespace {

bool keepsExactCount(const ReductionOptions& options, const ProcessOptimisationRequest& request)
{
    return options.exactCount == 1 && !request.beforeExactCount;
}

} // namespace

OptimiserInputs processOptimiserInputs(const AppState& state, const ProcessOptimisationRequest& request)
{
    ReductionOptions options = state.reduction;
    clampReductionOptions(options);
    OptimiserInputs in;
    in.baseNumbers = state.base.baseNumbers;
    in.conditioned = state.conditionedSystem;
    in.minHits = reductionType(options.type).minimumHits;
    // An exact count still to come reduces by percentage first, as the reduction does.
    const bool byCount = keepsExactCount(options, request) || (options.byBetCount == 1 && options.exactCount == 0);
    if (byCount) {
        in.target = OptimiserTarget::BetCount;
        in.betCount = options.betCount;
    } else {
        in.target = OptimiserTarget::Coverage;
        in.requiredCovered = requiredCoveredBets(state.conditionedSystem.size(), options.percentage);
    }
    const int64_t reduced = std::min<int64_t>(state.reducedCount, state.finalSystem.size());
    in.start.resize(std::max<int64_t>(reduced, 0));
    if (reduced > 0) std::copy(state.finalSystem.data(), state.finalSystem.data() + reduced * kBetBytes, in.start.data());
    in.seconds = request.seconds;
    in.stepLimit = request.stepLimit;
    in.seed = request.seed;
    in.threads = request.threads;
    return in;
}

ProcessOptimisationResult runProcessOptimisation(AppState& state, const ProcessOptimisationRequest& request,
                                                 OptimiserProgress& progress, const StopToken& stop)
{
    ProcessOptimisationResult result;
    result.shownConditioned = state.conditionedCount;
    result.shownReduced = state.reducedCount;
    if (state.reducedCount <= 0 || state.finalSystem.empty() || state.conditionedSystem.empty()) {
        result.markFailed("no hay un sistema reducido que optimizar");
        return result;
    }
    result.optimiser = runOptimiser(processOptimiserInputs(state, request), progress, stop);
    if (result.optimiser.failed()) {
        result.markFailed(result.optimiser.failure);
        return result;
    }
    if (result.optimiser.stopped()) result.markStopped();
    if (result.optimiser.improved && !result.optimiser.bets.empty()) {
        state.reducedCount = result.optimiser.bets.size();
        state.finalSystem = std::move(result.optimiser.bets);
        result.optimiser.bets = BetList();
        result.replaced = true;
        ReductionOptions options = state.reduction;
        clampReductionOptions(options);
        if (keepsExactCount(options, request) && state.reducedCount < options.betCount) {
            // Adding bets never uncovers one, so the filled system stays better; the player's
            // stop was for the search, not for this.
            Progress quiet;
            AdjustToExactCount(state, quiet, StopToken());
        }
    }
    result.shownReduced = state.reducedCount;
    result.panel = showsPercentagesAfter(result.shownConditioned, result.shownReduced) ? percentagesAfter(state)
                                                                                         : percentagesBefore(state);
    return result;
}

} // namespace kombitron
