#pragma once

#include "filters/filter_common.h"

namespace kombitron {

// Class membership of the four partition filters (numbers 1..49).
bool isLow(int n);       // 1..24
bool isEven(int n);
bool isExterior(int n);  // border of the ticket grid: row 0 or 9, column 0 or 4
bool isSuperior(int n);  // last digit 0..4

// ALTOSBAJOS: eliminates a bet whose count of numbers above 24 is not allowed by `Altos`
// (when in force) or whose count of numbers 1..24 is not allowed by `Bajos` (when in force).
int64_t altosBajosPass(AppState& state, Progress& progress, const StopToken& stop);
// PARESIMPARES: eliminates a bet whose count of even numbers is not allowed.
int64_t paresImparesPass(AppState& state, Progress& progress, const StopToken& stop);
// EXTERIORESINTERIORES: eliminates a bet whose count of exterior numbers is not allowed.
int64_t exterioresInterioresPass(AppState& state, Progress& progress, const StopToken& stop);
// SUPERIORESINFERIORES: eliminates a bet whose count of superior numbers is not allowed.
int64_t superioresInferioresPass(AppState& state, Progress& progress, const StopToken& stop);

} // namespace kombitron
