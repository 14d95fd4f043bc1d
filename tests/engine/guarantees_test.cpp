#include <gtest/gtest.h>

#include <algorithm>

#include "core/format.h"
#include "core/random.h"
#include "engine/guarantees.h"
#include "engine/reduction_reference.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

void expectSameStats(const GuaranteeStats& fast, const ReferenceGuarantees& literal)
{
    EXPECT_EQ(fast.cases, literal.cases);
    EXPECT_EQ(fast.minBets, literal.minBets);
    EXPECT_EQ(fast.maxBets, literal.maxBets);
}

struct Fixture {
    TestSystem system;
    std::vector<Numbers> reduced;
    BetList reducedList;
    GuaranteeInput input() const { return GuaranteeInput{system.base, system.list, reducedList}; }
};

Fixture fixture(uint64_t seed, int n, double keep, bool shuffled, int reducedCount)
{
    Fixture f;
    f.system = randomSystem(seed, n, keep, shuffled);
    Rng rng(seed * 7 + 1);
    f.reduced = randomReduced(rng, f.system.base, reducedCount);
    f.reducedList = betListOf(f.reduced);
    return f;
}

// The stats of a pass that must have completed.
GuaranteeStats pass(const GuaranteePassResult& result)
{
    EXPECT_TRUE(result.done());
    return result.stats;
}

struct StopAtFirstReport : Progress {
    StopFlag* stop = nullptr;
    void report(int64_t, int64_t) override { stop->request(); }
};

} // namespace

TEST(Guarantees, PassMatchesLiteralComparison)
{
    Rng pick(99);
    for (int c = 0; c < 40; ++c) {
        const int n = 6 + static_cast<int>(pick.below(9));
        Fixture f = fixture(300 + c, n, 0.3 + 0.7 * pick.nextDouble(), c % 3 == 0, 1 + static_cast<int>(pick.below(40)));
        SCOPED_TRACE("case " + std::to_string(c) + " n=" + std::to_string(n));
        Progress quiet;
        StopFlag stop;
        for (int q = 1; q <= 6; ++q) {
            const GuaranteePassResult pass = runGuaranteePass(f.input(), GuaranteeScope::Total, q, quiet, stop);
            ASSERT_TRUE(pass.done());
            expectSameStats(pass.stats, referenceGuarantees(qSets(f.system.base, q), f.reduced));
        }
        for (GuaranteeScope scope : {GuaranteeScope::Conditioned, GuaranteeScope::Imported}) {
            const GuaranteePassResult pass = runGuaranteePass(f.input(), scope, 3, quiet, stop);
            ASSERT_TRUE(pass.done());
            EXPECT_EQ(pass.level, 6);
            expectSameStats(pass.stats, referenceGuarantees(conditionedNumbers(f.system), f.reduced));
        }
    }
}

// Wide bases: the whole 49 numbers at q = 3, and a sparse conditioned system over 30 numbers.
TEST(Guarantees, PassMatchesLiteralComparisonOnWideBases)
{
    Progress quiet;
    StopFlag stop;
    Fixture all = fixture(1, 49, 0.00002, false, 25);
    GuaranteeStats stats;
    stats = pass(runGuaranteePass(all.input(), GuaranteeScope::Total, 3, quiet, stop));
    expectSameStats(stats, referenceGuarantees(qSets(all.system.base, 3), all.reduced));
    stats = pass(runGuaranteePass(all.input(), GuaranteeScope::Conditioned, 6, quiet, stop));
    expectSameStats(stats, referenceGuarantees(conditionedNumbers(all.system), all.reduced));
    // Enough outcomes for the work to be shared among threads.
    Fixture many = fixture(3, 26, 1.0, false, 20);
    stats = pass(runGuaranteePass(many.input(), GuaranteeScope::Total, 6, quiet, stop));
    expectSameStats(stats, referenceGuarantees(qSets(many.system.base, 6), many.reduced));
    stats = pass(runGuaranteePass(many.input(), GuaranteeScope::Conditioned, 6, quiet, stop));
    expectSameStats(stats, referenceGuarantees(conditionedNumbers(many.system), many.reduced));
    Fixture thirty = fixture(2, 30, 0.003, true, 60);
    stats = pass(runGuaranteePass(thirty.input(), GuaranteeScope::Conditioned, 6, quiet, stop));
    expectSameStats(stats, referenceGuarantees(conditionedNumbers(thirty.system), thirty.reduced));
}

