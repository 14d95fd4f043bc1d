#pragma once

#include <cstdint>
#include <vector>

#include "core/state.h"

namespace kombitron {

// The random marking: a[i] = i for i = 1..49, then for b = 1..k a[b] swaps with a[floor(49u) + 1]
// for a fresh uniform u of a generator seeded with `seed`; the numbers a[1..k], in that order.
// k is taken within 0..49.
std::vector<uint8_t> randomMarking(int k, uint64_t seed);

// Unmark every number of a grid (index = number) and mark the k numbers of randomMarking.
void markRandomNumbers(NumberFlags& grid, int k, uint64_t seed);

// The main window's random forecast: its number grid marked as above (reintegros untouched),
// then its counters as marking leaves them: initial C(k,6), conditioned = initial, reduced 0.
// The combination has changed, so it counts as not saved.
void markRandomForecast(AppState& state, int k, uint64_t seed);

} // namespace kombitron
