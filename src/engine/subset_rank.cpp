#include "engine/subset_rank.h"

#include <algorithm>

#include "core/binomial.h"

namespace kombitron::subsets {

uint64_t choose(int a, int b) { return binomialOf(a, b); }

const uint64_t (*binomialRows())[8] { return kBinomial; }

void BitSet::clearAll() { std::fill(words_.begin(), words_.end(), 0); }

Patterns::Patterns()
{
    for (int size = 0; size <= 6; ++size)
        for (int p = 0; p < (1 << size); ++p) of[size][__builtin_popcount(static_cast<unsigned>(p))].push_back(static_cast<uint8_t>(p));
}

const Patterns& patterns()
{
    static const Patterns p;
    return p;
}

} // namespace kombitron::subsets
