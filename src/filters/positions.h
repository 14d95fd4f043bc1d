#pragma once

#include "filters/filter_common.h"

namespace kombitron {

// POSICIONES: for each ball 1..6 in force (a number allowed), eliminates a bet whose number at
// that position of the ascending bet is not allowed there.
int64_t posicionesPass(AppState& state, Progress& progress, const StopToken& stop);

// Remove from every ball the numbers that are not in the base combination (the window does this
// each time it opens).
void dropNumbersOutsideBase(PosicionesParams& params, const std::vector<uint8_t>& baseNumbers);

} // namespace kombitron
