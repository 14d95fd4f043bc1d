#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <set>

#include "core/random.h"
#include "core/rank.h"
#include "engine/exact_count.h"
#include "engine/reduction_reference.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

// The reduced system: the conditioned bets at the given indices, as numbers.
BetList reducedOf(const TestSystem& s, const std::vector<size_t>& picks)
{
    BetList out(static_cast<int64_t>(picks.size()));
    for (size_t i = 0; i < picks.size(); ++i) {
        uint8_t* d = out.bet(static_cast<int64_t>(i) + 1);
        for (int j = 0; j < 6; ++j) d[j] = s.base[s.positions[picks[i]][j] - 1];
        d[6] = 3;
    }
    return out;
}

std::vector<int32_t> ranksOf(const BetList& list)
{
    std::vector<int32_t> out;
    for (int64_t i = 1; i <= list.size(); ++i) out.push_back(CombinationRank(list.bet(i)));
    return out;
}

// The fill-up done literally: a byte per rank, three plain swap passes, a walk.
std::vector<int32_t> literalFill(const TestSystem& s, const BetList& reduced, int64_t want)
{
    std::vector<uint8_t> candidate(static_cast<size_t>(kAllBets) + 1, 1);
    for (const auto& p : s.positions) {
        uint8_t six[6];
        for (int j = 0; j < 6; ++j) six[j] = s.base[p[j] - 1];
        candidate[static_cast<size_t>(CombinationRank(six))] = 0;
    }
    for (int32_t r : ranksOf(reduced)) candidate[static_cast<size_t>(r)] = 1;
    std::vector<int32_t> order(static_cast<size_t>(kAllBets) + 1);
    for (int32_t i = 1; i <= kAllBets; ++i) order[static_cast<size_t>(i)] = i;
    Rng rng;
    rng.reseed(1);
    for (int pass = 0; pass < 3; ++pass)
        for (int64_t j = 1; j <= kAllBets; ++j) {
            int64_t t = static_cast<int64_t>(rng.nextDouble() * static_cast<double>(kAllBets) + 1);
            if (t > kAllBets) t = kAllBets;
            std::swap(order[static_cast<size_t>(j)], order[static_cast<size_t>(t)]);
        }
    std::vector<int32_t> out = ranksOf(reduced);
    for (int64_t p = 1; p <= kAllBets && static_cast<int64_t>(out.size()) < want; ++p)
        if (candidate[static_cast<size_t>(order[static_cast<size_t>(p)])] == 0) out.push_back(order[static_cast<size_t>(p)]);
    return out;
}

// Percentages reported by the adjustment.
class PercentRecorder : public Progress {
public:
    void report(int64_t done, int64_t) override { percents.push_back(static_cast<int>(done)); }
    std::vector<int> percents;
};

// The adjusted list of a run that must end by itself.
BetList adjust(const BetList& reduced, const TestSystem& s, int64_t want, Progress& progress)
{
    ExactCountResult r = AdjustToExactCount(ExactCountInput{reduced, s.list, s.base, want}, progress, {});
    EXPECT_TRUE(r.done());
    return std::move(r.bets);
}

BetList adjust(const BetList& reduced, const TestSystem& s, int64_t want)
{
    Progress quiet;
    return adjust(reduced, s, want, quiet);
}

} // namespace

TEST(ExactCount, TruncatesOrKeeps)
{
    TestSystem s = randomSystem(3, 10, 1.0, false);
    std::vector<size_t> picks;
    for (size_t i = 0; i < 10; ++i) picks.push_back(i * 7);
    const BetList reduced = reducedOf(s, picks);

    BetList same = adjust(reduced, s, 10);
    EXPECT_EQ(ranksOf(same), ranksOf(reduced));

    BetList cut = adjust(reduced, s, 7);
    ASSERT_EQ(cut.size(), 7);
    auto all = ranksOf(reduced);
    EXPECT_EQ(ranksOf(cut), std::vector<int32_t>(all.begin(), all.begin() + 7));
    for (int64_t i = 1; i <= 7; ++i) EXPECT_EQ(cut.at(i, 7), 0);
}

