#include <gtest/gtest.h>

#include <filesystem>

#include "core/paths.h"
#include "engine/generation.h"
#include "engine/process_percentages.h"
#include "engine/process_run.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

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
    NumberPercentages before = PercentagesBefore(state);
    EXPECT_EQ(before.caption, "Porcentajes ANTES de reducir");
    EXPECT_EQ(before.bets, 7);
    EXPECT_EQ(before.counts[3], 6);
    EXPECT_EQ(before.text[3], "86%");  // 85.71
    EXPECT_EQ(before.text[0], "0 %");

    MapToFinal(state);
    state.finalSystem.truncate(2);  // {4 7 9 16 25 36} and {4 7 9 16 25 49}
    NumberPercentages after = PercentagesAfter(state);
    EXPECT_EQ(after.caption, "Porcentajes DESPUES de reducir");
    EXPECT_EQ(after.text[3], "100%");
    EXPECT_EQ(after.text[35], "50%");
    EXPECT_EQ(after.text[48], "50%");
    EXPECT_EQ(after.text[47], "0 %");
}

TEST(ProcessPercentages, ReportLayoutAndFile)
{
    std::array<int64_t, 49> counts{};
    counts[9] = 4;   // number 10: 50%
    counts[0] = 8;   // number 1: 100%
    NumberPercentages panel = numberPercentages(counts, 8, kPercentagesAfterCaption);
    const std::string text = PercentagesReportText(panel);
    const std::string expectedStart = "KOMBITRON Porcentajes DESPUES de reducir:\r\n\r\n"
                                      "            10 50%       20 0 %       30 0 %       40 0 %       \r\n"
                                      "1 100%      11 0 %       21 0 %       31 0 %       41 0 %       \r\n";
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 13);

    TempDir dir;
    setApplicationFolder(dir.path().string());
    std::string path, failure;
    ASSERT_TRUE(WritePercentagesReport(panel, path, failure)) << failure;
    EXPECT_EQ(path, dir.file("KOMBITRON_ANALISIS.txt"));
    EXPECT_EQ(readFile(path), text + "\r\n");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // a folder in the way of the file
    EXPECT_FALSE(WritePercentagesReport(panel, path, failure));
    EXPECT_FALSE(failure.empty());
}

namespace {
AppState generatedState(std::initializer_list<int> numbers, double eliminate)
{
    AppState state;
    for (int v : numbers) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    const int64_t total = EnumerateSubsets(state, 6);
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);
    for (int64_t i = 0; i < total; ++i) state.eliminationFlags[static_cast<size_t>(i)] = (i * 7919 % 100) < eliminate * 100;
    state.noBetEliminated = eliminate == 0;
    return state;
}
} // namespace

TEST(ProcessRun, ExactCountAfterACountedCycle)
{
    AppState state = generatedState({1, 5, 9, 13, 17, 21, 25, 29, 33, 37}, 0.3);
    state.reduction.type = 1;
    state.reduction.byBetCount = 1;
    state.reduction.betCount = 3;  // fewer than a full cover needs: the result is cut
    state.reduction.exactCount = 1;
    state.reduction.cycles = 0;
    StopFlag stop;
    ProcessRunResult run = RunProcessCalculation(state, {}, stop);
    ASSERT_TRUE(run.reduction.found);
    EXPECT_EQ(run.reduction.cyclesDone, 1);
    EXPECT_TRUE(run.adjusted);
    EXPECT_GT(run.reduction.best, 3);
    EXPECT_EQ(state.reducedCount, 3);
    EXPECT_EQ(state.finalSystem.size(), 3);
    EXPECT_EQ(run.shownReduced, 3);
    EXPECT_EQ(run.panel.caption, "Porcentajes DESPUES de reducir");
    EXPECT_EQ(run.panel.bets, 3);
    EXPECT_EQ(run.before.bets, state.conditionedCount);
}

TEST(ProcessRun, StopBeforeTheFirstCycleKeepsTheConditionedFigures)
{
    AppState state = generatedState({2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24}, 0.1);
    state.reduction.type = 1;
    state.reduction.exactCount = 1;
    state.reduction.byBetCount = 1;
    state.reduction.betCount = 5;
    state.reducedCount = 0;
    StopFlag stop;
    ReductionCallbacks cb;
    cb.yield = [&] { stop.request(); };  // stops the coverage analysis at its first yield
    ProcessRunResult run = RunProcessCalculation(state, cb, stop);
    EXPECT_FALSE(run.reduction.found);
    EXPECT_FALSE(run.adjusted);
    EXPECT_EQ(state.reducedCount, 0);
    EXPECT_EQ(run.shownReduced, run.shownConditioned);
    EXPECT_EQ(run.panel.caption, "Porcentajes ANTES de reducir");
}
