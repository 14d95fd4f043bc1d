#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "history/draw_history.h"
#include "history/statistics.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

DrawRecord Draw(std::initializer_list<int> numbers, int season, int draw, int weekday)
{
    DrawRecord d;
    int i = 0;
    for (int n : numbers) d.numbers[i++] = static_cast<uint8_t>(n);
    d.season = static_cast<int16_t>(season);
    d.drawNumber = static_cast<uint16_t>(draw);
    d.weekday = static_cast<uint8_t>(weekday);
    return d;
}

DrawHistory HistoryOf(std::initializer_list<DrawRecord> draws)
{
    DrawHistory history;
    history.fileName = "h.txt";
    history.draws = draws;
    return history;
}

StatisticsQuery Query(int statistic)
{
    StatisticsQuery q = defaultStatisticsQuery(2026);
    q.statistic = statistic;
    return q;
}

std::string ResultText(const DrawHistory& history, int statistic)
{
    RecordingInteraction ui;
    const StatisticsResult r = runStatisticsQuery(history, Query(statistic), ui);
    EXPECT_EQ(r.status, StatisticsStatus::Done);
    return r.text;
}

} // namespace

TEST(Statistics, LabelsHeadersAndDefaults)
{
    EXPECT_STREQ(statisticLabel(0), "Números");
    EXPECT_STREQ(statisticLabel(8), "Exteriores/Interiores");
    EXPECT_STREQ(statisticHeader(3), "Distancias      Veces");
    EXPECT_STREQ(statisticHeader(9), "Superiores Inferiores    Apariciones");
    EXPECT_STREQ(statisticHeader(10), "");
    const StatisticsQuery q = defaultStatisticsQuery(2031);
    EXPECT_EQ(q.seasonFrom, "1985");
    EXPECT_EQ(q.seasonTo, "2031");
    EXPECT_EQ(q.drawFrom, "1");
    EXPECT_EQ(q.drawTo, "999");
    EXPECT_EQ(q.weekday, 0);
}

TEST(Statistics, OneDrawOfConsecutiveNumbers)
{
    const DrawHistory h = HistoryOf({Draw({1, 2, 3, 4, 5, 6}, 2010, 1, 4)});
    EXPECT_EQ(ResultText(h, 0), "01 ---> 1\r\n02 ---> 1\r\n03 ---> 1\r\n04 ---> 1\r\n05 ---> 1\r\n06 ---> 1\r\n");
    EXPECT_EQ(ResultText(h, 1), "6    0  ---> 1\r\n5    1  ---> 0\r\n4    2  ---> 0\r\n3    3  ---> 0\r\n"
                         "2    4  ---> 0\r\n1    5  ---> 0\r\n0    6  ---> 0\r\n");
    EXPECT_EQ(ResultText(h, 2), "01-09 ---> 6\r\n10-19 ---> 0\r\n20-29 ---> 0\r\n30-39 ---> 0\r\n40-49 ---> 0");
    const std::string distances = ResultText(h, 3);
    EXPECT_EQ(distances.substr(0, 28), "1   --->  5\r\n2   --->  0\r\n3 ");
    EXPECT_NE(distances.find("\r\n10  --->  0\r\n"), std::string::npos);
    EXPECT_EQ(std::count(distances.begin(), distances.end(), '\n'), 44);
    EXPECT_EQ(ResultText(h, 4), "6     0  --->  0\r\n5     1  --->  0\r\n4     2  --->  0\r\n3     3  --->  1\r\n"
                         "2     4  --->  0\r\n1     5  --->  0\r\n0     6  --->  0\r\n");
    EXPECT_EQ(ResultText(h, 5), "1  --->  0\r\n2  --->  0\r\n3  --->  0\r\n4  --->  0\r\n5  --->  0\r\n6  --->  1\r\n");
    EXPECT_EQ(ResultText(h, 6), "021-030 ---> 1\r\n");
    EXPECT_EQ(ResultText(h, 7), "   0    --->   0\r\n   1    --->   1\r\n   2    --->   1\r\n   3    --->   1\r\n"
                         "   4    --->   1\r\n   5    --->   1\r\n   6    --->   1\r\n   7    --->   0\r\n"
                         "   8    --->   0\r\n   9    --->   0\r\n");
    EXPECT_EQ(ResultText(h, 8), "6       0  --->  1\r\n5       1  --->  0\r\n4       2  --->  0\r\n3       3  --->  0\r\n"
                         "2       4  --->  0\r\n1       5  --->  0\r\n0       6  --->  0\r\n");
    EXPECT_EQ(ResultText(h, 9).substr(0, 40), "6       0  --->  0\r\n5       1  --->  0\r\n");
    EXPECT_NE(ResultText(h, 9).find("4       2  --->  1\r\n"), std::string::npos);
}

