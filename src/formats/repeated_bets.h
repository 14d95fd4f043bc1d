#pragma once

#include <cstdint>

#include "core/bet.h"
#include "core/job.h"

namespace kombitron {

// Bets between two progress reports (and stop checks) of the removal of repeated bets.
inline constexpr int64_t kDeduplicationYieldInterval = 5000;

// How many repeated bets a removal dropped; Stopped when a stop request ended it, the list then
// being partly compacted (it should be discarded).
struct RepeatedBetsResult : JobOutcome {
    int64_t repeated = 0;
};

// Keep the first of every repeated bet of `bets`, in file order, through a table indexed by
// combination rank. Every bet must hold six ascending numbers 1..49.
RepeatedBetsResult removeRepeatedBets(BetList& bets, Progress& progress, const StopToken& stop);

} // namespace kombitron
