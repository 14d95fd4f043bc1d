#include "engine/subset_rank.h"

#include <algorithm>

namespace kombitron::subsets {

namespace {
struct Table {
    uint64_t c[65][8];
    Table()
    {
        for (int a = 0; a <= 64; ++a)
            for (int b = 0; b < 8; ++b)
                c[a][b] = b == 0 ? 1 : (a == 0 ? 0 : c[a - 1][b - 1] + c[a - 1][b]);
    }
};
const Table& table()
{
    static const Table t;
    return t;
}
} // namespace

uint64_t choose(int a, int b)
{
    if (a < 0 || b < 0 || a > 64 || b > 7) return 0;
    return table().c[a][b];
}

const uint64_t (*binomialRows())[8] { return table().c; }

void BitSet::clearAll() { std::fill(words_.begin(), words_.end(), 0); }

} // namespace kombitron::subsets
