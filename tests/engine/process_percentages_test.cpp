#include <gtest/gtest.h>

#include <algorithm>

#include "engine/generation.h"
#include "engine/process_percentages.h"

using namespace kombitron;

TEST(ProcessPercentages, LabelsRoundHalvesToEvenAndShowZeroApart)
{
    std::array<int64_t, 49> counts{};
    counts[0] = 1;   // 12.5 -> 12
    counts[1] = 3;   // 37.5 -> 38
    counts[2] = 8;   // 100
    counts[3] = 5;   // 62.5 -> 62
    NumberPercentages panel = numberPercentages(counts, 8, kPercentagesBeforeCaption);
    EXPECT_EQ(panel.text[0], "12%");
    EXPECT_EQ(panel.text[1], "38%");
    EXPECT_EQ(panel.text[2], "100%");
    EXPECT_EQ(panel.text[3], "62%");
    EXPECT_EQ(panel.text[4], "0 %");
    EXPECT_TRUE(panel.none(5));
    EXPECT_FALSE(panel.none(1));
    EXPECT_TRUE(showsPercentagesAfter(10, 7));
    EXPECT_FALSE(showsPercentagesAfter(10, 10));
}

TEST(ProcessPercentages, BeforeAndAfterCountTheirSystems)
{
    AppState state;
    for (int v : {4, 9, 16, 25, 36, 49, 7}) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    EnumerateSubsets(state, 6);
    state.conditionedSystem = state.totalSystem;  // 7 bets, each number in 6 of them
    state.conditionedCount = 7;
    NumberPercentages before = percentagesBefore(state);
    EXPECT_EQ(before.caption, "Porcentajes ANTES de reducir");
    EXPECT_EQ(before.bets, 7);
    EXPECT_EQ(before.counts[3], 6);
    EXPECT_EQ(before.text[3], "86%");  // 85.71
    EXPECT_EQ(before.text[0], "0 %");

    MapToFinal(state);
    state.finalSystem.truncate(2);  // {4 7 9 16 25 36} and {4 7 9 16 25 49}
    NumberPercentages after = percentagesAfter(state);
    EXPECT_EQ(after.caption, "Porcentajes DESPUES de reducir");
    EXPECT_EQ(after.text[3], "100%");
    EXPECT_EQ(after.text[35], "50%");
    EXPECT_EQ(after.text[48], "50%");
    EXPECT_EQ(after.text[47], "0 %");
}

TEST(ProcessPercentages, ReportLayout)
{
    std::array<int64_t, 49> counts{};
    counts[9] = 4;   // number 10: 50%
    counts[0] = 8;   // number 1: 100%
    NumberPercentages panel = numberPercentages(counts, 8, kPercentagesAfterCaption);
    const std::string text = percentagesReportText(panel);
    const std::string expectedStart = "KOMBITRON Porcentajes DESPUES de reducir:\r\n\r\n"
                                      "            10 50%       20 0 %       30 0 %       40 0 %       \r\n"
                                      "1 100%      11 0 %       21 0 %       31 0 %       41 0 %       \r\n";
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 13);
}
