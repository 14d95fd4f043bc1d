#include <gtest/gtest.h>

#include "filters/filter_fixture.h"
#include "filters/positions.h"

using namespace kombitron;
using namespace kombitron::test;

TEST(Positions, Balls)
{
    AppState state = enumeratedState(firstNumbers(14));
    state.filters.posiciones.allowed[0] = numberSet({1, 2});
    runFilter(posicionesPass, state);
    EXPECT_EQ(static_cast<int64_t>(survivors(state).size()), combinationCount(13, 5) + combinationCount(12, 5));
    for (const Six& s : survivors(state)) EXPECT_LE(s[0], 2);

    const std::vector<int> base = {2, 5, 7, 10, 14, 19, 23, 28, 31, 36, 40, 44, 47, 49};
    state = enumeratedState(base);
    state.filters.posiciones.allowed[5] = numberSet({49});
    runFilter(posicionesPass, state);
    EXPECT_EQ(static_cast<int64_t>(survivors(state).size()), combinationCount(13, 5));

    // Impossible sets are accepted and eliminate everything.
    for (auto [b1, n1, b2, n2] : {std::tuple{1, 5, 2, 5}, std::tuple{0, 40, 1, 10}}) {
        state = enumeratedState(base);
        state.filters.posiciones.allowed[b1] = numberSet({n1});
        state.filters.posiciones.allowed[b2] = numberSet({n2});
        EXPECT_EQ(runFilter(posicionesPass, state), combinationCount(14, 6));
    }

    // A ball holding every base number keeps every bet.
    state = enumeratedState({3, 8, 12, 20, 33, 41, 47});
    state.filters.posiciones.allowed[2] = numberSet({3, 8, 12, 20, 33, 41, 47});
    EXPECT_EQ(runFilter(posicionesPass, state), 0);
}

TEST(Positions, NumbersOutsideTheBaseAreDropped)
{
    PosicionesParams params;
    params.allowed[0] = numberSet({1, 2, 3});
    params.allowed[4] = numberSet({40});
    dropNumbersOutsideBase(params, {2, 3, 9});
    EXPECT_EQ(params.allowed[0], numberSet({2, 3}));
    EXPECT_EQ(params.allowed[4], NumberFlags{});
}
