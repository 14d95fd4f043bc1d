#include <gtest/gtest.h>

#include <set>

#include "core/random.h"
#include "core/rank.h"
#include "formats/formats_support.h"
#include "formats/repeated_bets.h"

using namespace kombitron;

TEST(removeRepeatedBets, MatchesAPlainSetOnRandomLists)
{
    Rng rng(11);
    for (int round = 0; round < 20; ++round) {
        const int64_t n = 1 + rng.below(3000);
        const int64_t distinctRanks = 1 + rng.below(n);  // small pools make many repeats
        std::vector<int32_t> pool;
        for (int64_t k = 0; k < distinctRanks; ++k) pool.push_back(static_cast<int32_t>(1 + rng.below(kAllBets)));
        BetList bets(n);
        std::vector<std::string> expected;
        std::set<int32_t> seen;
        for (int64_t i = 1; i <= n; ++i) {
            const int32_t rank = pool[static_cast<size_t>(rng.below(distinctRanks))];
            CombinationFromRank(rank, bets.bet(i));
            bets.bet(i)[6] = static_cast<uint8_t>(i % 10);
            if (seen.insert(rank).second) expected.push_back(betRecordText(bets.bet(i)));
        }
        Progress progress;
        StopFlag stop;
        const RepeatedBetsResult removal = removeRepeatedBets(bets, progress, stop);
        EXPECT_TRUE(removal.done());
        EXPECT_EQ(removal.repeated, n - static_cast<int64_t>(expected.size()));
        EXPECT_EQ(test::recordTexts(bets), expected);
    }
    BetList many(20000);
    for (int64_t i = 1; i <= many.size(); ++i) CombinationFromRank(1, many.bet(i));
    Progress progress;
    StopFlag stop;
    stop.request();
    EXPECT_TRUE(removeRepeatedBets(many, progress, stop).stopped());
    EXPECT_TRUE(stop.requested()) << "the caller's request is left as it was";
}
