#include "engine/subset_rank.h"

#include <algorithm>

#include "core/binomial.h"

namespace kombitron::subsets {

uint64_t choose(int a, int b) { return binomialOf(a, b); }

const uint64_t (*binomialRows())[8] { return kBinomial; }

void BitSet::clearAll() { std::fill(words_.begin(), words_.end(), 0); }

} // namespace kombitron::subsets
