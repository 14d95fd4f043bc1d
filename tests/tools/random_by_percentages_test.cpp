#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "core/random.h"
#include "tools/random_by_percentages.h"
#include "tools/tools_support.h"

using namespace kombitron;

namespace {

PercentageShares percentages(std::initializer_list<std::pair<int, int>> chosen)
{
    PercentageShares p{};
    for (auto [number, percent] : chosen) p[number] = static_cast<uint8_t>(percent);
    return p;
}

// The procedure as written, with the table of 6N places.
std::vector<std::vector<int>> literalBets(const PercentageShares& p, int64_t n, uint64_t seed)
{
    std::vector<int> c, s, f;
    for (int v = 1; v <= 49; ++v) {
        if (p[v]) {
            c.push_back(v);
            s.push_back(static_cast<int>(p[v] * n / 100));
        } else {
            f.push_back(v);
        }
    }
    std::vector<int> q(static_cast<size_t>(6 * n + 1), 0);
    size_t slot = 1;
    for (size_t j = 0; j < c.size(); ++j)
        for (int t = 0; t < s[j]; ++t) q[slot++] = c[j];
    const int64_t g = static_cast<int64_t>(f.size());
    Rng rng(seed);
    std::vector<std::vector<int>> bets;
    for (int64_t b = 1; b <= n; ++b) {
        for (int64_t w = 1; w <= g; ++w) {
            const int64_t pos = static_cast<int64_t>(static_cast<double>(g) * rng.nextDouble()) + 1;
            std::swap(f[static_cast<size_t>(w - 1)], f[static_cast<size_t>(pos - 1)]);
        }
        std::vector<int> bet;
        for (int m = 1; m <= 6; ++m) {
            const int number = q[static_cast<size_t>(b + (m - 1) * n)];
            bet.push_back(number != 0 ? number : f[static_cast<size_t>(m - 1)]);
        }
        std::sort(bet.begin(), bet.end());
        bet.push_back(0);
        bets.push_back(bet);
    }
    return bets;
}

BetList generate(const PercentageShares& p, int64_t n, uint64_t seed)
{
    Progress progress;
    StopFlag stop;
    return randomBetsByPercentages(p, n, seed, progress, stop);
}

} // namespace

TEST(randomBetsByPercentages, ChecksInOrder)
{
    PercentageShares five = percentages({{1, 10}, {2, 10}, {3, 10}, {4, 10}, {5, 10}});
    PercentageShares fortyFour{};
    for (int v = 1; v <= 44; ++v) fortyFour[v] = 1;
    PercentageShares sum600 = percentages({{1, 100}, {2, 100}, {3, 100}, {4, 100}, {5, 100}, {6, 100}});
    PercentageShares sum599 = percentages({{1, 100}, {2, 100}, {3, 100}, {4, 100}, {5, 100}, {6, 99}});
    struct Case {
        const char* name;
        PercentageShares p;
        const char* count;
        MessageKind kind;
        const char* text;  // nullptr: the checks pass
    };
    const Case cases[] = {
        {"five percentages", five, "10", MessageKind::Warning, "AVISO: DEBE SELECCIONAR MINIMO 6 PORCENTAJES DE NUMEROS"},
        {"forty-four", fortyFour, "", MessageKind::Error, "ERROR: SOLO SE PUEDEN SELECCIONAR 43 PORCENTAJES COMO MAXIMO"},
        {"sum 600", sum600, "", MessageKind::Error, "ERROR: LA SUMA DE TODOS LOS % SELECCIONADOS DEBE SER MENOR DE 600"},
        {"blank count", sum599, "", MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
        {"zero count", sum599, "0", MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
        {"sum 599", sum599, "10", MessageKind::Error, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int64_t count = -1;
        const auto notice = checkRandomBetsByPercentages(c.p, c.count, count);
        if (!c.text) {
            EXPECT_FALSE(notice.has_value()) << notice->text;
            EXPECT_EQ(count, 10);
            continue;
        }
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(notice->kind, c.kind);
        EXPECT_EQ(notice->text, c.text);
    }
    EXPECT_EQ(chosenPercentagesCount(sum599), 6);
    EXPECT_EQ(percentagesSum(sum599), 599);
    EXPECT_EQ(percentagesCountCaption(6), "6 Porcentajes de Números Seleccionados");
    EXPECT_EQ(percentagesHeader(percentages({{7, 50}, {3, 1}, {49, 20}})), "030749");
}

TEST(randomBetsByPercentages, SmallestChosenNumberFillsTheFirstBets)
{
    // 7 is the smallest chosen number: at 50 % of 10 bets it sits in bets 1 to 5, once each.
    const auto p = percentages({{7, 50}, {10, 10}, {20, 10}, {30, 10}, {40, 10}, {49, 10}});
    for (uint64_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const BetList bets = generate(p, 10, seed);
        ASSERT_EQ(bets.size(), 10);
        for (int64_t b = 1; b <= 10; ++b) {
            const uint8_t* bet = bets.bet(b);
            EXPECT_EQ(std::count(bet, bet + 6, 7), b <= 5 ? 1 : 0) << "bet " << b;
        }
    }
}

TEST(randomBetsByPercentages, OccurrencesBetsAndTheLiteralProcedure)
{
    struct Case {
        PercentageShares p;
        int64_t n;
    };
    PercentageShares many{};
    for (int v = 3; v <= 45; ++v) many[v] = static_cast<uint8_t>(v % 13 + 1);  // 43 chosen
    const Case cases[] = {
        {percentages({{7, 50}, {10, 10}, {20, 10}, {30, 10}, {40, 10}, {49, 10}}), 10},
        // 1 % of 50 bets is no occurrence at all.
        {percentages({{2, 1}, {5, 100}, {11, 100}, {17, 100}, {23, 100}, {29, 99}}), 50},
        {percentages({{1, 33}, {8, 67}, {13, 25}, {21, 100}, {34, 12}, {44, 90}, {48, 3}}), 997},
        {many, 1234},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        const BetList bets = generate(c.p, c.n, 31337);
        EXPECT_EQ(test::rowsOf(bets), literalBets(c.p, c.n, 31337));
        std::map<int, int64_t> occurrences;
        for (int64_t b = 1; b <= bets.size(); ++b) {
            const uint8_t* bet = bets.bet(b);
            for (int j = 1; j < 6; ++j) EXPECT_LT(bet[j - 1], bet[j]);  // six different numbers, sorted
            EXPECT_EQ(bet[6], 0);
            for (int j = 0; j < 6; ++j) ++occurrences[bet[j]];
        }
        for (int v = 1; v <= 49; ++v)
            if (c.p[v]) {
                EXPECT_EQ(occurrences[v], c.p[v] * c.n / 100) << "number " << v;
            }
    }
}

TEST(randomBetsByPercentages, StopGivesNoBets)
{
    Progress progress;
    StopFlag stop;
    stop.request();
    const auto p = percentages({{1, 10}, {2, 10}, {3, 10}, {4, 10}, {5, 10}, {6, 10}});
    EXPECT_TRUE(randomBetsByPercentages(p, 200000, 1, progress, stop).empty());
}
