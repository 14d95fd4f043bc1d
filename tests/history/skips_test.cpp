#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/draw_history.h"
#include "history/skips.h"
#include "support/recording_interaction.h"

using namespace kombitron;

namespace {

DrawRecord Draw(std::initializer_list<int> numbers, int season = 2010, int draw = 1, int weekday = 4)
{
    DrawRecord d;
    int i = 0;
    for (int n : numbers) d.numbers[i++] = static_cast<uint8_t>(n);
    d.season = static_cast<int16_t>(season);
    d.drawNumber = static_cast<uint16_t>(draw);
    d.weekday = static_cast<uint8_t>(weekday);
    return d;
}

SkipsTable AllDraws(const DrawList& draws) { return computeSkips(draws, 0, 32767, 0, 32767, 0); }

// The skips of one number the slow way: the positions of the draws that hold it, then the gaps.
NumberSkip PlainSkip(const std::vector<DrawRecord>& matching, int number)
{
    std::vector<int64_t> positions;
    for (size_t i = 0; i < matching.size(); ++i)
        for (uint8_t n : matching[i].numbers)
            if (n == number) {
                positions.push_back(static_cast<int64_t>(i) + 1);
                break;
            }
    NumberSkip skip;
    skip.appearances = static_cast<int32_t>(positions.size());
    int64_t previous = 0, longest = 0;
    for (int64_t p : positions) {
        longest = std::max(longest, p - previous - 1);
        previous = p;
    }
    skip.current = static_cast<int32_t>(static_cast<int64_t>(matching.size()) - previous);
    skip.longest = static_cast<int32_t>(std::max<int64_t>(longest, skip.current));
    return skip;
}

} // namespace

TEST(Skips, GapsBeforeBetweenAndAfterTheAppearances)
{
    const DrawList draws = {
        Draw({1, 2, 3, 4, 5, 6}),       // 1
        Draw({1, 10, 11, 12, 13, 14}),  // 2
        Draw({20, 21, 22, 23, 24, 25}), // 3
        Draw({20, 30, 31, 32, 33, 34}), // 4
        Draw({1, 40, 41, 42, 43, 44}),  // 5
    };
    const SkipsTable t = AllDraws(draws);
    EXPECT_EQ(t.matchingDraws, 5);
    struct Case {
        int number, appearances, current, longest;
    } cases[] = {
        {1, 3, 0, 2},   // drawn in 1, 2 and 5: two draws between, none since
        {2, 1, 4, 4},   // drawn only in the first draw
        {20, 2, 1, 2},  // the two draws before it count as a stretch without it
        {44, 1, 0, 4},
        {49, 0, 5, 5},  // never drawn: every matching draw
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(t.numbers[c.number].appearances, c.appearances);
        EXPECT_EQ(t.numbers[c.number].current, c.current);
        EXPECT_EQ(t.numbers[c.number].longest, c.longest);
    }
}

TEST(Skips, OnlyMatchingDrawsCountAndOddValuesAreIgnored)
{
    const DrawList draws = {
        Draw({7, 8, 9, 10, 11, 12}, 2010, 1, 4),
        Draw({1, 2, 3, 4, 5, 6}, 2010, 2, 1),   // Monday: left out of a Thursday query
        Draw({7, 7, 0, 50, 13, 14}, 2010, 3, 4), // a repeated 7, a 0 and a 50
        Draw({1, 2, 3, 4, 5, 6}, 2011, 1, 4),    // outside the seasons
    };
    const SkipsTable t = computeSkips(draws, 2010, 2010, 1, 999, 4);
    EXPECT_EQ(t.matchingDraws, 2);
    EXPECT_EQ(t.numbers[7].appearances, 2) << "a number repeated in one draw appears once";
    EXPECT_EQ(t.numbers[7].current, 0);
    EXPECT_EQ(t.numbers[7].longest, 0);
    EXPECT_EQ(t.numbers[1].appearances, 0);
    EXPECT_EQ(t.numbers[1].current, 2);
    EXPECT_EQ(t.numbers[8].current, 1);
    EXPECT_EQ(t.numbers[0].appearances, 0) << "0 is not a number of the game";

    const SkipsTable none = computeSkips(draws, 1990, 1991, 1, 999, 0);
    EXPECT_EQ(none.matchingDraws, 0);
    for (int n = 1; n <= 49; ++n) EXPECT_EQ(none.numbers[n].longest, 0);
}

TEST(Skips, BonolotoHistoryAgreesWithAPlainCount)
{
    DrawHistory history;
    test::RecordingInteraction ui;
    ASSERT_EQ(LoadDrawHistory(history, std::string(KOMBITRON_SOURCE_DIR) + "/data/bonoloto.txt", ui).count, 9361);

    struct Query {
        int seasonFrom, seasonTo, drawFrom, drawTo, weekday;
    } queries[] = {{1985, 2026, 1, 999, 0}, {2000, 2010, 1, 999, 3}, {2020, 2026, 50, 120, 0}};
    for (const Query& q : queries) {
        SCOPED_TRACE(testing::Message() << q.seasonFrom << "-" << q.seasonTo << " " << q.drawFrom << "-" << q.drawTo
                                        << " day " << q.weekday);
        std::vector<DrawRecord> matching;
        for (const DrawRecord& d : history.draws)
            if (d.season >= q.seasonFrom && d.season <= q.seasonTo && d.drawNumber >= q.drawFrom &&
                d.drawNumber <= q.drawTo && (q.weekday == 0 || d.weekday == q.weekday))
                matching.push_back(d);
        ASSERT_GT(matching.size(), 100u);
        const SkipsTable t = computeSkips(history.draws, q.seasonFrom, q.seasonTo, q.drawFrom, q.drawTo, q.weekday);
        EXPECT_EQ(t.matchingDraws, static_cast<int64_t>(matching.size()));
        for (int n = 1; n <= 49; ++n) {
            SCOPED_TRACE(n);
            const NumberSkip plain = PlainSkip(matching, n);
            EXPECT_EQ(t.numbers[n].appearances, plain.appearances);
            EXPECT_EQ(t.numbers[n].current, plain.current);
            EXPECT_EQ(t.numbers[n].longest, plain.longest);
        }
    }
}