TEST(Guarantees, EveryConditionedBetReducedGivesAllSixes)
{
    TestSystem s = randomSystem(11, 9, 0.5, false);
    const BetList reduced = betListOf(conditionedNumbers(s));
    Progress quiet;
    StopFlag stop;
    const GuaranteeStats stats = pass(runGuaranteePass(GuaranteeInput{s.base, s.list, reduced}, GuaranteeScope::Conditioned, 6, quiet, stop));
    const int64_t N = static_cast<int64_t>(s.positions.size());
    EXPECT_EQ(stats.cases[6], N);
    EXPECT_EQ(stats.minBets[6][6], 1);
    EXPECT_EQ(stats.maxBets[6][6], 1);
    setNumberFormat({".", ","});
    GuaranteeTable table = publishGuarantees(stats, N, 6);
    EXPECT_EQ(table.percentText[6], "100,000% 6 si 6");
    EXPECT_EQ(table.percentText[0], "100,000% 0 si 6");
    EXPECT_EQ(table.rangeText[6][6], "1-1");
    EXPECT_TRUE(table.rangeText[5][5].empty());
}

TEST(Guarantees, LevelOneClassifiesNumbersByPresence)
{
    const Numbers base{3, 7, 12, 19, 25, 33, 41, 48};
    IndexBetList none;
    const BetList reduced = betListOf({{3, 7, 12, 19, 25, 30}, {1, 3, 33, 40, 44, 45}});
    Progress quiet;
    StopFlag stop;
    const GuaranteeStats stats = pass(runGuaranteePass(GuaranteeInput{base, none, reduced}, GuaranteeScope::Total, 1, quiet, stop));
    EXPECT_EQ(stats.cases[1], 6);  // 3 7 12 19 25 33
    EXPECT_EQ(stats.cases[0], 2);  // 41 48
    EXPECT_EQ(stats.minBets[1][1], 1);
    EXPECT_EQ(stats.maxBets[1][1], 2);  // number 3 is in both
    setNumberFormat({".", ","});
    GuaranteeTable table = publishGuarantees(stats, 8, 1);
    EXPECT_EQ(table.percentText[1], "075,000% 1 si 1");
    EXPECT_EQ(table.percentText[0], "100,000% 0 si 1");
    EXPECT_EQ(guaranteeSummaryText(table), "075,000% 1 si 1  1-2 de 1, 0-1 de 0\r\n"
                                           "100,000% 0 si 1  2-2 de 0\r\n");
}

TEST(Guarantees, StopEndsThePassWithoutResults)
{
    Fixture f = fixture(5, 20, 1.0, false, 30);
    StopFlag stop;
    StopAtFirstReport progress;
    progress.stop = &stop;
    const GuaranteePassResult total = runGuaranteePass(f.input(), GuaranteeScope::Total, 6, progress, stop);
    EXPECT_TRUE(total.stopped());
    EXPECT_EQ(total.stats, GuaranteeStats());
    EXPECT_TRUE(stop.requested()) << "the pass leaves its caller's request alone";
    stop.reset();
    const GuaranteePassResult conditioned = runGuaranteePass(f.input(), GuaranteeScope::Conditioned, 6, progress, stop);
    EXPECT_TRUE(conditioned.stopped());
    EXPECT_EQ(conditioned.stats, GuaranteeStats());
}

