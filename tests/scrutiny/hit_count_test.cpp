#include <gtest/gtest.h>

#include <string>

#include "core/rank.h"
#include "scrutiny/hit_count.h"
#include "scrutiny/literal_count.h"

using namespace kombitron;

namespace {

struct Draw {
    uint8_t numbers[6];
    unsigned complementary;
};

// Random draws and the awkward ones a service answer or a typed grid can give.
std::vector<Draw> drawsToTry(Rng& rng, int random)
{
    std::vector<Draw> draws = {
        {{1, 2, 3, 4, 5, 6}, 7},
        {{1, 2, 3, 4, 5, 6}, 0},       // no complementary
        {{44, 45, 46, 47, 48, 49}, 1},
        {{3, 9, 17, 0, 0, 0}, 22},     // fewer than six numbers marked
        {{5, 11, 23, 31, 40, 0}, 12},  // five numbers
        {{5, 11, 23, 31, 40, 47}, 23}, // the complementary repeats a number
        {{5, 11, 23, 31, 40, 0}, 40},
        {{8, 8, 19, 27, 33, 41}, 2},   // a number written twice
        {{0, 0, 0, 0, 0, 0}, 0},
        {{7, 14, 21, 28, 35, 42}, 60}, // a complementary outside 1..49
    };
    for (int d = 0; d < random; ++d) {
        Draw draw{};
        test::randomCombination(rng, draw.numbers);
        draw.complementary = static_cast<unsigned>(rng.below(50));
        draws.push_back(draw);
    }
    return draws;
}

std::string describe(const Draw& d)
{
    std::string s;
    for (uint8_t n : d.numbers) s += std::to_string(n) + " ";
    return s + "C " + std::to_string(d.complementary);
}

} // namespace

TEST(HitCount, TableAndBetByBetAgreeWithTheLiteralCount)
{
    Rng rng(15);
    for (int64_t size : {int64_t{1}, int64_t{37}, int64_t{5000}, int64_t{70000}}) {
        // Repeated bets and damaged records are part of what real files hold.
        const BetList bets = test::withRepeats(test::randomBets(rng, size, 20), size / 10 + 1);
        BetFileCounter table, byBet;
        ASSERT_TRUE(table.prepare(bets, bets.size(), BetFileCounter::Method::SubsetTable, {}));
        ASSERT_TRUE(byBet.prepare(bets, bets.size(), BetFileCounter::Method::BetByBet, {}));
        for (const Draw& draw : drawsToTry(rng, 40)) {
            SCOPED_TRACE("bets " + std::to_string(bets.size()) + ", draw " + describe(draw));
            const HitTally expected = test::literalTally(bets, draw.numbers, draw.complementary);
            const uint64_t mask = numberMask(draw.numbers);
            EXPECT_EQ(table.tally(mask, draw.complementary), expected);
            EXPECT_EQ(byBet.tally(mask, draw.complementary), expected);
        }
    }
}

TEST(HitCount, ManyTalliesAtOnceMatchOneByOne)
{
    Rng rng(3);
    const BetList bets = test::randomBets(rng, 3000, 5);
    std::vector<uint64_t> masks;
    std::vector<uint8_t> complementaries;
    for (const Draw& d : drawsToTry(rng, 500)) {
        masks.push_back(numberMask(d.numbers));
        complementaries.push_back(static_cast<uint8_t>(d.complementary));
    }
    for (auto method : {BetFileCounter::Method::BetByBet, BetFileCounter::Method::SubsetTable}) {
        BetFileCounter counter;
        ASSERT_TRUE(counter.prepare(bets, bets.size(), method, {}));
        std::vector<HitTally> many(masks.size());
        counter.tallyMany(masks.data(), complementaries.data(), static_cast<int64_t>(masks.size()), many.data());
        for (size_t i = 0; i < masks.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(many[i], counter.tally(masks[i], complementaries[i]));
        }
    }
}

TEST(HitCount, WholeSystemGivesTheBinomialCountsAndWidensPast32Bits)
{
    BetList all(kAllBets);
#pragma omp parallel for schedule(static)
    for (int32_t r = 1; r <= kAllBets; ++r) CombinationFromRank(r, all.bet(r));
    BetFileCounter counter;
    ASSERT_TRUE(counter.prepare(all, all.size(), BetFileCounter::Method::SubsetTable, {}));
    const uint8_t winning[6] = {4, 9, 16, 25, 36, 49};
    const HitTally t = counter.tally(numberMask(winning), 1);
    // C(6,h) * C(43,6-h) bets hit h; the six 5-subsets with the complementary make the 5+C.
    const std::array<int64_t, 7> expected = {6096454, 5775588, 1851150, 246820, 13545, 258, 1};
    EXPECT_EQ(t.hits, expected);
    EXPECT_EQ(t.fiveWithComplementary, 6);

    // Against 1,000 combinations the one-hit bets alone pass 2^32.
    HitTally total;
    for (int k = 0; k < 1000; ++k) total += t;
    EXPECT_EQ(total.hits[1], int64_t{5775588000});

    // The bet-by-bet count on the same list, for one combination.
    BetFileCounter byBet;
    ASSERT_TRUE(byBet.prepare(all, all.size(), BetFileCounter::Method::BetByBet, {}));
    EXPECT_EQ(byBet.tally(numberMask(winning), 1), t);
}

TEST(HitCount, BuildingTheTableStopsWhenAsked)
{
    Rng rng(1);
    const BetList bets = test::randomBets(rng, 100);
    StopFlag stop;
    stop.request();
    BetFileCounter counter;
    EXPECT_FALSE(counter.prepare(bets, bets.size(), BetFileCounter::Method::SubsetTable, stop));
    EXPECT_TRUE(stop.requested()); // the request is the caller's: never reset
}
