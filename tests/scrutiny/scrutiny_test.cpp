#include <gtest/gtest.h>

#include "core/format.h"
#include "scrutiny/literal_count.h"
#include "scrutiny/scrutiny.h"

using namespace kombitron;

namespace {

BetList betList(const std::vector<std::vector<int>>& rows)
{
    BetList bets(static_cast<int64_t>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        for (size_t j = 0; j < 7; ++j)
            bets.at(static_cast<int64_t>(i) + 1, static_cast<int>(j) + 1) = static_cast<uint8_t>(j < rows[i].size() ? rows[i][j] : 0);
    return bets;
}

WinningCombination winning(std::array<uint8_t, 6> numbers, uint8_t complementary, uint8_t reintegro = 0)
{
    WinningCombination w;
    w.numbers = numbers;
    w.complementary = complementary;
    w.reintegro = reintegro;
    return w;
}

ScrutinyResult scrutinise(const BetList& bets, const WinningCombination& w)
{
    ScrutinyInputs inputs;
    inputs.bets = std::make_shared<BetList>(bets);
    inputs.count = bets.size();
    inputs.winning = w;
    Progress progress;
    return RunScrutiny(inputs, progress, {});
}

class Scrutiny : public ::testing::Test {
protected:
    void SetUp() override { setNumberFormat({".", ","}); }
};

} // namespace

TEST_F(Scrutiny, FiveWithTheComplementaryIsNotFiveAndNotSix)
{
    const BetList bets = betList({{1, 2, 3, 4, 5, 7, 0}, {1, 2, 3, 4, 5, 8, 0}, {1, 2, 3, 4, 5, 6, 0}});
    const ScrutinyResult r = scrutinise(bets, winning({1, 2, 3, 4, 5, 6}, 7));
    ASSERT_TRUE(r.done());
    EXPECT_FALSE(r.refused);
    EXPECT_EQ(r.tally.hits[6], 1);
    EXPECT_EQ(r.tally.hits[5], 2);
    EXPECT_EQ(r.tally.fiveWithComplementary, 1);
    EXPECT_EQ(r.hitsPerBet, (std::vector<uint8_t>{5, 5, 6}));
    EXPECT_EQ(calculatorCounts(r.tally), (std::array<int64_t, 5>{1, 1, 1, 0, 0}));

    // With "--" every 5-hit bet is a plain "5".
    const ScrutinyResult none = scrutinise(bets, winning({1, 2, 3, 4, 5, 6}, 0));
    EXPECT_EQ(none.tally.fiveWithComplementary, 0);
    EXPECT_EQ(calculatorCounts(none.tally), (std::array<int64_t, 5>{1, 0, 2, 0, 0}));
}

TEST_F(Scrutiny, ARepeatedComplementaryIsRefused)
{
    EXPECT_TRUE(complementaryIsRepeated(winning({1, 2, 3, 4, 5, 6}, 6)));
    EXPECT_FALSE(complementaryIsRepeated(winning({1, 2, 3, 4, 5, 6}, 0)));
    // Fewer than six marked: the empty positions are 0 and the "--" complementary is 0 too.
    EXPECT_FALSE(complementaryIsRepeated(winning({1, 2, 0, 0, 0, 0}, 0)));
    const ScrutinyResult r = scrutinise(betList({{1, 2, 3, 4, 5, 6, 0}}), winning({1, 2, 3, 4, 5, 6}, 3));
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.bets, 0);
    EXPECT_TRUE(r.hitsPerBet.empty());
}

TEST_F(Scrutiny, TicketsAreEightBetsRoundedUp)
{
    const struct { int64_t bets, tickets; } cases[] = {{0, 0}, {1, 1}, {8, 1}, {16, 2}, {17, 3}, {13983816, 1747977}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bets);
        EXPECT_EQ(ticketCount(c.bets), c.tickets);
    }
    Rng rng(4);
    EXPECT_EQ(scrutinise(test::randomBets(rng, 17), winning({1, 2, 3, 4, 5, 6}, 0)).tickets, 3);
}

TEST_F(Scrutiny, PrizeListLinesForEachGame)
{
    // Reintegro 0 drawn: bets with reintegro 0 count under "Reinteg." whatever their hits.
    const BetList bets = betList({{1, 2, 3, 4, 5, 6, 0}, {1, 2, 3, 10, 11, 12, 0}, {20, 21, 22, 23, 24, 25, 3}});
    const ScrutinyResult r = scrutinise(bets, winning({1, 2, 3, 4, 5, 6}, 0, 0));
    EXPECT_EQ(prizeListLines(r, GameType::Primitiva),
              (std::vector<std::string>{"6\t1", "5+C\t0", "5\t0", "4\t0", "3\t1", "2\t0", "1\t0", "0\t1", "--------",
                                        "Reinteg.\t2"}));
    EXPECT_EQ(prizeListLines(r, GameType::Bonoloto),
              (std::vector<std::string>{"6\t1", "5+C\t0", "5\t0", "4\t0", "3\t1", "2\t0", "1\t0", "0\t1"}));

    // Counts group their thousands.
    ScrutinyResult big;
    big.tally.hits[0] = 6096454;
    EXPECT_EQ(prizeListLines(big, GameType::Bonoloto)[7], "0\t6.096.454");
}

