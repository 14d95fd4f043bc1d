#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "filters/filter_fixture.h"
#include "filters/previous_draws.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

DrawRecord draw(Six numbers, int season, int number, int weekday = 4)
{
    DrawRecord d;
    std::copy(numbers.begin(), numbers.end(), d.numbers);
    d.season = static_cast<int16_t>(season);
    d.drawNumber = static_cast<uint16_t>(number);
    d.weekday = static_cast<uint8_t>(weekday);
    return d;
}

PreviousDrawsGroup group(HitSet hit, int minimum, int maximum, DrawRef from = {1, 1985}, DrawRef to = {999, 2100})
{
    PreviousDrawsGroup g;
    g.acertarEN = hit;
    g.aciertosMinimoSORTEOS = minimum;
    g.aciertosMaximoSORTEOS = maximum;
    g.sorteoDESDE = from;
    g.sorteoHASTA = to;
    return g;
}

Six randomSix(Rng& rng)
{
    std::vector<int> pool = firstNumbers(49);
    Six s{};
    for (int k = 0; k < 6; ++k) {
        const auto at = static_cast<size_t>(rng.below(static_cast<int64_t>(pool.size())));
        s[k] = static_cast<uint8_t>(pool[at]);
        pool.erase(pool.begin() + static_cast<long>(at));
    }
    std::sort(s.begin(), s.end());
    return s;
}

// The pass as a plain scan of every selected draw for every bet.
std::vector<uint8_t> plainScan(const AppState& state)
{
    std::vector<uint8_t> flags = state.eliminationFlags;
    const SorteosAnterioresParams& p = state.filters.sorteosAnteriores;
    if (p.draws.empty()) return flags;
    for (const PreviousDrawsGroup& g : p.groups) {
        if (!g.acertarEN.any()) continue;
        for (int64_t i = 1; i <= state.totalSystem.size(); ++i) {
            if (flags[i - 1]) continue;
            const Six bet = numbersOf(state, i);
            int64_t q = 0;
            for (const DrawRecord& d : p.draws) {
                if (!drawSelected(d, g.sorteoDESDE, g.sorteoHASTA, g.sorteoDIAS)) continue;
                int h = 0;
                for (uint8_t n : d.numbers) h += std::count(bet.begin(), bet.end(), n) > 0;
                if (g.acertarEN.has(h) && ++q > g.aciertosMaximoSORTEOS) break;
            }
            if (q < g.aciertosMinimoSORTEOS || q > g.aciertosMaximoSORTEOS) flags[i - 1] = 1;
        }
    }
    return flags;
}

} // namespace

TEST(PreviousDraws, Consequences)
{
    const std::vector<DrawRecord> draws = {draw({1, 2, 3, 4, 5, 6}, 2020, 1), draw({7, 8, 9, 10, 11, 12}, 2020, 2, 6),
                                           draw({1, 2, 3, 4, 5, 7}, 2021, 1)};
    // No draws loaded: nothing happens whatever the groups say.
    AppState state = enumeratedState(firstNumbers(12));
    state.filters.sorteosAnteriores.groups[0] = group(hits({0}), 5, 5);
    EXPECT_EQ(runFilter(sorteosAnterioresPass, state), 0);

    // {6}, 0..0: the past winning combinations go.
    state.filters.sorteosAnteriores.draws = draws;
    state.filters.sorteosAnteriores.groups[0] = group(hits({6}), 0, 0);
    EXPECT_EQ(runFilter(sorteosAnterioresPass, state), 3);
    EXPECT_FALSE(alive(state, 1));

    // {0} in every selected draw: only bets sharing no number with any draw.
    state = enumeratedState(firstNumbers(18));
    state.filters.sorteosAnteriores.draws = draws;
    state.filters.sorteosAnteriores.groups[3] = group(hits({0}), 3, 10);
    runFilter(sorteosAnterioresPass, state);
    EXPECT_EQ(survivors(state), (std::vector<Six>{{13, 14, 15, 16, 17, 18}}));

    // A range selecting nothing with a minimum of 1 eliminates everything left.
    state = enumeratedState(firstNumbers(8));
    state.filters.sorteosAnteriores.draws = draws;
    state.eliminationFlags[2] = 1;
    state.filters.sorteosAnteriores.groups[0] = group(hits({1}), 1, 9, {1, 1990}, {9, 1990});
    EXPECT_EQ(runFilter(sorteosAnterioresPass, state), 27);

    // Thursday only (code 4): draw 2 (Saturday) does not count.
    state = enumeratedState(firstNumbers(12));
    state.filters.sorteosAnteriores.draws = draws;
    state.filters.sorteosAnteriores.groups[0] = group(hits({6}), 1, 1);
    state.filters.sorteosAnteriores.groups[0].sorteoDIAS = 4;
    EXPECT_EQ(runFilter(sorteosAnterioresPass, state), combinationCount(12, 6) - 2);

    // Two groups: the count is the sum, each bet counted once.
    state = enumeratedState(firstNumbers(12));
    state.filters.sorteosAnteriores.draws = draws;
    state.filters.sorteosAnteriores.groups[0] = group(hits({6}), 0, 0);
    state.filters.sorteosAnteriores.groups[1] = group(hits({5, 6}), 0, 0, {1, 2021}, {1, 2021});
    // group 2: 37 bets hold five or six of 1,2,3,4,5,7; two of them went with group 1
    EXPECT_EQ(runFilter(sorteosAnterioresPass, state), 3 + 35);
}

