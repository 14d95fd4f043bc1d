#include <gtest/gtest.h>

#include <bit>

#include "filters/filter_fixture.h"
#include "filters/homologous_adjacent.h"

using namespace kombitron;
using namespace kombitron::test;

TEST(HomologousAdjacent, HomologousClasses)
{
    struct Case {
        Six bet;
        HitSet allowed;
        bool kept;
    };
    const Case cases[] = {
        {{1, 10, 19, 28, 37, 46}, hits({6}), true},  {{1, 10, 19, 28, 37, 46}, hits({1}), false},
        {{1, 2, 3, 4, 5, 6}, hits({1}), true},       {{1, 2, 3, 4, 5, 6}, hits({2}), false},
        {{1, 2, 3, 10, 11, 12}, hits({2}), true},    {{1, 2, 3, 10, 11, 12}, hits({1}), false},
        {{1, 2, 3, 10, 11, 12}, hits({3}), false},   {{9, 18, 27, 36, 45, 1}, hits({5}), true},
        {{1, 2, 3, 4, 5, 6}, hits({0}), true}, // a class with no number allows count 0
    };
    for (const Case& c : cases) {
        Six sorted = c.bet;
        std::sort(sorted.begin(), sorted.end());
        AppState state = betsState({sorted});
        state.filters.homologos.homologos = c.allowed;
        runFilter(homologosPass, state);
        EXPECT_EQ(alive(state, 1), c.kept) << int(sorted[0]) << " " << hitSetText(c.allowed);
    }
    EXPECT_EQ(homologousClass(45), 9);
    EXPECT_EQ(homologousClass(46), 1);
}

TEST(HomologousAdjacent, TicketAdjacency)
{
    EXPECT_EQ(neighboursOf(1), numberBit(2) | numberBit(10) | numberBit(11) | numberBit(12));
    EXPECT_EQ(neighboursOf(9), numberBit(8) | numberBit(18) | numberBit(19));
    EXPECT_EQ(neighboursOf(10), numberBit(1) | numberBit(11) | numberBit(20) | numberBit(21));
    EXPECT_EQ(neighboursOf(40), numberBit(30) | numberBit(31) | numberBit(41));
    EXPECT_EQ(neighboursOf(49), numberBit(38) | numberBit(39) | numberBit(48));
    NumberMask n24 = 0;
    for (int n : {13, 14, 15, 23, 25, 33, 34, 35}) n24 |= numberBit(n);
    EXPECT_EQ(neighboursOf(24), n24);
    EXPECT_EQ(std::popcount(neighboursOf(11)), 7);
    EXPECT_EQ(std::popcount(neighboursOf(22)), 8);
    EXPECT_EQ(std::popcount(neighboursOf(5)), 5);
    for (auto [a, b] : {std::pair{9, 10}, {10, 19}, {19, 20}}) EXPECT_FALSE(areAdjacent(a, b)) << a << " " << b;
    EXPECT_TRUE(areAdjacent(18, 29));
    EXPECT_TRUE(areAdjacent(12, 1));
    for (int a = 1; a <= 49; ++a)
        for (int b = 1; b <= 49; ++b) EXPECT_EQ(areAdjacent(a, b), areAdjacent(b, a));

    const Six six = {1, 2, 3, 4, 5, 6}, none = {1, 3, 5, 7, 9, 49}, two = {1, 12, 30, 33, 36, 49};
    EXPECT_EQ(adjacentCount(six.data()), 6);
    EXPECT_EQ(adjacentCount(none.data()), 0);
    EXPECT_EQ(adjacentCount(two.data()), 2);
}

TEST(HomologousAdjacent, AdjacentPass)
{
    // The relation is symmetric: no bet has exactly one adjacent number.
    AppState state = enumeratedState(firstNumbers(24));
    state.filters.colindantes.colindantes = hits({1});
    EXPECT_EQ(runFilter(colindantesPass, state), combinationCount(24, 6));

    state = betsState({{1, 2, 3, 4, 5, 6}, {1, 3, 5, 7, 9, 49}, {1, 12, 30, 33, 36, 49}});
    state.filters.colindantes.colindantes = hits({0, 2});
    EXPECT_EQ(runFilter(colindantesPass, state), 1);
    EXPECT_FALSE(alive(state, 1));
}
