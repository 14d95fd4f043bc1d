#include <gtest/gtest.h>

#include "filters/filter_fixture.h"
#include "filters/partition.h"

using namespace kombitron;
using namespace kombitron::test;

TEST(Partition, ClassesOnTheTicket)
{
    EXPECT_TRUE(isLow(24));
    EXPECT_FALSE(isLow(25));
    for (int n : {1, 9, 10, 19, 20, 29, 30, 39, 40, 45, 49}) EXPECT_TRUE(isExterior(n)) << n;
    for (int n : {11, 18, 21, 28, 31, 38}) EXPECT_FALSE(isExterior(n)) << n;
    EXPECT_TRUE(isSuperior(14));
    EXPECT_FALSE(isSuperior(15));
    EXPECT_TRUE(isSuperior(40));
    int exterior = 0, superior = 0;
    for (int n = 1; n <= 49; ++n) {
        exterior += isExterior(n);
        superior += isSuperior(n);
    }
    EXPECT_EQ(exterior, 25);
    EXPECT_EQ(superior, 24);
}

TEST(Partition, CountsOfOneBet)
{
    // 11..16: no exterior number, four superior (11..14); 1..6: six exterior, three even.
    AppState state = betsState({{11, 12, 13, 14, 15, 16}, {1, 2, 3, 4, 5, 6}});
    state.filters.exteriores.exteriores = hits({0});
    EXPECT_EQ(runFilter(exterioresInterioresPass, state), 1);
    EXPECT_TRUE(alive(state, 1));

    state = betsState({{11, 12, 13, 14, 15, 16}, {5, 6, 7, 8, 9, 15}});
    state.filters.superiores.superiores = hits({4});
    EXPECT_EQ(runFilter(superioresInferioresPass, state), 1);
    EXPECT_TRUE(alive(state, 1));

    state = betsState({{11, 12, 13, 14, 15, 16}, {1, 2, 3, 4, 5, 6}});
    state.filters.paresImpares.pares = hits({3});
    EXPECT_EQ(runFilter(paresImparesPass, state), 0);
    state.filters.exteriores.exteriores = hits({6});
    EXPECT_EQ(runFilter(exterioresInterioresPass, state), 1);
    EXPECT_TRUE(alive(state, 2));
}

TEST(Partition, LowAndHigh)
{
    AppState state = enumeratedState({1, 5, 9, 13, 17, 20, 22, 24, 25, 26, 30, 33, 37, 41, 45, 49});
    state.filters.altosBajos.bajos = hits({2});
    state.filters.altosBajos.altos = hits({2});
    EXPECT_EQ(runFilter(altosBajosPass, state), combinationCount(16, 6)); // 2 low and 2 high is never six numbers

    // Three low is three high: both settings keep the C(24,3) x C(25,3) bets.
    AppState lowOnly = enumeratedState(firstNumbers(30));
    lowOnly.filters.altosBajos.bajos = hits({3});
    AppState highOnly = enumeratedState(firstNumbers(30));
    highOnly.filters.altosBajos.altos = hits({3});
    runFilter(altosBajosPass, lowOnly);
    runFilter(altosBajosPass, highOnly);
    EXPECT_EQ(lowOnly.eliminationFlags, highOnly.eliminationFlags);
    EXPECT_EQ(static_cast<int64_t>(survivors(lowOnly).size()), combinationCount(24, 3) * combinationCount(6, 3));
}

TEST(Partition, NothingInForceOrEverythingAllowed)
{
    AppState state = enumeratedState(firstNumbers(12));
    state.eliminationFlags[0] = 1; // a bet an earlier filter took
    const auto before = state.eliminationFlags;
    EXPECT_EQ(runFilter(paresImparesPass, state), 0);
    EXPECT_EQ(runFilter(altosBajosPass, state), 0);
    state.filters.paresImpares.pares = hits({0, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(runFilter(paresImparesPass, state), 0);
    EXPECT_EQ(state.eliminationFlags, before);

    // A pass counts only the bets it eliminates itself, not bet 1 that was already gone.
    state.filters.paresImpares.pares = hits({6});
    const int64_t count = runFilter(paresImparesPass, state);
    EXPECT_EQ(count, combinationCount(12, 6) - 1 - 1); // only 2,4,..,12 has six even numbers
    EXPECT_EQ(survivors(state), (std::vector<Six>{{2, 4, 6, 8, 10, 12}}));

    AppState empty;
    empty.filters.paresImpares.pares = hits({1});
    EXPECT_EQ(runFilter(paresImparesPass, empty), 0);
}
