#pragma once

#include <array>
#include <string>

#include "filters/filter_common.h"

namespace kombitron {

// Whether valuation condition 1..10 is in force (any of its eight bounds non-zero).
bool valuationInForce(const ValoracionesParams& params, int condition);

// VALORACIONES: for every condition in force, in order, the score of a bet (the sum of its six
// numbers' valuations) must lie in one of the condition's intervals in force.
int64_t valoracionesPass(AppState& state, Progress& progress, const StopToken& stop);

// What the window shows for one condition.
struct ValuationFields {
    std::array<std::string, 4> minimum;
    std::array<std::string, 4> maximum;
    std::array<int, 49> valuations{};   // the item of each list: 0 for "------", else 1..100
};

// Validate and store condition 1..10 (on "+", "-" and closing): a blank bound or a maximum below
// its minimum fails with nothing stored; then the valuations are stored; then an interval in use
// with no valuation, or valuations with no interval in use, fails with the valuations already
// stored; otherwise the bounds are stored. Returns the message ("ERROR GRUPO 1: ...") or "".
std::string validateAndStoreValuation(ValoracionesParams& params, int condition, const ValuationFields& fields);

} // namespace kombitron