TEST(Statistics, SpreadAndUnorderedDraws)
{
    const DrawHistory h = HistoryOf({Draw({5, 11, 23, 31, 40, 47}, 2010, 2, 6)});
    EXPECT_NE(ResultText(h, 5).find("1  --->  1\r\n"), std::string::npos);
    EXPECT_NE(ResultText(h, 4).find("1     5  --->  1\r\n"), std::string::npos);
    EXPECT_EQ(ResultText(h, 6), "151-160 ---> 1\r\n"); // 157

    // Distances and runs read the numbers in ascending order whatever order the file gave.
    const DrawHistory shuffled = HistoryOf({Draw({47, 5, 40, 11, 31, 23}, 2010, 2, 6), Draw({9, 8, 7, 30, 1, 2}, 2010, 3, 2)});
    const std::string d = ResultText(shuffled, 3);
    EXPECT_EQ(d.rfind("1   --->  3\r\n", 0), 0u); // 1-2, 7-8, 8-9
    EXPECT_NE(d.find("\r\n6   --->  1\r\n"), std::string::npos); // 5-11
    EXPECT_NE(d.find("12  --->  1\r\n"), std::string::npos); // 11-23
    EXPECT_NE(d.find("21  --->  1\r\n"), std::string::npos); // 9-30
    EXPECT_NE(ResultText(shuffled, 5).find("3  --->  1\r\n"), std::string::npos);  // 7 8 9
}

TEST(Statistics, QueryRangesAndDays)
{
    const DrawHistory h = HistoryOf({Draw({1, 2, 3, 4, 5, 6}, 2010, 1, 4), Draw({7, 8, 9, 10, 11, 12}, 2010, 2, 0),
                                     Draw({13, 14, 15, 16, 17, 18}, 2011, 300, 4), Draw({19, 20, 21, 22, 23, 24}, 2012, 1, 6)});
    RecordingInteraction ui;
    StatisticsQuery q = Query(0);
    q.weekday = 4; // Jueves: neither the Saturday nor the unknown day
    StatisticsResult r = runStatisticsQuery(h, q, ui);
    EXPECT_EQ(r.matchingDraws, 2);
    EXPECT_EQ(r.lines.front(), "01 ---> 1");
    EXPECT_EQ(r.lines.back(), "18 ---> 1");

    q.weekday = 0;
    q.drawFrom = "256"; // draw numbers past one byte
    r = runStatisticsQuery(h, q, ui);
    EXPECT_EQ(r.matchingDraws, 1);
    EXPECT_EQ(r.lines.size(), 6u);

    q.seasonFrom = "2011";
    q.seasonTo = "2012";
    q.drawFrom = "1";
    q.drawTo = "1";
    r = runStatisticsQuery(h, q, ui);
    EXPECT_EQ(r.matchingDraws, 1);
    EXPECT_EQ(r.lines.front(), "19 ---> 1");
    EXPECT_TRUE(ui.messages.empty());

    // Nothing matches: "Números" is empty with its warning, "Decenas" lists zeros silently.
    q.seasonFrom = q.seasonTo = "1999";
    r = runStatisticsQuery(h, q, ui);
    EXPECT_EQ(r.status, StatisticsStatus::Done);
    EXPECT_EQ(r.matchingDraws, 0);
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Ningún dato coincide con la consulta realizada"});
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    q.statistic = 2;
    RecordingInteraction quiet;
    r = runStatisticsQuery(h, q, quiet);
    EXPECT_EQ(r.text, "01-09 ---> 0\r\n10-19 ---> 0\r\n20-29 ---> 0\r\n30-39 ---> 0\r\n40-49 ---> 0");
    EXPECT_TRUE(quiet.messages.empty());
}

