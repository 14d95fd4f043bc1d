#include "core/rank.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>

#include "core/bet.h"
#include "core/binomial.h"

namespace kombitron {

namespace {
int64_t binom(int a, int b) { return static_cast<int64_t>(kBinomial[a][b]); }
} // namespace

int32_t CombinationRank(int k, int n, const uint8_t* c)
{
    int64_t rank = 0;  // the last step adds c(k) - c(k-1), which includes the 1 of the first rank
    int previous = 0;
    for (int i = 1; i < k; ++i) {
        // Sum of C(n - v, k - i) for v = previous+1 .. c(i)-1, by the hockey-stick identity.
        const int r = k - i;
        rank += binom(n - previous, r + 1) - binom(n - c[i - 1] + 1, r + 1);
        previous = c[i - 1];
    }
    rank += c[k - 1] - previous;
    return static_cast<int32_t>(rank);
}

void CombinationFromRank(int32_t rank, int k, int n, uint8_t* c)
{
    int64_t base = 0;
    int previous = 0;
    for (int i = 1; i < k; ++i) {
        int v = previous + 1;
        while (base + binom(n - v, k - i) < rank) {
            base += binom(n - v, k - i);
            ++v;
        }
        c[i - 1] = static_cast<uint8_t>(v);
        previous = v;
    }
    c[k - 1] = static_cast<uint8_t>(previous + (rank - base));
}

PresenceTable::PresenceTable() : bits_(static_cast<size_t>(kAllBets / 64 + 2), 0) {}

void PresenceTable::clear() { std::fill(bits_.begin(), bits_.end(), 0); }

int64_t PresenceTable::count() const
{
    int64_t n = 0;
    for (uint64_t w : bits_) n += std::popcount(w);
    return n;
}

void SortAscending(std::vector<int32_t>& list, int64_t first, int64_t last)
{
    if (first < last) std::sort(list.begin() + first, list.begin() + last + 1);
}

void SortDescending(std::vector<int32_t>& list, int64_t first, int64_t last)
{
    if (first < last) std::sort(list.begin() + first, list.begin() + last + 1, std::greater<int32_t>());
}

} // namespace kombitron