TEST(ExactCount, FillsWithTheMissingConditionedBets)
{
    TestSystem all = randomSystem(4, 9, 1.0, false);
    TestSystem five = systemOf(all.base, {all.positions[2], all.positions[10], all.positions[20], all.positions[40],
                                          all.positions[80]});
    const BetList reduced = reducedOf(five, {3, 0, 2});
    BetList out = adjust(reduced, five, 5);
    ASSERT_EQ(out.size(), 5);
    auto ranks = ranksOf(out);
    EXPECT_EQ(std::vector<int32_t>(ranks.begin(), ranks.begin() + 3), ranksOf(reduced));
    std::set<int32_t> added(ranks.begin() + 3, ranks.end());
    std::set<int32_t> missing;
    for (int32_t r : ranksOf(reducedOf(five, {1, 4}))) missing.insert(r);
    EXPECT_EQ(added, missing);
    for (int64_t i = 1; i <= 5; ++i) EXPECT_EQ(out.at(i, 7), 0);
}

// Heavier (two full shuffles of every rank each): the fast fill-up against the literal one,
// and its repeatability.
TEST(ExactCount, RepeatableAndSameAsLiteralFill)
{
    TestSystem s = randomSystem(5, 14, 0.4, true);
    std::vector<size_t> picks;
    for (size_t i = 0; i < s.positions.size(); i += 9) picks.push_back(i);
    const BetList reduced = reducedOf(s, picks);
    const int64_t want = static_cast<int64_t>(picks.size()) + 300;
    PercentRecorder recorder;
    BetList a = adjust(reduced, s, want, recorder);
    const std::vector<int>& progress = recorder.percents;
    ASSERT_EQ(a.size(), want);
    EXPECT_EQ(ranksOf(a), literalFill(s, reduced, want));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(*std::max_element(progress.begin(), progress.end()), 99);
    BetList b = adjust(reduced, s, want);
    EXPECT_EQ(ranksOf(a), ranksOf(b));
}

TEST(ExactCount, TooFewConditionedBetsGivesAllOfThem)
{
    TestSystem all = randomSystem(6, 8, 1.0, false);
    TestSystem three = systemOf(all.base, {all.positions[0], all.positions[5], all.positions[9]});
    BetList out = adjust(reducedOf(three, {1}), three, 6);
    EXPECT_EQ(out.size(), 3);
}

TEST(ExactCount, OnStateUsesBetCountAndSetsReducedCount)
{
    TestSystem s = randomSystem(7, 10, 1.0, false);
    AppState state;
    state.base.baseNumbers = s.base;
    state.conditionedSystem = s.list;
    state.finalSystem = reducedOf(s, {4, 8, 15, 16, 23, 42});
    state.reducedCount = 6;
    state.reduction.betCount = 4;
    Progress quiet;
    EXPECT_TRUE(AdjustToExactCount(state, quiet, {}).done());
    EXPECT_EQ(state.reducedCount, 4);
    EXPECT_EQ(state.finalSystem.size(), 4);
}

// A stop ends the fill-up without a list, and the state keeps the system it had.
TEST(ExactCount, AStopKeepsTheReducedSystem)
{
    TestSystem s = randomSystem(8, 10, 1.0, false);
    AppState state;
    state.base.baseNumbers = s.base;
    state.conditionedSystem = s.list;
    state.finalSystem = reducedOf(s, {1, 2, 3});
    state.reducedCount = 3;
    state.reduction.betCount = 20;
    StopFlag stop;
    stop.request();
    Progress quiet;
    const ExactCountResult direct =
        AdjustToExactCount(ExactCountInput{state.finalSystem, s.list, s.base, 20}, quiet, stop);
    EXPECT_TRUE(direct.stopped());
    EXPECT_TRUE(direct.bets.empty());
    EXPECT_TRUE(AdjustToExactCount(state, quiet, stop).stopped());
    EXPECT_EQ(state.reducedCount, 3);
    EXPECT_EQ(state.finalSystem.size(), 3);
    EXPECT_TRUE(stop.requested());
    // Cutting a longer system needs no walk and ends at once, stop or not.
    state.reduction.betCount = 2;
    EXPECT_TRUE(AdjustToExactCount(state, quiet, stop).done());
    EXPECT_EQ(state.reducedCount, 2);
}
