#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "core/random.h"
#include "filters/filter_fixture.h"
#include "filters/related_groups.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {
int countIn(const Six& s, int first, int last)
{
    int c = 0;
    for (int n : s) c += n >= first && n <= last;
    return c;
}

AppState twoRanges(std::initializer_list<HitSet> conditions, int block = 1)
{
    AppState state = enumeratedState(firstNumbers(24));
    GruposRelacionadosParams& p = state.filters.gruposRelacionados;
    p.subgroups[(block - 1) * 6 + 0] = numberRange(1, 10);
    p.subgroups[(block - 1) * 6 + 3] = numberRange(11, 20);
    int slot = 0;
    for (const HitSet& c : conditions) p.conditions[(block - 1) * 6 + slot++] = c;
    return state;
}
} // namespace

TEST(RelatedGroups, OneToOneAssignment)
{
    AppState state = twoRanges({hits({2})});
    runFilter(gruposRelacionadosPass, state);
    for (const Six& s : survivors(state)) EXPECT_TRUE(countIn(s, 1, 10) == 2 || countIn(s, 11, 20) == 2);
    EXPECT_FALSE(survivors(state).empty());

    state = twoRanges({hits({2}), hits({2})}, 60);
    runFilter(gruposRelacionadosPass, state);
    for (const Six& s : survivors(state)) {
        EXPECT_EQ(countIn(s, 1, 10), 2);
        EXPECT_EQ(countIn(s, 11, 20), 2);
    }
    EXPECT_EQ(static_cast<int64_t>(survivors(state).size()), 45 * 45 * combinationCount(4, 2));

    // {0} and {3}: three in one range and none in the other, either way round.
    state = twoRanges({hits({0}), hits({3})});
    runFilter(gruposRelacionadosPass, state);
    bool sawFirst = false, sawSecond = false;
    for (const Six& s : survivors(state)) {
        const int a = countIn(s, 1, 10), b = countIn(s, 11, 20);
        EXPECT_TRUE((a == 3 && b == 0) || (a == 0 && b == 3));
        sawFirst = sawFirst || a == 3;
        sawSecond = sawSecond || b == 3;
    }
    EXPECT_TRUE(sawFirst && sawSecond);

    // More conditions than sub-groups, or none at all: no bet passes the block.
    state = twoRanges({hits({0, 1, 2, 3, 4, 5, 6}), hits({0, 1, 2, 3, 4, 5, 6}), hits({0, 1, 2, 3, 4, 5, 6})});
    EXPECT_EQ(runFilter(gruposRelacionadosPass, state), combinationCount(24, 6));
    state = twoRanges({});
    EXPECT_EQ(runFilter(gruposRelacionadosPass, state), combinationCount(24, 6));
}

TEST(RelatedGroups, SmallAndLargeSystemsAgree)
{
    // A large system works from a table of count combinations, a small one tries each bet.
    AppState large = enumeratedState(firstNumbers(20));
    std::vector<Six> sample;
    for (int64_t i = 1; i <= large.totalSystem.size(); i += 97) sample.push_back(numbersOf(large, i));
    AppState small = betsState(sample);
    for (AppState* s : {&large, &small}) {
        GruposRelacionadosParams& p = s->filters.gruposRelacionados;
        p.subgroups[12] = numberRange(1, 7);
        p.subgroups[13] = numberSet({2, 8, 9, 10, 11});
        p.subgroups[15] = numberRange(12, 20);
        p.conditions[12] = hits({1, 2});
        p.conditions[14] = hits({0, 3});
        runFilter(gruposRelacionadosPass, *s);
    }
    std::vector<Six> expected;
    for (int64_t i = 1; i <= large.totalSystem.size(); i += 97)
        if (alive(large, i)) expected.push_back(numbersOf(large, i));
    EXPECT_EQ(survivors(small), expected);
    EXPECT_FALSE(expected.empty());
    EXPECT_LT(expected.size(), sample.size());
}

TEST(RelatedGroups, AssignmentMatchesEveryPermutation)
{
    Rng rng(11);
    for (int trial = 0; trial < 4000; ++trial) {
        const int m = 1 + static_cast<int>(rng.below(6));
        const int k = m + static_cast<int>(rng.below(7 - m));
        uint8_t acceptable[6];
        for (int i = 0; i < m; ++i) acceptable[i] = static_cast<uint8_t>(rng.below(1 << k) & rng.below(1 << k));
        std::vector<int> slots(static_cast<size_t>(k));
        std::iota(slots.begin(), slots.end(), 0);
        bool brute = false;
        do {
            bool ok = true;
            for (int i = 0; i < m && ok; ++i) ok = (acceptable[i] >> slots[static_cast<size_t>(i)]) & 1;
            brute = brute || ok;
        } while (!brute && std::next_permutation(slots.begin(), slots.end()));
        EXPECT_EQ(conditionsAssignable(acceptable, m), brute) << trial;
    }
}

TEST(RelatedGroups, ClosingChecksAndCompaction)
{
    GruposRelacionadosParams params;
    params.subgroups[6 * 6 + 1] = numberSet({3});
    params.subgroups[6 * 6 + 4] = numberSet({5});
    for (int j : {0, 1, 5}) params.conditions[6 * 6 + j] = hits({1});
    EXPECT_EQ(closeGruposRelacionados(params), "ERROR en GRUPO7 : No puede haber más condiciones que subgrupos activados");
    EXPECT_EQ(params.subgroups[6 * 6 + 1], numberSet({3})); // not compacted on a failure

    params.conditions[6 * 6 + 5] = {};
    params.subgroups[2] = numberSet({40});
    EXPECT_EQ(checkGruposRelacionadosClosing(params),
              "ERROR en GRUPO1 : Si activa un subgrupo, debe de haber al menos una condición marcada");
    params.conditions[4] = hits({0});
    EXPECT_EQ(closeGruposRelacionados(params), "");
    EXPECT_EQ(params.subgroups[0], numberSet({40}));
    EXPECT_EQ(params.subgroups[2], NumberFlags{});
    EXPECT_EQ(params.subgroups[6 * 6 + 0], numberSet({3}));
    EXPECT_EQ(params.subgroups[6 * 6 + 1], numberSet({5}));
    EXPECT_EQ(params.subgroups[6 * 6 + 4], NumberFlags{});
    EXPECT_EQ(params.conditions[4], hits({0})); // conditions keep their slots
}
