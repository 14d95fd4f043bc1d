#include <gtest/gtest.h>

#include "core/bet.h"

using namespace kombitron;

TEST(Bet, CombinationCountMatchesTheProductFormula)
{
    EXPECT_EQ(combinationCount(49, 6), 13983816);
    EXPECT_EQ(combinationCount(6, 6), 1);
    EXPECT_EQ(combinationCount(7, 6), 7);
    EXPECT_EQ(combinationCount(5, 6), 0);   // five marked numbers give no bet
    EXPECT_EQ(combinationCount(0, 6), 0);
    EXPECT_EQ(combinationCount(4, 2), 6);
    EXPECT_EQ(combinationCount(12, 0), 1);
}

TEST(Bet, ListIsOneFlatBlockWithOneBasedIndices)
{
    BetList list(3);
    for (int64_t i = 1; i <= 3; ++i)
        list.set(i, Bet{{uint8_t(i), 10, 20, 30, 40, 49}, uint8_t(i + 4)});
    EXPECT_EQ(list.data() + 7, list.bet(2));
    EXPECT_EQ(list.at(3, 1), 3);
    EXPECT_EQ(list.at(3, 7), 7);
    BetList copy = list;
    copy.at(1, 1) = 9;
    EXPECT_EQ(list.at(1, 1), 1);
    EXPECT_EQ(betRecordText(list.bet(2)), "02,10,20,30,40,49+06");
    list.truncate(2);
    EXPECT_EQ(list.size(), 2);
}
