#pragma once

#include "filters/filter_common.h"

namespace kombitron {

// Homologous class 1..9 of a number 1..49: 9 when n mod 9 = 0, else n mod 9.
int homologousClass(int n);
// Whether two different numbers touch on the ticket grid (row n mod 10, column n div 10),
// horizontally, vertically or diagonally.
bool areAdjacent(int a, int b);
// The numbers 1..49 adjacent to n, as a mask.
NumberMask neighboursOf(int n);
// How many of a bet's six numbers have an adjacent number among the other five.
int adjacentCount(const uint8_t* numbers);

// HOMOLOGOS: keeps a bet when some class 1..9 holds an allowed count of its numbers.
int64_t homologosPass(AppState& state, Progress& progress, const StopToken& stop);
// COLINDANTES: eliminates a bet whose adjacent count is not allowed.
int64_t colindantesPass(AppState& state, Progress& progress, const StopToken& stop);

} // namespace kombitron
