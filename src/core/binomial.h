#pragma once

#include <cstdint>

namespace kombitron {

// The program's one table of binomial coefficients: kBinomial[a][b] = C(a, b) for a = 0..64 and
// b = 0..7, exact, 0 when b > a. Every rank, subset count and coverage bound reads it; rows of
// eight keep a row on one cache line pair for the tight loops.
inline constexpr int kBinomialRows = 65;
inline constexpr int kBinomialColumns = 8;

namespace detail {
struct BinomialTable {
    uint64_t c[kBinomialRows][kBinomialColumns];
    constexpr BinomialTable() : c{}
    {
        for (int a = 0; a < kBinomialRows; ++a)
            for (int b = 0; b < kBinomialColumns; ++b)
                c[a][b] = b == 0 ? 1 : (a == 0 ? 0 : c[a - 1][b - 1] + c[a - 1][b]);
    }
};
inline constexpr BinomialTable kBinomialTable{};
} // namespace detail

inline constexpr const uint64_t (&kBinomial)[kBinomialRows][kBinomialColumns] = detail::kBinomialTable.c;

// C(a, b) from the table; 0 when b < 0, b > a or the pair lies outside the table.
constexpr uint64_t binomialOf(int a, int b)
{
    if (a < 0 || b < 0 || a >= kBinomialRows || b >= kBinomialColumns) return 0;
    return kBinomial[a][b];
}

static_assert(binomialOf(49, 6) == 13983816);

} // namespace kombitron
