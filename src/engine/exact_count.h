#pragma once

#include <cstdint>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "core/state.h"

namespace kombitron {

// What the exact-count adjustment reads: the reduced system (numbers), the conditioned system
// (base positions) with its base numbers, and the number of bets wanted.
struct ExactCountInput {
    const BetList& reduced;
    const IndexBetList& conditioned;
    const std::vector<uint8_t>& baseNumbers;
    int64_t betCount = 0;
};

// The adjusted system; Stopped (with no bets) when a stop request ended the adjustment.
struct ExactCountResult : JobOutcome {
    BetList bets;
};

// The reduced system made exactly `betCount` bets long: its first betCount bets when it is
// longer; when shorter, followed by conditioned bets not in it, taken in a fixed pseudo-random
// order of all 13,983,816 combinations (the generator reset and seeded with 1), so the same
// systems always get the same added bets. Numbers only, reintegros 0. When the conditioned
// system has too few bets left, every one of them is added and the result is shorter.
// Progress goes as report(percent, 100); the stop request is read every 50,000 shuffled and
// every 10,000 walked positions.
ExactCountResult AdjustToExactCount(const ExactCountInput& input, Progress& progress, const StopToken& stop);

// The same on the state a job works on: finalSystem (its first reducedCount bets) is replaced by
// the adjusted list and reducedCount set to its length; nothing changes when they already match
// state.reduction.betCount, nor when the adjustment is stopped.
JobOutcome AdjustToExactCount(AppState& state, Progress& progress, const StopToken& stop);

} // namespace kombitron
