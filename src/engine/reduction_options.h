#pragma once

#include "core/state.h"

namespace kombitron {

// Whether a calculation reduces: the reduction row is active and the options ask for more than
// keeping every bet (a type 0, percentage-100 reduction by percentage keeps them all).
bool shouldReduce(const AppState& state);

// A percentage of 0 or above 100 becomes 100 and a bet count below 1 becomes 1, in place.
void clampReductionOptions(ReductionOptions& options);

// Shown when the exact-count option asks for more bets than the conditioned system holds.
inline constexpr const char* kExactCountTooLargeMessage =
    "ERROR: Ha elegido reducir con la opción 'Número Exacto de Apuestas' y dicho número supera el sistema final "
    "condicionado, cambie el número de apuestas pedidas al reducir";

// Whether a reducing calculation must stop before reducing: exactCount is 1 and the conditioned
// system has fewer bets than betCount.
bool exactCountExceedsConditioned(const ReductionOptions& options, int64_t conditionedCount);

} // namespace kombitron
