#include <gtest/gtest.h>

#include <algorithm>

#include "core/format.h"
#include "core/paths.h"
#include "core/random.h"
#include "engine/holes.h"
#include "engine/reduction_reference.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

// The holes found the plain way: every outcome against every bet.
struct PlainHoles {
    int64_t count = 0;
    std::vector<Hole> listed;
};

PlainHoles plainHoles(const std::vector<Numbers>& outcomes, const std::vector<Numbers>& reduced, int fewerThan,
                      size_t listAtMost = 1000000)
{
    PlainHoles out;
    for (const Numbers& o : outcomes) {
        int best = 0;
        for (const Numbers& b : reduced) {
            int hits = 0;
            for (uint8_t x : o) hits += std::find(b.begin(), b.end(), x) != b.end();
            best = std::max(best, hits);
        }
        if (best >= fewerThan) continue;
        ++out.count;
        if (out.listed.size() >= listAtMost) continue;
        Hole h;
        h.size = static_cast<int>(o.size());
        std::copy(o.begin(), o.end(), h.numbers.begin());
        h.bestHits = best;
        out.listed.push_back(h);
    }
    return out;
}

void expectSameHoles(const HolesResult& fast, const PlainHoles& plain)
{
    EXPECT_EQ(fast.holeCount, plain.count);
    ASSERT_EQ(fast.holes.size(), plain.listed.size());
    for (size_t i = 0; i < plain.listed.size(); ++i) {
        SCOPED_TRACE("hole " + std::to_string(i));
        EXPECT_EQ(fast.holes[i].size, plain.listed[i].size);
        EXPECT_EQ(fast.holes[i].numbers, plain.listed[i].numbers);
        EXPECT_EQ(fast.holes[i].bestHits, plain.listed[i].bestHits);
    }
}

HolesInputs inputsOf(const TestSystem& s, const std::vector<Numbers>& reduced, GuaranteeScope scope, int level, int fewerThan)
{
    HolesInputs in;
    in.baseNumbers = s.base;
    in.conditioned = s.list;
    in.reduced = betListOf(reduced);
    in.scope = scope;
    in.level = level;
    in.fewerThan = fewerThan;
    return in;
}

} // namespace

TEST(Holes, MatchTheirPlainCountOnSmallSystems)
{
    Rng pick(41);
    for (int c = 0; c < 24; ++c) {
        const int n = 6 + static_cast<int>(pick.below(8));
        const TestSystem s = randomSystem(500 + c, n, 0.3 + 0.7 * pick.nextDouble(), c % 3 == 0);
        Rng rng(c * 13 + 5);
        const std::vector<Numbers> reduced = randomReduced(rng, s.base, static_cast<int>(pick.below(12)));
        SCOPED_TRACE("case " + std::to_string(c) + " n=" + std::to_string(n) + " bets=" + std::to_string(reduced.size()));
        Progress quiet;
        for (int fewerThan = 0; fewerThan <= 7; ++fewerThan) {
            SCOPED_TRACE("fewer than " + std::to_string(fewerThan));
            for (int q = 1; q <= 6; ++q) {
                SCOPED_TRACE("q=" + std::to_string(q));
                const HolesResult r = runHoles(inputsOf(s, reduced, GuaranteeScope::Total, q, fewerThan), quiet, StopToken());
                ASSERT_TRUE(r.done()) << r.failure;
                EXPECT_EQ(r.outcomes, combinationCount(n, q));
                expectSameHoles(r, plainHoles(qSets(s.base, q), reduced, fewerThan));
            }
            for (GuaranteeScope scope : {GuaranteeScope::Conditioned, GuaranteeScope::Imported}) {
                const HolesResult r = runHoles(inputsOf(s, reduced, scope, 2, fewerThan), quiet, StopToken());
                ASSERT_TRUE(r.done());
                EXPECT_EQ(r.outcomes, static_cast<int64_t>(s.positions.size()));
                expectSameHoles(r, plainHoles(conditionedNumbers(s), reduced, fewerThan));
            }
        }
    }
}