TEST_F(Scrutiny, FewerMarkedNumbersMatchNothingBeyondThem)
{
    const BetList bets = betList({{1, 2, 3, 4, 5, 6, 0}, {7, 8, 9, 10, 11, 12, 0}});
    const ScrutinyResult r = scrutinise(bets, winning({1, 2, 0, 0, 0, 0}, 0));
    EXPECT_EQ(r.hitsPerBet, (std::vector<uint8_t>{2, 0}));
}

TEST_F(Scrutiny, OnlyTicketsWithThreeOrMoreHitsAreReported)
{
    // Ten bets, only bet 9 (the first of ticket 2) with three hits.
    std::vector<std::vector<int>> rows(10, {20, 21, 22, 23, 24, 25, 0});
    rows[8] = {1, 2, 3, 30, 31, 32, 0};
    const BetList bets = betList(rows);
    const WinningCombination w = winning({1, 2, 3, 4, 5, 6}, 7);
    const ScrutinyResult r = scrutinise(bets, w);
    EXPECT_EQ(prizedTicketsReport(bets, r.hitsPerBet, w.complementary),
              "BOLETO 01  02  03  04  05  06  07  08\r\n"
              "     2  3  --  \r\n");

    // Every kind of cell in one ticket; the ticket before it has no prize and no row.
    std::vector<std::vector<int>> more(8, {40, 41, 42, 43, 44, 45, 0});
    for (auto row : std::vector<std::vector<int>>{{1, 2, 3, 4, 5, 6, 0}, {1, 2, 3, 4, 5, 7, 0}, {1, 2, 3, 4, 5, 8, 0},
                                                   {1, 2, 3, 4, 9, 10, 0}, {1, 2, 3, 9, 10, 11, 0}, {1, 2, 9, 10, 11, 12, 0},
                                                   {1, 9, 10, 11, 12, 13, 0}, {9, 10, 11, 12, 13, 14, 0}})
        more.push_back(row);
    const BetList all = betList(more);
    const ScrutinyResult r2 = scrutinise(all, w);
    EXPECT_EQ(prizedTicketsReport(all, r2.hitsPerBet, w.complementary),
              "BOLETO 01  02  03  04  05  06  07  08\r\n"
              "     2  6  5+C  5   4   3  --  --  --  \r\n");
}

TEST_F(Scrutiny, MaskCountAgreesWithTheSixBySixCount)
{
    Rng rng(61);
    const BetList bets = test::randomBets(rng, 200000, 5);
    for (int d = 0; d < 8; ++d) {
        WinningCombination w;
        test::randomCombination(rng, w.numbers.data());
        w.complementary = static_cast<uint8_t>(rng.below(50));
        if (complementaryIsRepeated(w)) w.complementary = 0;
        w.reintegro = static_cast<uint8_t>(rng.below(10));
        SCOPED_TRACE(d);
        const ScrutinyResult r = scrutinise(bets, w);
        ASSERT_TRUE(r.done());
        EXPECT_EQ(r.tally, test::literalTally(bets, w.numbers.data(), w.complementary));
        int64_t reintegros = 0;
        bool sameHits = true;
        for (int64_t i = 1; i <= bets.size(); ++i) {
            reintegros += bets.at(i, 7) == w.reintegro;
            sameHits = sameHits && r.hitsPerBet[static_cast<size_t>(i - 1)] == test::literalHits(bets.bet(i), w.numbers.data());
        }
        EXPECT_EQ(r.reintegros, reintegros);
        EXPECT_TRUE(sameHits);
    }
}

TEST_F(Scrutiny, AStopEndsTheScrutinyAsStopped)
{
    Rng rng(2);
    ScrutinyInputs inputs;
    inputs.bets = std::make_shared<BetList>(test::randomBets(rng, 10));
    inputs.count = 10;
    StopFlag stop;
    stop.request();
    Progress progress;
    EXPECT_TRUE(RunScrutiny(inputs, progress, stop).stopped());
    // A count beyond the list is clamped to it; no list at all scrutinises nothing.
    inputs.count = 50;
    EXPECT_EQ(RunScrutiny(inputs, progress, {}).bets, 10);
    inputs.bets = nullptr;
    EXPECT_EQ(RunScrutiny(inputs, progress, {}).bets, 0);
}

TEST_F(Scrutiny, TheReducedSystemAndTheGridFeedTheScrutiny)
{
    AppState state;
    state.finalSystem = betList({{1, 2, 3, 4, 5, 6, 3}, {7, 8, 9, 10, 11, 12, 4}, {13, 14, 15, 16, 17, 18, 5}});
    state.reducedCount = 2;
    const SharedBets bets = reducedSystemBets(state);
    ASSERT_EQ(bets->size(), 2);
    EXPECT_EQ(bets->get(2).reintegro, 4);

    std::array<uint8_t, 50> marked{};
    for (int n : {40, 3, 17, 29, 8, 11, 45}) marked[static_cast<size_t>(n)] = 1;
    const WinningCombination w = winningFromMarks(marked, 9, 2);
    EXPECT_EQ(w.numbers, (std::array<uint8_t, 6>{3, 8, 11, 17, 29, 40}));
    EXPECT_EQ(w.complementary, 9);
}
