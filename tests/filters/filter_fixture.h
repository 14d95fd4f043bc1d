#pragma once

#include <array>
#include <initializer_list>
#include <vector>

#include "core/state.h"
#include "filters/filter_common.h"

namespace kombitron::test {

using Six = std::array<uint8_t, 6>;

// A state whose base is the given numbers and whose total system is every 6-subset of them.
AppState enumeratedState(const std::vector<int>& numbers);
// A state whose base is 1..49 and whose total system is exactly `bets`, in that order.
AppState betsState(const std::vector<Six>& bets);
// The numbers 1..n.
std::vector<int> firstNumbers(int n);

// The six numbers of bet i (1-based) of the total system.
Six numbersOf(const AppState& state, int64_t i);
// The surviving bets (flag 0), in order.
std::vector<Six> survivors(const AppState& state);
// Whether bet i (1-based) is still alive.
bool alive(const AppState& state, int64_t i);

// Run a pass with a silent progress.
int64_t runFilter(FilterPassFunction pass, AppState& state);

HitSet hits(std::initializer_list<int> counts);
NumberFlags numberSet(std::initializer_list<int> numbers);
NumberFlags numberRange(int first, int last);

} // namespace kombitron::test
