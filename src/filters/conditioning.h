#pragma once

#include <cstdint>
#include <string>

#include "core/job.h"
#include "core/state.h"
#include "filters/filter_common.h"

namespace kombitron {

// The FilterPass of the filter at registry position 0..18 (the order of the conditioning pass);
// nullptr for any other position.
FilterPassFunction filterPassAt(int position);

// What a conditioning pass did: how many bets it eliminated. Stopped when a stop request ended
// it; the flags and counts are then partial, and the counts are cleared again.
struct ConditioningResult : JobOutcome {
    int64_t eliminated = 0;
};

// The conditioning pass over state.totalSystem: clears the elimination flags and counts, runs
// the FilterPass of every active filter row in registry order (showing its running label as the
// caption of `progress`), stores each count and gives the total eliminated. A bet is counted by
// the first filter that rejects it. The stop request is read between and inside the passes.
ConditioningResult RunConditioningPass(AppState& state, Progress& progress, const StopToken& stop);

// The text of the elimination report ("Ver Informe Apuestas Eliminadas"), lines ended by CR LF:
// the counters of the last pass and the count of every filter row active now.
std::string buildEliminationReport(const AppState& state);

} // namespace kombitron
