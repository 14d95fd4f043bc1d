#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/random.h"
#include "filters/figures.h"
#include "filters/filter_fixture.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

// The figure text of a bet from the sizes of its classes, sorted and joined.
std::string figureFromClasses(const Six& bet, const std::function<int(int)>& classOf)
{
    std::vector<int> sizes(64, 0);
    for (int n : bet) ++sizes[classOf(n)];
    std::vector<int> parts;
    for (int s : sizes)
        if (s) parts.push_back(s);
    std::sort(parts.rbegin(), parts.rend());
    std::string text;
    for (int p : parts) text += (text.empty() ? "" : "-") + std::to_string(p);
    return parts.size() == 1 ? text + "-0" : text;
}

int runClass(const Six& bet, int n)
{
    int run = 0; // runs numbered by their first number
    int start = bet[0];
    for (int k = 0; k < 6; ++k) {
        if (k > 0 && bet[k] != bet[k - 1] + 1) start = bet[k];
        if (bet[k] == n) run = start;
    }
    return run;
}

} // namespace

TEST(Figures, FiguresOfSampleBets)
{
    const Six a = {1, 2, 3, 10, 11, 30};
    int longest = 0, sum = 0;
    EXPECT_STREQ(decadeFigureText(decadeFigure(a.data())), "3-2-1");
    EXPECT_STREQ(runFigureText(runFigure(a.data(), longest)), "3-2-1");
    EXPECT_EQ(longest, 3);
    EXPECT_STREQ(lastDigitFigureText(lastDigitFigure(a.data(), sum)), "2-2-1-1");
    EXPECT_EQ(sum, 7);

    const Six b = {9, 10, 11, 12, 13, 14};
    EXPECT_STREQ(runFigureText(runFigure(b.data(), longest)), "6-0");
    EXPECT_EQ(longest, 6);
    EXPECT_STREQ(decadeFigureText(decadeFigure(b.data())), "5-1");

    const Six c = {1, 3, 5, 7, 9, 11};
    EXPECT_STREQ(runFigureText(runFigure(c.data(), longest)), "1-1-1-1-1-1");
    EXPECT_EQ(longest, 1);

    const Six low = {1, 10, 11, 20, 30, 40};
    EXPECT_STREQ(lastDigitFigureText(lastDigitFigure(low.data(), sum)), "4-2");
    EXPECT_EQ(sum, 2);
    const Six high = {9, 19, 29, 39, 48, 49};
    EXPECT_STREQ(lastDigitFigureText(lastDigitFigure(high.data(), sum)), "5-1");
    EXPECT_EQ(sum, 53);
}

TEST(Figures, AgreeWithSortedClassSizes)
{
    Rng rng(7);
    for (int trial = 0; trial < 3000; ++trial) {
        Six bet{};
        std::vector<int> pool = firstNumbers(49);
        for (int k = 0; k < 6; ++k) {
            const auto at = static_cast<size_t>(rng.below(static_cast<int64_t>(pool.size())));
            bet[k] = static_cast<uint8_t>(pool[at]);
            pool.erase(pool.begin() + static_cast<long>(at));
        }
        std::sort(bet.begin(), bet.end());
        int longest = 0, sum = 0;
        SCOPED_TRACE(std::to_string(bet[0]) + " " + std::to_string(bet[5]));
        EXPECT_EQ(decadeFigureText(decadeFigure(bet.data())), figureFromClasses(bet, [](int n) { return n < 10 ? 0 : n / 10; }));
        EXPECT_EQ(lastDigitFigureText(lastDigitFigure(bet.data(), sum)), figureFromClasses(bet, [](int n) { return n % 10; }));
        EXPECT_EQ(runFigureText(runFigure(bet.data(), longest)), figureFromClasses(bet, [&](int n) { return runClass(bet, n); }));
    }
}

