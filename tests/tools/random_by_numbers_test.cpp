#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <utility>

#include "core/random.h"
#include "core/rank.h"
#include "tools/random_by_numbers.h"
#include "support/test_paths.h"
#include "tools/tools_support.h"

using namespace kombitron;

namespace {

// The procedure as written: every 6-subset of the positions 1..n in lexicographic order, the order
// 1..T shuffled by swapping o[j] with o[Int(u T + 1)], bet j the subset o[j] through the numbers.
std::vector<std::vector<int>> literalRandomBets(const std::vector<uint8_t>& numbers, int64_t count, uint64_t seed)
{
    const int n = static_cast<int>(numbers.size());
    std::vector<std::vector<int>> subsets;
    for (int a = 1; a <= n - 5; ++a)
        for (int b = a + 1; b <= n - 4; ++b)
            for (int c = b + 1; c <= n - 3; ++c)
                for (int d = c + 1; d <= n - 2; ++d)
                    for (int e = d + 1; e <= n - 1; ++e)
                        for (int f = e + 1; f <= n; ++f) subsets.push_back({a, b, c, d, e, f});
    const int64_t total = static_cast<int64_t>(subsets.size());
    std::vector<int64_t> order(static_cast<size_t>(total) + 1);
    for (int64_t j = 1; j <= total; ++j) order[static_cast<size_t>(j)] = j;
    Rng rng(seed);
    for (int64_t j = 1; j <= total; ++j) {
        const int64_t idx = static_cast<int64_t>(rng.nextDouble() * static_cast<double>(total) + 1.0);
        std::swap(order[static_cast<size_t>(j)], order[static_cast<size_t>(idx)]);
    }
    std::vector<std::vector<int>> bets;
    for (int64_t j = 1; j <= count; ++j) {
        std::vector<int> bet;
        for (int p : subsets[static_cast<size_t>(order[static_cast<size_t>(j)] - 1)]) bet.push_back(numbers[p - 1]);
        bet.push_back(0);
        bets.push_back(bet);
    }
    return bets;
}

SubsetShuffle shuffle(int n, uint64_t seed)
{
    Progress progress;
    StopFlag stop;
    return runShuffleSubsets({n, seed}, progress, stop);
}

} // namespace

