#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/format.h"
#include "core/random.h"
#include "core/rank.h"
#include "support/test_paths.h"
#include "tools/algebra.h"
#include "tools/tools_support.h"

using namespace kombitron;

namespace {

using Rows = std::vector<std::vector<int>>;

SharedBets shared(const Rows& rows) { return std::make_shared<const BetList>(test::betList(rows)); }

AlgebraResult run(AlgebraOperation operation, const SharedBets& one, const SharedBets& two, bool descending = false)
{
    Progress progress;
    StopFlag stop;
    return runAlgebra({operation, descending, one, two}, progress, stop);
}

AlgebraSystemLoad load(const std::string& path)
{
    Progress progress;
    StopFlag stop;
    return runLoadAlgebraSystem({path}, progress, stop);
}

const std::vector<int> A = {1, 2, 3, 4, 5, 6, 0};
const std::vector<int> B = {7, 14, 21, 28, 35, 42, 0};
const std::vector<int> C = {10, 20, 30, 40, 45, 49, 0};

// A random system of `count` bets among the first `range` ranks, duplicates likely.
Rows randomRows(int64_t count, int32_t range, uint64_t seed)
{
    Rng rng(seed);
    Rows rows;
    for (int64_t i = 0; i < count; ++i) {
        uint8_t six[6];
        CombinationFromRank(static_cast<int32_t>(1 + rng.below(range)), six);
        rows.push_back({six[0], six[1], six[2], six[3], six[4], six[5], 0});
    }
    return rows;
}

} // namespace

TEST(Algebra, EveryOperationOnAbAndBc)
{
    const SharedBets one = shared({A, B});
    const SharedBets two = shared({B, C});
    struct Case {
        AlgebraOperation operation;
        Rows bets;
        std::string text;
    };
    const Case cases[] = {
        {AlgebraOperation::DirectSum, {A, B, B, C},
         "Proceso de SUMA de Sistemas (directo) terminado CORRECTAMENTE\r\nNº Apuestas Sistema Resultante : 4\r\n"},
        {AlgebraOperation::Union, {A, B, C},
         "Proceso de SUMA de sistemas (quitar repetidas) terminado CORRECTAMENTE\r\nNº Apuestas Sistema Sumado : 4\r\n"
         "Nº Apuestas repetidas : 1\r\nNº Apuestas FINALES : 3\r\n"},
        {AlgebraOperation::Intersection, {B},
         "Proceso de INTERSECCION de sistemas (coger comunes) terminado CORRECTAMENTE\r\nNº Apuestas Sistema Sumado : "
         "4\r\nNº Apuestas COMUNES : 1\r\n"},
        {AlgebraOperation::Difference, {A},
         "Proceso de RESTA de sistemas (sistema 1 - sistema 2) terminado CORRECTAMENTE\r\nNº Apuestas Sistema "
         "Resultante : 1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(algebraOperationCaption(c.operation));
        const AlgebraResult result = run(c.operation, one, two);
        ASSERT_TRUE(result.done()) << result.failure;
        EXPECT_EQ(test::rowsOf(*result.bets), c.bets);
        EXPECT_EQ(result.text, c.text);
    }
}

TEST(Algebra, SortByRankKeepsDuplicates)
{
    const std::vector<int> seven = {1, 2, 3, 4, 5, 7, 0};
    const SharedBets one = shared({seven, A, seven});
    AlgebraResult up = run(AlgebraOperation::Sort, one, nullptr);
    ASSERT_TRUE(up.done());
    EXPECT_EQ(test::rowsOf(*up.bets), (Rows{A, seven, seven}));
    EXPECT_EQ(up.text, "Proceso de ORDENACION (Ascendente) terminado CORRECTAMENTE\r\nNº Apuestas Ordenadas : 3\r\n");
    AlgebraResult down = run(AlgebraOperation::Sort, one, nullptr, true);
    EXPECT_EQ(test::rowsOf(*down.bets), (Rows{seven, seven, A}));
    EXPECT_EQ(down.text, "Proceso de ORDENACION (Descendente) terminado CORRECTAMENTE\r\nNº Apuestas Ordenadas : 3\r\n");
}

TEST(Algebra, ChecksOfCalculateAndSave)
{
    // Sorting needs system 1 only; the other operations need system 2 as well.
    EXPECT_FALSE(checkAlgebra(AlgebraOperation::Sort, 5, 0).has_value());
    for (auto op : {AlgebraOperation::DirectSum, AlgebraOperation::Union, AlgebraOperation::Intersection,
                    AlgebraOperation::Difference}) {
        SCOPED_TRACE(algebraOperationCaption(op));
        const auto notice = checkAlgebra(op, 5, 0);
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(notice->text, "ERROR: NO ESTA CARGADO EL SISTEMA 2");
        EXPECT_FALSE(checkAlgebra(op, 5, 1).has_value());
    }
    const auto none = checkAlgebra(AlgebraOperation::Sort, 0, 3);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->text, "ERROR: NO ESTA CARGADO EL SISTEMA 1");

    auto save = checkAlgebraSave("", 3);
    ASSERT_TRUE(save.has_value());
    EXPECT_EQ(save->text, "ERROR: NO HAY NINGUN SISTEMA GENERADO PARA GUARDARLO");
    save = checkAlgebraSave("Proceso ...\r\n", 0);
    ASSERT_TRUE(save.has_value());
    EXPECT_EQ(save->text, "ERROR: NO SE PUEDE GUARDAR, EL SISTEMA RESULTANTE TIENE 0 APUESTAS");
    EXPECT_FALSE(checkAlgebraSave("Proceso ...\r\n", 1).has_value());

    // An empty intersection is a result with no bets, not a failure.
    const AlgebraResult nothing = run(AlgebraOperation::Intersection, shared({A}), shared({C}));
    ASSERT_TRUE(nothing.done());
    EXPECT_EQ(nothing.bets->size(), 0);
}