TEST(Figures, DecadePass)
{
    // Only "6-0": the bets inside one decade, C(9,6) of 1..9 and C(10,6) of 10..19.
    AppState state = enumeratedState(firstNumbers(20));
    state.filters.decenas.figures[0] = 1;
    runFilter(decenasPass, state);
    EXPECT_EQ(survivors(state).size(), 84u + 210u);

    // The figure passes, then the decade HitSets still apply.
    state = enumeratedState(firstNumbers(20));
    state.filters.decenas.figures[0] = 1;
    state.filters.decenas.decenas[1] = hits({0});
    runFilter(decenasPass, state);
    EXPECT_EQ(survivors(state).size(), 84u);
}

TEST(Figures, RunPass)
{
    // Longest run 1: no two consecutive numbers, C(n-5,6) of them.
    AppState state = enumeratedState(firstNumbers(16));
    state.filters.seguidos.seguidos = hits({1});
    runFilter(seguidosPass, state);
    EXPECT_EQ(static_cast<int64_t>(survivors(state).size()), combinationCount(11, 6));
    for (const Six& s : survivors(state))
        for (int k = 1; k < 6; ++k) EXPECT_NE(s[k], s[k - 1] + 1);

    // An allowed figure does not skip the longest-run condition.
    state = enumeratedState(firstNumbers(16));
    state.filters.seguidos.figures[10] = 1; // 1-1-1-1-1-1
    state.filters.seguidos.figures[9] = 1;  // 2-1-1-1-1
    state.filters.seguidos.seguidos = hits({2});
    runFilter(seguidosPass, state);
    for (const Six& s : survivors(state)) {
        int longest = 0;
        EXPECT_STREQ(runFigureText(runFigure(s.data(), longest)), "2-1-1-1-1");
    }
}

TEST(Figures, LastDigitPass)
{
    AppState state = enumeratedState({5, 10, 15, 20, 25, 30, 35, 40, 45, 49, 11, 22});
    state.filters.terminaciones.terminadosEn[0] = hits({5}); // no five numbers end in 0
    EXPECT_EQ(runFilter(terminacionesPass, state), combinationCount(12, 6));

    // The default sum range 2..53 eliminates nothing; a range above 53 eliminates everything.
    state = enumeratedState(firstNumbers(15));
    EXPECT_EQ(runFilter(terminacionesPass, state), 0);
    state.filters.terminaciones.sumMin = 54;
    state.filters.terminaciones.sumMax = 60;
    EXPECT_EQ(runFilter(terminacionesPass, state), combinationCount(15, 6));

    state = betsState({{1, 10, 11, 20, 30, 40}, {9, 19, 29, 39, 48, 49}, {1, 2, 3, 10, 11, 30}});
    state.filters.terminaciones.figures[0] = 1; // 5-1
    state.filters.terminaciones.figures[1] = 1; // 4-2
    state.filters.terminaciones.sumMin = 3;
    EXPECT_EQ(runFilter(terminacionesPass, state), 2);
    EXPECT_TRUE(alive(state, 2));
}

TEST(Figures, TerminacionesClosingChecks)
{
    TerminacionesParams params;
    TerminacionesFields fields;
    fields.figures[3] = true;
    struct Case {
        const char* minimum;
        const char* maximum;
        const char* message;
    };
    const Case cases[] = {
        {"", "40", "ERROR: el valor de la suma de terminaciones mínima esta en blanco"},
        {"  ", "", "ERROR: el valor de la suma de terminaciones mínima esta en blanco"},
        {"10", " ", "ERROR: el valor de la suma de terminaciones máxima esta en blanco"},
        {"30", "29", "ERROR: la suma de terminaciones máxima debe ser mayor que la mínima"},
    };
    for (const Case& c : cases) {
        fields.sumMinimum = c.minimum;
        fields.sumMaximum = c.maximum;
        EXPECT_EQ(validateAndStoreTerminaciones(params, fields), c.message);
        EXPECT_EQ(params, TerminacionesParams{}); // neither the sums nor the figures are stored
    }
    fields.sumMinimum = "30";
    fields.sumMaximum = "30";
    EXPECT_EQ(validateAndStoreTerminaciones(params, fields), "");
    EXPECT_EQ(params.sumMin, 30);
    EXPECT_EQ(params.sumMax, 30);
    EXPECT_EQ(params.figures[3], 1);
}