TEST(Guarantees, SummaryAndReportLayout)
{
    setNumberFormat({".", ","});
    GuaranteeStats stats;
    stats.cases = {0, 0, 5, 10, 5, 0, 0};
    stats.minBets[4] = {0, 1, 2, 3, 1, 0, 0};
    stats.maxBets[4] = {4, 5, 6, 7, 2, 0, 0};
    stats.minBets[3] = {1, 2, 3, 1, 0, 0, 0};
    stats.maxBets[3] = {11, 12, 13, 3, 0, 0, 0};
    stats.minBets[2] = {10, 4, 1, 0, 0, 0, 0};
    stats.maxBets[2] = {20, 6, 2, 0, 0, 0, 0};
    GuaranteeTable table = publishGuarantees(stats, 20, 4);
    EXPECT_EQ(table.percentText[4], "025,000% 4 si 4");
    EXPECT_EQ(table.percentText[3], "075,000% 3 si 4");
    EXPECT_EQ(table.countText[3], "10");
    EXPECT_EQ(table.rangeText[4][3], "3-7");
    EXPECT_EQ(guaranteeSummaryText(table), "025,000% 4 si 4  1-2 de 4, 3-7 de 3, 2-6 de 2, 1-5 de 1, 0-4 de 0\r\n"
                                           "075,000% 3 si 4  1-3 de 3, 3-13 de 2, 2-12 de 1, 1-11 de 0\r\n"
                                           "100,000% 2 si 4  1-2 de 2, 4-6 de 1, 10-20 de 0\r\n"
                                           "100,000% 1 si 4\r\n"
                                           "100,000% 0 si 4\r\n");
    const std::string report = guaranteeReportText(table);
    const std::string first = report.substr(0, report.find("\r\n"));
    EXPECT_EQ(first, "5         025,000% 4 si 4 " + std::string(26, ' ') + "     1-2          3-7          2-6     "
                     "     1-5          0-4     ");
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 5);
    const std::string last = report.substr(report.rfind("\r\n", report.size() - 3) + 2);
    EXPECT_EQ(last, "0         100,000% 0 si 4 " + std::string(78, ' ') + "\r\n");

    // A text longer than its field is written as spaces.
    table.countText[4] = "12345678901";
    EXPECT_EQ(guaranteeReportText(table).substr(0, 10), std::string(10, ' '));
}

TEST(Guarantees, ExtendedMatchesLiteralShares)
{
    setNumberFormat({".", ","});
    Fixture f = fixture(41, 9, 1.0, false, 4);
    Progress quiet;
    StopFlag stop;
    const ExtendedGuaranteesResult extended = extendedGuarantees(f.input(), quiet, stop);
    EXPECT_TRUE(extended.done());
    const std::string& text = extended.text;
    std::string expected = "DETALLE DE MINI GARANTIAS\r\n";
    for (int i = 2; i <= 6; ++i) {
        const auto sets = qSets(f.system.base, i);
        for (int j = i; j >= 2; --j) {
            int64_t hit = 0;
            for (const auto& s : sets) {
                int best = 0;
                for (const auto& b : f.reduced) {
                    int k = 0;
                    for (uint8_t x : s) k += std::count(b.begin(), b.end(), x) > 0;
                    best = std::max(best, k);
                }
                hit += best >= j;
            }
            expected += formatPercent3(static_cast<double>(hit) * 100.0 / static_cast<double>(sets.size())) + "% " +
                        std::to_string(j) + " si " + std::to_string(i) + " (" + std::to_string(hit) + " Apu.)\r\n";
        }
        expected += "\r\n";
    }
    EXPECT_EQ(text, expected);

    StopAtFirstReport stopper;
    stopper.stop = &stop;
    const ExtendedGuaranteesResult stopped = extendedGuarantees(f.input(), stopper, stop);
    EXPECT_TRUE(stopped.stopped());
    EXPECT_EQ(stopped.text, "Proceso de cálculo de mini garantías detenido");
}
