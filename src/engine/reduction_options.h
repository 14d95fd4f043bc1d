#pragma once

#include "core/state.h"

namespace kombitron {

// Whether a calculation reduces: the reduction row is active and the options ask for more than
// keeping every bet (a type 0, percentage-100 reduction by percentage keeps them all).
bool shouldReduce(const AppState& state);

// A percentage of 0 or above 100 becomes 100 and a bet count below 1 becomes 1, in place.
void clampReductionOptions(ReductionOptions& options);

// The reduction's own caption: "Sin reducción", "Reducción al 5" .. "Reducción al 2".
const char* reductionTypeCaption(int type);

} // namespace kombitron