TEST(Holes, AgreeWithTheGuaranteePass)
{
    // The holes below h are the outcomes of the guarantee classes 0..h-1.
    const TestSystem s = randomSystem(61, 24, 0.2, true);
    Rng rng(8);
    const std::vector<Numbers> reduced = randomReduced(rng, s.base, 40);
    const BetList list = betListOf(reduced);
    Progress quiet;
    StopFlag stop;
    for (GuaranteeScope scope : {GuaranteeScope::Total, GuaranteeScope::Conditioned}) {
        for (int q : {3, 5, 6}) {
            if (scope != GuaranteeScope::Total && q != 6) continue;
            const GuaranteePassResult pass = runGuaranteePass(GuaranteeInput{s.base, s.list, list}, scope, q, quiet, stop);
            ASSERT_TRUE(pass.done());
            const GuaranteeStats& stats = pass.stats;
            int64_t below = 0;
            for (int h = 0; h <= q; ++h) {
                SCOPED_TRACE("scope " + std::to_string(static_cast<int>(scope)) + " q=" + std::to_string(q) + " h=" + std::to_string(h));
                const HolesResult r = runHoles(inputsOf(s, reduced, scope, q, h), quiet, StopToken());
                EXPECT_EQ(r.holeCount, below);
                for (const Hole& hole : r.holes) EXPECT_LT(hole.bestHits, h);
                below += stats.cases[static_cast<size_t>(h)];
            }
        }
    }
}

TEST(Holes, ListAtMostAHundredThousandInOrder)
{
    // 30 numbers and one bet: 593,775 outcomes, most of them sharing fewer than 3 numbers with it.
    const TestSystem s = randomSystem(62, 30, 0.0001, false);
    const std::vector<Numbers> reduced = {{s.base[0], s.base[4], s.base[9], s.base[15], s.base[20], s.base[29]}};
    Progress quiet;
    const HolesResult r = runHoles(inputsOf(s, reduced, GuaranteeScope::Total, 6, 3), quiet, StopToken());
    ASSERT_TRUE(r.done());
    const PlainHoles plain = plainHoles(qSets(s.base, 6), reduced, 3, static_cast<size_t>(kHolesListed));
    // C(24,6) + 6 C(24,5) + 15 C(24,4): no, one or two numbers of the bet.
    EXPECT_EQ(plain.count, 134596 + 6 * 42504 + 15 * 10626);
    EXPECT_EQ(r.outcomes, 593775);
    EXPECT_EQ(static_cast<int64_t>(r.holes.size()), kHolesListed);
    expectSameHoles(r, plain);
}

TEST(Holes, WiderThanTheLevelEverythingIsAHole)
{
    const TestSystem s = randomSystem(63, 9, 1.0, false);
    const std::vector<Numbers> reduced = {{s.base[0], s.base[1], s.base[2], s.base[3], s.base[4], s.base[5]}};
    Progress quiet;
    // Two numbers can never give three hits.
    HolesResult r = runHoles(inputsOf(s, reduced, GuaranteeScope::Total, 2, 3), quiet, StopToken());
    EXPECT_EQ(r.holeCount, 36);
    EXPECT_EQ(r.holes.front().bestHits, 2);
    EXPECT_EQ(r.holes.back().bestHits, 0);
    // Nothing has fewer than no hits.
    r = runHoles(inputsOf(s, reduced, GuaranteeScope::Conditioned, 6, 0), quiet, StopToken());
    EXPECT_TRUE(r.done());
    EXPECT_EQ(r.holeCount, 0);
    EXPECT_EQ(r.outcomes, 84);
    // A level outside 1..6 is 6.
    r = runHoles(inputsOf(s, reduced, GuaranteeScope::Total, 9, 7), quiet, StopToken());
    EXPECT_EQ(r.outcomes, 84);
    EXPECT_EQ(r.holeCount, 84);
}