TEST(PreviousDraws, SelectionComparesSeasonFirst)
{
    const DrawRecord d = draw({1, 2, 3, 4, 5, 6}, 2020, 50);
    EXPECT_TRUE(drawSelected(d, {60, 2019}, {10, 2021}, 0));
    EXPECT_FALSE(drawSelected(d, {51, 2020}, {10, 2021}, 0));
    EXPECT_TRUE(drawSelected(d, {50, 2020}, {50, 2020}, 4));
    EXPECT_FALSE(drawSelected(d, {50, 2020}, {50, 2020}, 5));
}

TEST(PreviousDraws, FastPassMatchesPlainScan)
{
    Rng rng(2024);
    for (int trial = 0; trial < 12; ++trial) {
        SCOPED_TRACE(trial);
        std::vector<Six> bets;
        for (int i = 0; i < 1500; ++i) bets.push_back(randomSix(rng));
        // Random bets, or a whole system in order, where neighbouring bets share their first numbers.
        std::vector<int> base;
        for (int n = 1; n <= 49; ++n)
            if (rng.below(3) == 0 && base.size() < 14) base.push_back(n);
        AppState state = trial % 2 == 0 || base.size() < 6 ? betsState(bets) : enumeratedState(base);
        auto& p = state.filters.sorteosAnteriores;
        const int drawCount = 20 + static_cast<int>(rng.below(300));
        for (int i = 0; i < drawCount; ++i) {
            Six s = randomSix(rng);
            // now and then a draw close to a bet, a repeated draw or a malformed one
            if (rng.below(10) == 0) s = bets[static_cast<size_t>(rng.below(1500))];
            if (rng.below(40) == 0) s[static_cast<size_t>(rng.below(6))] = static_cast<uint8_t>(rng.below(2) ? 0 : s[0]);
            for (int k = 5; k > 0; --k) std::swap(s[static_cast<size_t>(k)], s[static_cast<size_t>(rng.below(k + 1))]);
            p.draws.push_back(draw(s, 2000 + i / 100, 1 + i % 100, 1 + static_cast<int>(rng.below(7))));
        }
        for (int g = 0; g < 3; ++g) {
            PreviousDrawsGroup& group = p.groups[static_cast<size_t>(rng.below(20))];
            for (auto& f : group.acertarEN.flags) f = rng.below(3) == 0;
            group.aciertosMinimoSORTEOS = static_cast<int32_t>(rng.below(4));
            group.aciertosMaximoSORTEOS = group.aciertosMinimoSORTEOS + static_cast<int32_t>(rng.below(40));
            group.sorteoDESDE = {static_cast<uint16_t>(rng.below(100)), static_cast<int16_t>(2000 + rng.below(2))};
            group.sorteoHASTA = {static_cast<uint16_t>(rng.below(100)), static_cast<int16_t>(2001 + rng.below(3))};
            group.sorteoDIAS = static_cast<int16_t>(rng.below(3) == 0 ? rng.below(8) : 0);
        }
        const std::vector<uint8_t> expected = plainScan(state);
        const int64_t count = runFilter(sorteosAnterioresPass, state);
        EXPECT_EQ(state.eliminationFlags, expected);
        EXPECT_EQ(count, std::count(expected.begin(), expected.end(), 1));
    }
}

TEST(PreviousDraws, LeavingAGroup)
{
    SorteosAnterioresParams params;
    PreviousDrawsFields fields{10, 2020, 5, 2021, 4, "", " "};
    // A group with no hit count chosen is stored without checks, blanks as 0.
    EXPECT_EQ(validateAndStorePreviousDrawsGroup(params, 2, fields), "");
    EXPECT_EQ(fields.minimum, "0");
    EXPECT_EQ(fields.maximum, "0");
    EXPECT_EQ(params.groups[1].sorteoDESDE, (DrawRef{10, 2020}));
    EXPECT_EQ(params.groups[1].sorteoDIAS, 4);

    params.groups[2].acertarEN = hits({3});
    fields = {50, 2020, 10, 2021, 0, "1", "5"};
    EXPECT_EQ(validateAndStorePreviousDrawsGroup(params, 3, fields),
              "ERROR en GRUPO 3: El número de sorteo inicial es mayor que el final");
    fields = {1, 2021, 10, 2020, 0, "1", "5"};
    EXPECT_EQ(validateAndStorePreviousDrawsGroup(params, 3, fields),
              "ERROR en GRUPO 3: El número de año inicial es mayor que el final");
    fields = {1, 2020, 10, 2021, 0, "6", "5"};
    EXPECT_EQ(validateAndStorePreviousDrawsGroup(params, 3, fields),
              "ERROR en GRUPO 3: El condición de mínimo de sorteos es mayor que el máximo de sorteos");
    fields = {1, 2020, 10, 2021, 0, "1", "5"};
    EXPECT_EQ(validateAndStorePreviousDrawsGroup(params, 3, fields),
              "ERROR en GRUPO 3: No se ha cargado el fichero general de sorteos");
    EXPECT_EQ(params.groups[2].aciertosMaximoSORTEOS, 0); // nothing stored
    params.draws.push_back(draw({1, 2, 3, 4, 5, 6}, 2020, 1));
    EXPECT_EQ(validateAndStorePreviousDrawsGroup(params, 3, fields), "");
    EXPECT_EQ(params.groups[2].aciertosMinimoSORTEOS, 1);
    EXPECT_EQ(params.groups[2].aciertosMaximoSORTEOS, 5);
    EXPECT_EQ(params.groups[2].sorteoHASTA, (DrawRef{10, 2021}));
}
