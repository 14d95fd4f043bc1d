#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/bet.h"
#include "core/state.h"

namespace kombitron {

// Progress (0..100) and the points where the fill-up gives way; both may be empty.
struct ExactCountCallbacks {
    std::function<void(int percent)> progress;
    std::function<void()> yield;
};

// The reduced system made exactly `betCount` bets long: its first betCount bets when it is
// longer; when shorter, followed by conditioned bets not in it, taken in a fixed pseudo-random
// order of all 13,983,816 combinations (the generator reset and seeded with 1), so the same
// systems always get the same added bets. Numbers only, reintegros 0. When the conditioned
// system has too few bets left, every one of them is added and the result is shorter.
BetList AdjustToExactCount(const BetList& reduced, const IndexBetList& conditioned,
                           const std::vector<uint8_t>& baseNumbers, int64_t betCount,
                           const ExactCountCallbacks& callbacks = {});

// The same on the program state: finalSystem (its first reducedCount bets) is replaced by the
// adjusted list and reducedCount set to its length; nothing changes when they already match
// state.reduction.betCount.
void AdjustToExactCount(AppState& state, const ExactCountCallbacks& callbacks = {});

} // namespace kombitron