TEST(Statistics, RefusedQueries)
{
    const DrawHistory h = HistoryOf({Draw({1, 2, 3, 4, 5, 6}, 2010, 1, 4)});
    struct Case {
        const char* seasonFrom;
        const char* seasonTo;
        const char* drawFrom;
        const char* drawTo;
        StatisticsStatus status;
        const char* message;
    };
    const Case cases[] = {
        {"", "2026", "1", "999", StatisticsStatus::EmptyField, "ERROR: Algún campo de la consulta esta vacío"},
        {"1985", "2026", "1", "", StatisticsStatus::EmptyField, "ERROR: Algún campo de la consulta esta vacío"},
        {"19x5", "2026", "1", "999", StatisticsStatus::EmptyField, "ERROR: Algún campo de la consulta esta vacío"},
        {"2011", "2010", "1", "999", StatisticsStatus::SeasonRange, "ERROR: Año mínimo mayor que año máximo"},
        {"2011", "2010", "9", "1", StatisticsStatus::SeasonRange, "ERROR: Año mínimo mayor que año máximo"},
        {"1985", "2026", "9", "1", StatisticsStatus::DrawRange,
         "ERROR: Número de sorteo mínimo mayor que número de sorteo máximo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        StatisticsQuery q{c.seasonFrom, c.seasonTo, c.drawFrom, c.drawTo, 0, 0};
        RecordingInteraction ui;
        const StatisticsResult r = runStatisticsQuery(h, q, ui);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.lines.empty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(ui.messages[0].text, c.message);
    }
    RecordingInteraction ui;
    EXPECT_EQ(runStatisticsQuery(DrawHistory{}, Query(3), ui).status, StatisticsStatus::NoHistory);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"No hay ningún fichero de sorteos cargado"});
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
}

TEST(Statistics, WholeBonolotoHistoryAgainstPlainCounts)
{
    DrawHistory history;
    RecordingInteraction loader;
    ASSERT_EQ(LoadDrawHistory(history, std::string(KOMBITRON_SOURCE_DIR) + "/data/bonoloto.txt", loader).count, 9361);

    // Per-draw tallies straight from the grid's geometry (row = n mod 10, column = n div 10).
    auto tally = [&](auto member) {
        std::vector<int> perK(7, 0);
        for (const DrawRecord& d : history.draws) {
            int k = 0;
            for (uint8_t n : d.numbers) k += member(n) ? 1 : 0;
            ++perK[k];
        }
        return perK;
    };
    const auto exterior = tally([](int n) { return n % 10 == 0 || n % 10 == 9 || n / 10 == 0 || n / 10 == 4; });
    const auto upper = tally([](int n) { return n % 10 <= 4; });
    const auto high = tally([](int n) { return n >= 25; });
    RecordingInteraction ui;
    for (int statistic = 0; statistic < kStatisticCount; ++statistic) {
        const StatisticsResult r = runStatisticsQuery(history, Query(statistic), ui);
        EXPECT_EQ(r.matchingDraws, 9361);
        int64_t sum = 0;
        for (const std::string& line : r.lines) sum += std::stoll(line.substr(line.rfind(' ') + 1));
        const int64_t expected[kStatisticCount] = {6 * 9361, 9361, 6 * 9361, 5 * 9361, 9361, 9361, 9361, 6 * 9361, 9361, 9361};
        EXPECT_EQ(sum, expected[statistic]) << statisticLabel(statistic);
    }
    const StatisticsResult ext = runStatisticsQuery(history, Query(8), ui);
    const StatisticsResult up = runStatisticsQuery(history, Query(9), ui);
    const StatisticsResult hi = runStatisticsQuery(history, Query(1), ui);
    for (int k = 0; k <= 6; ++k) {
        EXPECT_EQ(ext.lines[6 - k], std::to_string(k) + "       " + std::to_string(6 - k) + "  --->  " + std::to_string(exterior[k]));
        EXPECT_EQ(up.lines[6 - k], std::to_string(k) + "       " + std::to_string(6 - k) + "  --->  " + std::to_string(upper[k]));
        EXPECT_EQ(hi.lines[k], std::to_string(6 - k) + "    " + std::to_string(k) + "  ---> " + std::to_string(high[k]));
    }
    EXPECT_TRUE(ui.messages.empty());

    // The draws past 255 of a year are reachable by their numbers.
    StatisticsQuery late = Query(0);
    late.drawFrom = "256";
    const StatisticsResult r = runStatisticsQuery(history, late, ui);
    const int64_t expectedLate = std::count_if(history.draws.begin(), history.draws.end(),
                                               [](const DrawRecord& d) { return d.drawNumber >= 256; });
    EXPECT_GT(expectedLate, 500);
    EXPECT_EQ(r.matchingDraws, expectedLate);
}
