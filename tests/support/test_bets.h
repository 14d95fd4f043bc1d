#pragma once

#include "core/bet.h"

namespace kombitron::test {

// Every bet of six numbers out of 1..n, in lexicographic order, reintegro 0.
BetList everyBetOf(int n);

} // namespace kombitron::test
