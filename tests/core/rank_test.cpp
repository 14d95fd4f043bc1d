#include <gtest/gtest.h>

#include <vector>

#include "core/bet.h"
#include "core/rank.h"

using namespace kombitron;

TEST(Rank, KnownRanks)
{
    const struct { uint8_t c[6]; int32_t rank; } cases[] = {
        {{1, 2, 3, 4, 5, 6}, 1},
        {{1, 2, 3, 4, 5, 7}, 2},
        {{1, 2, 3, 4, 6, 7}, 45},
        {{1, 2, 3, 4, 5, 12}, 7},
        {{44, 45, 46, 47, 48, 49}, 13983816},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rank);
        EXPECT_EQ(CombinationRank(c.c), c.rank);
        uint8_t back[6];
        CombinationFromRank(c.rank, back);
        EXPECT_TRUE(std::equal(back, back + 6, c.c));
    }
}

// Walking all combinations in lexicographic order must give ranks 1, 2, 3, ... and unranking
// each must give the combination back.
TEST(Rank, RankAndUnrankAreInverseOverAllCombinations)
{
    uint8_t c[6] = {1, 2, 3, 4, 5, 6};
    int32_t expected = 1;
    int64_t mismatches = 0;
    for (;;) {
        if (CombinationRank(c) != expected) ++mismatches;
        uint8_t back[6];
        CombinationFromRank(expected, back);
        if (!std::equal(back, back + 6, c)) ++mismatches;
        int j = 5;
        while (j >= 0 && c[j] == 49 - (5 - j)) --j;
        if (j < 0) break;
        ++c[j];
        for (int t = j + 1; t < 6; ++t) c[t] = static_cast<uint8_t>(c[t - 1] + 1);
        ++expected;
    }
    EXPECT_EQ(expected, kAllBets);
    EXPECT_EQ(mismatches, 0);
}

TEST(Rank, SmallerGamesUseTheirOwnCounts)
{
    const uint8_t c[3] = {2, 3, 5};  // 3 of 5: 123 124 125 134 135 145 234 235
    EXPECT_EQ(CombinationRank(3, 5, c), 8);
    uint8_t back[3];
    CombinationFromRank(8, 3, 5, back);
    EXPECT_EQ(back[2], 5);
}

TEST(Rank, PresenceTableWalksRanksAscending)
{
    PresenceTable table;
    EXPECT_TRUE(table.insert(13983816));
    EXPECT_TRUE(table.insert(1));
    EXPECT_TRUE(table.insert(64));
    EXPECT_FALSE(table.insert(64));
    std::vector<int32_t> seen;
    table.forEach([&](int32_t r) { seen.push_back(r); });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 64, 13983816}));
    EXPECT_EQ(table.count(), 3);
    table.erase(64);
    EXPECT_FALSE(table.contains(64));
}

TEST(Rank, SortsOrderTheGivenRangeOnly)
{
    uint8_t a[6] = {1, 2, 3, 4, 5, 7}, b[6] = {1, 2, 3, 4, 5, 6};
    std::vector<int32_t> ranks = {CombinationRank(a), CombinationRank(b)};
    SortAscending(ranks, 0, 1);
    EXPECT_EQ(ranks.front(), 1);
    SortDescending(ranks, 0, 1);
    EXPECT_EQ(ranks.back(), 1);

    std::vector<int32_t> list = {9, 5, 5, 1, 7};
    SortAscending(list, 1, 3);
    EXPECT_EQ(list, (std::vector<int32_t>{9, 1, 5, 5, 7}));
    SortDescending(list, 2, 2);  // one element: unchanged
    EXPECT_EQ(list, (std::vector<int32_t>{9, 1, 5, 5, 7}));
}