TEST(RandomBetsByNumbers, ChecksInOrder)
{
    struct Case {
        int numbers;
        const char* count;
        MessageKind kind;
        const char* text;  // nullptr: the checks pass
    };
    const std::string tooMany =
        "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MENOR O IGUAL QUE EL Nº DE APUESTAS DEL SISTEMA TOTAL (tiene ";
    const Case cases[] = {
        {5, "", MessageKind::Warning, "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS"},
        {0, "10", MessageKind::Warning, "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS"},
        {6, "", MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
        {6, "0", MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
        {6, "-3", MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
        {6, "1", MessageKind::Error, nullptr},
        {6, "2", MessageKind::Error, "1 apuestas)"},
        {7, "8", MessageKind::Error, "7 apuestas)"},
        {49, "13983816", MessageKind::Error, nullptr},
        {49, "13983817", MessageKind::Error, "13983816 apuestas)"},
        // A count far past any integer does not wrap round into an accepted one.
        {49, "99999999999999999999999999", MessageKind::Error, "13983816 apuestas)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.numbers) + " / " + c.count);
        int64_t count = -1;
        const auto notice = checkRandomBetsByNumbers(c.numbers, c.count, count);
        if (!c.text) {
            EXPECT_FALSE(notice.has_value());
            EXPECT_EQ(count, std::stoll(c.count));
            continue;
        }
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(notice->kind, c.kind);
        if (std::string(c.text).find("apuestas)") != std::string::npos) EXPECT_EQ(notice->text, tooMany + c.text);
        else EXPECT_EQ(notice->text, c.text);
    }
    EXPECT_EQ(randomBetsProposedName(25), "25_Apuestas.KMB");
    EXPECT_EQ(totalBetsCaption(49), "13.983.816 Apuestas");
    EXPECT_EQ(totalBetsCaption(5), "0 Apuestas");
}

TEST(RandomBetsByNumbers, SameBetsAsTheLiteralProcedure)
{
    const std::vector<std::vector<uint8_t>> grids = {
        {3, 8, 15, 22, 30, 41}, {1, 2, 3, 4, 5, 6, 7}, {2, 5, 9, 14, 20, 27, 33, 38, 44, 49}, {1, 4, 9, 16, 25, 36, 40, 41, 42, 43, 44, 45}};
    for (const auto& numbers : grids) {
        for (uint64_t seed : {1u, 77u, 20240607u}) {
            SCOPED_TRACE(std::to_string(numbers.size()) + " numbers, seed " + std::to_string(seed));
            const int64_t total = combinationCount(static_cast<int>(numbers.size()), 6);
            const SubsetShuffle shuffled = shuffle(static_cast<int>(numbers.size()), seed);
            ASSERT_TRUE(shuffled.done());
            ASSERT_EQ(static_cast<int64_t>(shuffled.order->size()), total);
            // The whole system (laid out and copied) and a small share of it (unranked one by one).
            const auto literal = literalRandomBets(numbers, total, seed);
            EXPECT_EQ(test::rowsOf(mapShuffledSubsets(numbers, shuffled.order->data(), total)), literal);
            const int64_t few = total / 20;
            EXPECT_EQ(test::rowsOf(mapShuffledSubsets(numbers, shuffled.order->data(), few)),
                      std::vector<std::vector<int>>(literal.begin(), literal.begin() + few));
        }
    }
}

TEST(RandomBetsByNumbers, NoBetTwiceAndOnlyMarkedNumbers)
{
    const std::vector<uint8_t> numbers = {1, 7, 12, 19, 23, 31, 38, 42, 47, 49};
    const SubsetShuffle shuffled = shuffle(10, 4242);
    ASSERT_TRUE(shuffled.done());
    const BetList bets = mapShuffledSubsets(numbers, shuffled.order->data(), 150);
    std::set<int32_t> ranks;
    const std::set<uint8_t> marked(numbers.begin(), numbers.end());
    for (int64_t i = 1; i <= bets.size(); ++i) {
        const uint8_t* b = bets.bet(i);
        for (int j = 0; j < 6; ++j) EXPECT_TRUE(marked.count(b[j]));
        for (int j = 1; j < 6; ++j) EXPECT_LT(b[j - 1], b[j]);
        EXPECT_EQ(b[6], 0);
        ranks.insert(CombinationRank(b));
    }
    EXPECT_EQ(ranks.size(), 150u);
}

TEST(RandomBetsByNumbers, AllFortyNineNumbersShuffleTheWholeSystem)
{
    const SubsetShuffle shuffled = shuffle(49, 3);
    ASSERT_TRUE(shuffled.done());
    const BigArray<uint32_t>& order = *shuffled.order;
    ASSERT_EQ(order.size(), static_cast<size_t>(kAllBets));
    // A permutation of 1..T, and the last entries moved too.
    std::vector<uint8_t> seen(static_cast<size_t>(kAllBets) + 1, 0);
    for (size_t i = 0; i < order.size(); ++i) ++seen[order[i]];
    int64_t once = 0, inPlaceAtTheEnd = 0;
    for (int64_t r = 1; r <= kAllBets; ++r) once += seen[static_cast<size_t>(r)] == 1 ? 1 : 0;
    for (size_t i = order.size() - 1000; i < order.size(); ++i) inPlaceAtTheEnd += order[i] == i + 1 ? 1 : 0;
    EXPECT_EQ(once, kAllBets);
    EXPECT_LT(inPlaceAtTheEnd, 5);
}

TEST(RandomBetsByNumbers, SixNumbersGiveTheirOneBet)
{
    const std::vector<uint8_t> numbers = {4, 9, 16, 25, 36, 49};
    const SubsetShuffle shuffled = shuffle(6, 8);
    ASSERT_TRUE(shuffled.done());
    EXPECT_EQ(test::rowsOf(mapShuffledSubsets(numbers, shuffled.order->data(), 1)),
              (std::vector<std::vector<int>>{{4, 9, 16, 25, 36, 49, 0}}));
}

TEST(RandomBetsByNumbers, StopAndMismatchedOrder)
{
    Progress progress;
    StopFlag stop;
    stop.request();
    const SubsetShuffle stopped = runShuffleSubsets({49, 1}, progress, stop);
    EXPECT_TRUE(stopped.stopped());
    EXPECT_FALSE(stopped.order);
    EXPECT_TRUE(stop.requested());  // the caller's request is left as it was

    // A grid of more than 49 or fewer than 6 numbers has no total system to shuffle.
    for (int n : {5, 50}) {
        const SubsetShuffle refused = runShuffleSubsets({n, 1}, progress, StopFlag());
        EXPECT_TRUE(refused.failed());
        EXPECT_FALSE(refused.order);
    }

    // An order shuffled for 7 numbers cannot be mapped through 8: refused, nothing written.
    test::TempDir dir;
    StopFlag noStop;
    const SubsetShuffle seven = runShuffleSubsets({7, 1}, progress, noStop);
    const std::string path = dir.file("x.KMB");
    const BetFileSave written =
        runWriteRandomBetsByNumbers({{1, 2, 3, 4, 5, 6, 7, 8}, seven.order, 3, path}, progress, noStop);
    EXPECT_TRUE(written.failed());
    EXPECT_EQ(written.failure.rfind("ERROR AL GUARDAR EL FICHERO (", 0), 0u) << written.failure;
    EXPECT_FALSE(std::filesystem::exists(path));
}