TEST(Algebra, BetTwiceInSystemTwoOnlyIsNotCommon)
{
    const AlgebraResult result = run(AlgebraOperation::Intersection, shared({A, B}), shared({C, C, A}));
    EXPECT_EQ(test::rowsOf(*result.bets), (Rows{A}));
    // Repeated in both: common once.
    const AlgebraResult twice = run(AlgebraOperation::Intersection, shared({B, B}), shared({B, B}));
    EXPECT_EQ(test::rowsOf(*twice.bets), (Rows{B}));
}

TEST(Algebra, LoadSortsEveryBetAndKeepsDuplicates)
{
    test::TempDir dir;
    const std::string one = test::writeKmb(dir.file("uno.KMB"), {{6, 5, 4, 3, 2, 1, 9}, {6, 5, 4, 3, 2, 1, 2}, B});
    const AlgebraSystemLoad loaded = load(one);
    ASSERT_TRUE(loaded.done()) << loaded.failure;
    EXPECT_EQ(test::rowsOf(*loaded.system.bets), (Rows{A, A, B}));  // reintegros dropped
    EXPECT_EQ(loaded.system.numberCounts[1], 2);
    EXPECT_EQ(loaded.system.numberCounts[42], 1);
    EXPECT_EQ(loaded.system.usedNumbers(), 12);

    // The stored 06 05 04 03 02 01 is the combination 1..6 for the other system too.
    const std::string two = dir.file("dos.txt");
    test::writeFile(two, "01 02 03 04 05 06\n");
    const AlgebraSystemLoad other = load(two);
    ASSERT_TRUE(other.done()) << other.failure;
    const AlgebraResult common = run(AlgebraOperation::Intersection, loaded.system.bets, other.system.bets);
    EXPECT_EQ(test::rowsOf(*common.bets), (Rows{A}));

    // A number the table of combinations does not hold fails the load.
    const AlgebraSystemLoad bad = load(test::writeKmb(dir.file("malo.kmb"), {A, {3, 3, 4, 5, 6, 7, 0}}));
    EXPECT_TRUE(bad.failed());
    EXPECT_EQ(bad.failure,
              "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( Apuestas con números no en orden ascendente "
              "(Apuesta 2))");
    EXPECT_FALSE(bad.system.bets);
}

