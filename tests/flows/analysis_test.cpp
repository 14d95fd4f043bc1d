#include <gtest/gtest.h>

#include "core/format.h"
#include "core/paths.h"
#include "flows/analysis.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

BetList listOf(std::initializer_list<Bet> bets)
{
    BetList list(static_cast<int64_t>(bets.size()));
    int64_t i = 1;
    for (const Bet& b : bets) list.set(i++, b);
    return list;
}

} // namespace

TEST(Analysis, CountsPercentagesAndTheirReport)
{
    setNumberFormat({".", ","});
    const BetList bets =
        listOf({Bet{{1, 2, 3, 4, 5, 6}, 7}, Bet{{1, 2, 3, 10, 20, 49}, 7}, Bet{{1, 11, 12, 13, 14, 15}, 0}});
    const AnalysisCounts counts = countAnalysis(bets, 3);
    EXPECT_EQ(counts.numbers[1], 3);
    EXPECT_EQ(counts.numbers[49], 1);
    EXPECT_EQ(counts.reintegros[7], 2);

    const AnalysisCells shown = analysisCellTexts(counts, AnalysisView::Counts);
    EXPECT_EQ(shown.numbers[0], "3");
    EXPECT_EQ(shown.numbers[47], "");
    const AnalysisCells percent = analysisCellTexts(counts, AnalysisView::Percentages);
    EXPECT_EQ(percent.numbers[0], "100%");
    EXPECT_EQ(percent.numbers[1], "66,67%");
    EXPECT_EQ(percent.numbers[48], "33,33%");
    EXPECT_EQ(percent.reintegros[1], "");

    const std::string report = analysisReportText(percent, true);
    EXPECT_EQ(report.rfind("KOMBITRON ANALISIS:\r\n\r\nNUMEROS\r\n            10 33,33%    20 33,33%    30 --        40 --        \r\n", 0), 0u)
        << report;
    EXPECT_NE(report.find("\r\n1 100%      11 33,33%    21 --        31 --        41 --        \r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("REINTEGROS\r\n0 33,33%    1 --        "), std::string::npos);
    EXPECT_EQ(analysisReportText(shown, false).find("REINTEGROS"), std::string::npos);
}

// Only the first bets asked for are analysed; they stay the divisor of the percentages.
TEST(Analysis, TheAnalysedBetsAreTheFirstOnes)
{
    setNumberFormat({".", ","});
    const BetList bets = listOf({Bet{{1, 2, 3, 4, 5, 6}, 1}, Bet{{7, 8, 9, 10, 11, 12}, 2}});
    const AnalysisCounts one = countAnalysis(bets, 1);
    EXPECT_EQ(one.numbers[1], 1);
    EXPECT_EQ(one.numbers[7], 0);
    EXPECT_EQ(analysisCellTexts(one, AnalysisView::Percentages).numbers[0], "100%");
    const AnalysisCounts more = countAnalysis(bets, 4);  // fewer bets than asked: all of them, over 4
    EXPECT_EQ(analysisCellTexts(more, AnalysisView::Percentages).numbers[0], "25%");
}

TEST(Analysis, ReportGoesToItsFile)
{
    TempDir dir;
    setApplicationFolder(dir.path().string());
    RecordingInteraction ui;
    AnalysisCells cells;
    cells.numbers[0] = "1";
    ASSERT_TRUE(showAnalysisReport(cells, false, ui));
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    EXPECT_EQ(ui.editorPaths[0], dir.file("KOMBITRON_ANALISIS.txt"));
    EXPECT_EQ(readFile(ui.editorPaths[0]), analysisReportText(cells, false) + "\r\n");
    EXPECT_NE(readFile(ui.editorPaths[0]).find("\r\n1 1         11 --        "), std::string::npos);
}
