#include <gtest/gtest.h>

#include <set>

#include "core/state.h"
#include "tools/random_marking.h"

using namespace kombitron;

TEST(randomMarking, GivesKDifferentNumbersRepeatablyBySeed)
{
    for (int k : {0, 1, 3, 6, 48, 49}) {
        SCOPED_TRACE(k);
        const std::vector<uint8_t> a = randomMarking(k, 12345);
        ASSERT_EQ(a.size(), static_cast<size_t>(k));
        const std::set<uint8_t> distinct(a.begin(), a.end());
        EXPECT_EQ(distinct.size(), a.size());
        for (uint8_t v : a) EXPECT_TRUE(v >= 1 && v <= 49);
        EXPECT_EQ(randomMarking(k, 12345), a);
    }
    EXPECT_NE(randomMarking(6, 1), randomMarking(6, 2));
    // Out of range counts are taken within 0..49.
    EXPECT_TRUE(randomMarking(-4, 1).empty());
    EXPECT_EQ(randomMarking(60, 1).size(), 49u);
}

TEST(randomMarking, EveryNumberCanComeOut)
{
    // Over many seeds the first pick reaches every number, the last one (49) included.
    std::set<uint8_t> seen;
    for (uint64_t seed = 0; seed < 2000; ++seed) seen.insert(randomMarking(1, seed)[0]);
    EXPECT_EQ(seen.size(), 49u);
}

TEST(randomMarking, ForecastReplacesTheGridAndSetsTheCounters)
{
    AppState state;
    ResetStateDefaults(state);
    for (int v : {1, 2, 3, 4, 5, 6, 7, 8}) setNumberMarked(state, v, true);
    setReintegroMarked(state, 4, true);
    state.reducedCount = 28;
    state.savedFlag = true;

    // Three numbers: the earlier marks are gone, the initial counter is 0.
    markRandomForecast(state, 3, 99);
    EXPECT_EQ(markedNumberCount(state), 3);
    for (uint8_t v : randomMarking(3, 99)) EXPECT_TRUE(state.base.markedNumbers[v]);
    EXPECT_EQ(state.initialCount, 0);
    EXPECT_EQ(state.conditionedCount, 0);
    EXPECT_EQ(state.reducedCount, 0);
    EXPECT_TRUE(state.base.markedReintegros[4]);
    // A new combination on the grid: leaving or starting afresh must ask first.
    EXPECT_FALSE(state.savedFlag);

    markRandomForecast(state, 49, 5);
    EXPECT_EQ(state.initialCount, 13983816);
    EXPECT_EQ(state.conditionedCount, 13983816);
}