TEST(Algebra, ReaderChosenByThreeCharactersOfTheExtension)
{
    const std::pair<const char*, bool> cases[] = {
        {"a.KMB", true}, {"a.kmb", true}, {"a.Kmbx", true}, {"a.txt", false}, {"sin extension", false},
        {"a.KM", false},
    };
    for (auto [path, kmb] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(algebraReadsKmb(path), kmb);
    }
}

TEST(Algebra, PresenceOperationsMatchPlainSets)
{
    const Rows one = randomRows(3000, 4000, 1);
    const Rows two = randomRows(2500, 4000, 2);
    std::set<Rows::value_type> s1(one.begin(), one.end()), s2(two.begin(), two.end());
    auto byRank = [](const std::set<Rows::value_type>& s) {
        std::map<int32_t, std::vector<int>> ordered;
        for (const auto& row : s) {
            uint8_t six[6];
            for (int j = 0; j < 6; ++j) six[j] = static_cast<uint8_t>(row[j]);
            ordered[CombinationRank(six)] = row;
        }
        Rows rows;
        for (auto& [rank, row] : ordered) rows.push_back(row);
        return rows;
    };
    std::set<Rows::value_type> u = s1, i, d;
    u.insert(s2.begin(), s2.end());
    for (const auto& r : s1) (s2.count(r) ? i : d).insert(r);

    const SharedBets a = shared(one), b = shared(two);
    const AlgebraResult unionResult = run(AlgebraOperation::Union, a, b);
    EXPECT_EQ(test::rowsOf(*unionResult.bets), byRank(u));
    EXPECT_EQ(test::rowsOf(*run(AlgebraOperation::Intersection, a, b).bets), byRank(i));
    EXPECT_EQ(test::rowsOf(*run(AlgebraOperation::Difference, a, b).bets), byRank(d));
    EXPECT_NE(unionResult.text.find("Nº Apuestas repetidas : " + formatCount(static_cast<int64_t>(5500 - u.size())) + "\r\n"),
              std::string::npos);
}

TEST(Algebra, RankSortAndConversionMatchTheSlowForms)
{
    Rng rng(9);
    for (int64_t size : {int64_t{0}, int64_t{1}, int64_t{100}, int64_t{200000}}) {
        SCOPED_TRACE(size);
        std::vector<int32_t> ranks(static_cast<size_t>(size));
        // Clusters of close ranks (stepped), repeats (gap 0) and far jumps (unranked).
        for (auto& r : ranks) r = static_cast<int32_t>(1 + (rng.below(3) == 0 ? rng.below(kAllBets) : rng.below(500)));
        ranks.push_back(static_cast<int32_t>(kAllBets));
        std::vector<int32_t> expected = ranks;
        SortAscending(expected, 0, static_cast<int64_t>(expected.size()) - 1);
        sortRanksAscending(ranks);
        ASSERT_EQ(ranks, expected);

        for (bool reversed : {false, true}) {
            BetList bets;
            betsFromAscendingRanks(ranks, bets, reversed);
            ASSERT_EQ(bets.size(), static_cast<int64_t>(ranks.size()));
            const int64_t n = bets.size();
            for (int64_t i = 0; i < n; ++i) {
                uint8_t six[6];
                CombinationFromRank(ranks[static_cast<size_t>(i)], six);
                const uint8_t* b = bets.bet(reversed ? n - i : i + 1);
                ASSERT_TRUE(std::equal(six, six + 6, b)) << "rank " << ranks[static_cast<size_t>(i)];
                ASSERT_EQ(b[6], 0);
            }
        }
    }
}
