#include <gtest/gtest.h>

#include "core/binomial.h"
#include "core/bet.h"

using namespace kombitron;

// Every entry against the product formula, in 128 bits so that no intermediate value wraps.
TEST(Binomial, TableMatchesTheProductFormula)
{
    for (int a = 0; a < kBinomialRows; ++a)
        for (int b = 0; b < kBinomialColumns; ++b) {
            SCOPED_TRACE(std::to_string(a) + " " + std::to_string(b));
            unsigned __int128 c = b > a ? 0 : 1;
            for (int i = 1; i <= b && b <= a; ++i) c = c * static_cast<unsigned>(a - b + i) / static_cast<unsigned>(i);
            EXPECT_EQ(kBinomial[a][b], static_cast<uint64_t>(c));
            EXPECT_EQ(binomialOf(a, b), static_cast<uint64_t>(c));
        }
    EXPECT_EQ(binomialOf(-1, 0), 0u);
    EXPECT_EQ(binomialOf(65, 1), 0u);
    EXPECT_EQ(binomialOf(10, 8), 0u);
    // The counts shown to the player read the same table inside it and compute beyond it.
    EXPECT_EQ(combinationCount(49, 6), 13983816);
    EXPECT_EQ(combinationCount(70, 3), 54740);
    EXPECT_EQ(combinationCount(5, 6), 0);
}