TEST(Holes, ReportText)
{
    const TestSystem s = randomSystem(64, 8, 1.0, false);
    HolesInputs in = inputsOf(s, {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}}, GuaranteeScope::Total, 6, 3);
    HolesResult r;
    r.outcomes = 1234567;
    r.holeCount = 3;
    r.holes = {Hole{{1, 9, 12, 33, 40, 49}, 6, 2}, Hole{{2, 3, 14, 15, 16, 30}, 6, 1}, Hole{{7, 8, 9, 10, 11, 12}, 6, 0}};
    EXPECT_EQ(holesReportText(r, in),
              "HUECOS DEL SISTEMA REDUCIDO (2 Apuestas)\r\n"
              "Garantías sobre el SISTEMA TOTAL, si 6 Aciertos\r\n"
              "Casos con menos de 3 aciertos en la mejor apuesta: 3 de 1.234.567\r\n"
              "\r\n"
              "01,09,12,33,40,49  2 aciertos\r\n"
              "02,03,14,15,16,30  1 acierto\r\n"
              "07,08,09,10,11,12  0 aciertos\r\n");

    // More holes than listed, three-number outcomes, the conditioned scopes' captions.
    in.level = 3;
    r.holeCount = 123456;
    r.holes = {Hole{{4, 5, 6, 0, 0, 0}, 3, 1}};
    const std::string total = holesReportText(r, in);
    EXPECT_NE(total.find("si 3 Aciertos\r\n"), std::string::npos);
    EXPECT_NE(total.find(": 123.456 de 1.234.567\r\nSe muestran los 1 primeros.\r\n\r\n04,05,06  1 acierto\r\n"), std::string::npos);
    in.scope = GuaranteeScope::Conditioned;
    EXPECT_NE(holesReportText(r, in).find("Garantías sobre el SISTEMA CONDICIONADO, si 6 Aciertos\r\n"), std::string::npos);
    in.scope = GuaranteeScope::Imported;
    EXPECT_NE(holesReportText(r, in).find("Garantías sobre el SISTEMA IMPORTADO, si 6 Aciertos\r\n"), std::string::npos);
}

TEST(Holes, ReportIsWrittenBesideTheOthers)
{
    TempDir dir;
    setApplicationFolder(dir.path().string());
    const TestSystem s = randomSystem(65, 10, 1.0, false);
    const HolesInputs in = inputsOf(s, {{s.base[0], s.base[2], s.base[4], s.base[6], s.base[8], s.base[9]}},
                                    GuaranteeScope::Total, 4, 3);
    Progress quiet;
    const HolesResult r = runHoles(in, quiet, StopToken());
    std::string path, failure;
    ASSERT_TRUE(writeHolesReport(r, in, path, failure)) << failure;
    EXPECT_EQ(path, dir.file(kHolesReportFileName));
    EXPECT_EQ(readFile(path), holesReportText(r, in));
    EXPECT_NE(readFile(path).find("Casos con menos de 3 aciertos en la mejor apuesta: "), std::string::npos);
}

TEST(Holes, StopAndMalformedInput)
{
    const TestSystem s = randomSystem(66, 20, 1.0, false);
    const std::vector<Numbers> reduced = {{s.base[0], s.base[1], s.base[2], s.base[3], s.base[4], s.base[5]}};
    StopFlag stop;
    stop.request();
    Progress quiet;
    HolesResult r = runHoles(inputsOf(s, reduced, GuaranteeScope::Total, 6, 4), quiet, stop);
    EXPECT_TRUE(r.stopped());
    EXPECT_EQ(r.holeCount, 0);
    EXPECT_TRUE(r.holes.empty());
    r = runHoles(inputsOf(s, reduced, GuaranteeScope::Conditioned, 6, 4), quiet, stop);
    EXPECT_TRUE(r.stopped());

    HolesInputs bad = inputsOf(s, reduced, GuaranteeScope::Conditioned, 6, 4);
    bad.conditioned.bet(3)[2] = bad.conditioned.bet(3)[1];
    r = runHoles(bad, quiet, StopToken());
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(r.failure, "el sistema condicionado tiene una apuesta no válida");
}
