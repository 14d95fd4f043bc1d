#include <gtest/gtest.h>

#include "core/format.h"
#include "history/service_harness.h"
#include "scrutiny/literal_count.h"
#include "scrutiny/statistical.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

struct CannedDraw {
    int season, draw;
    char day;
    std::string numbers;                  // "n1,...,n6,C,R"
    std::array<std::string, 6> prizes;    // 6R, 6, 5C, 5, 4, 3 ("" blank)
};

// A draws answer carrying both branches, as the statistical multi-scrutiny reads it.
std::string answer(const std::vector<CannedDraw>& draws, const std::string& game = "PRIMITIVA")
{
    static const char* const kCategories[6] = {"CAT6R", "CAT6", "CAT5C", "CAT5", "CAT4", "CAT3"};
    std::string combinations, prizes;
    for (const CannedDraw& d : draws) {
        const std::string key = " anio=\"" + std::to_string(d.season) + "\" sorteo=\"" + std::to_string(d.draw) +
                                "\" dia=\"" + std::string(1, d.day) + "\"";
        combinations += "<COMBINACION numeros=\"" + d.numbers + "\"" + key + "/>";
        prizes += "<SORTEO" + key + " fecha=\"01/01/" + std::to_string(d.season) +
                  "\" recaudacion=\"\" bote=\"\"><ESCRUTINIO>";
        for (int c = 0; c < 6; ++c)
            prizes += std::string("<") + kCategories[c] + " premio=\"" + d.prizes[static_cast<size_t>(c)] +
                      "\" acertantes=\"\"/>";
        prizes += "</ESCRUTINIO></SORTEO>";
    }
    return "<?xml version=\"1.0\"?><RESULTADOS><" + game + "><COMBINACIONES>" + combinations +
           "</COMBINACIONES><SORTEOS>" + prizes + "</SORTEOS></" + game + "></RESULTADOS>";
}

BetList betList(const std::vector<std::vector<int>>& rows)
{
    BetList bets(static_cast<int64_t>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        for (size_t j = 0; j < 6; ++j) bets.at(static_cast<int64_t>(i) + 1, static_cast<int>(j) + 1) = static_cast<uint8_t>(rows[i][j]);
    return bets;
}

class Statistical : public ::testing::Test {
protected:
    void SetUp() override { setNumberFormat({".", ","}); }

    StatisticalResult run(const BetList& bets, const std::string& xml, DrawQuery query = everything(),
                          GameType game = GameType::Primitiva)
    {
        const StatisticalDrawsLoad load = parseStatisticalDraws(xml, gameName(game));
        EXPECT_TRUE(load.loaded()) << load.message;
        StatisticalInputs in;
        in.bets = std::make_shared<BetList>(bets);
        in.draws = load.data;
        in.query = query;
        in.game = game;
        Progress progress;
        return runStatisticalScrutiny(in, progress, {});
    }

    static DrawQuery everything() { return {1985, 2030, 1, 999, 0}; }
};

const std::vector<CannedDraw> kTwoDraws = {
    {2010, 1, 'J', "01,02,03,04,05,06,07,3", {"", "1000000", "50000", "2000", "50", "8"}},
    {2010, 2, 'S', "10,20,30,40,41,42,01,5", {"", "2000000", "60000", "3000,5", "40", "7"}},
};

} // namespace

TEST_F(Statistical, OneLinePerDrawThenTheSummary)
{
    // Bet 1 equals draw 1; bet 2 holds five of its numbers and the complementary; bet 3 hits 3.
    const BetList bets = betList({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 20, 30, 49}});
    const StatisticalResult r = run(bets, answer(kTwoDraws));
    ASSERT_TRUE(r.done()) << r.failure;
    EXPECT_EQ(r.report,
              "000001. 2010  001  J   01,02,03,04,05,06,07 * 1-1-0-0-1 * 1.050.008,00\r\n"
              "000002. 2010  002  S   10,20,30,40,41,42,01 * 0-0-0-0-0 * 0,00\r\n"
              "\r\n"
              "DETALLE DE PREMIOS/IMPORTES TOTALES (6-5C-5-4-3)\r\n"
              "------------------------------------------------\r\n"
              "PREMIO     CANTIDAD        IMPORTES           MEDIA\r\n"
              "6          1               1.000.000,00       1.000.000,00\r\n"
              "5+C        1               50.000,00          50.000,00\r\n"
              "5          0               0,00               0,00\r\n"
              "4          0               0,00               0,00\r\n"
              "3          1               8,00               8,00\r\n"
              "\r\n"
              "TOTALES\r\n"
              "-------\r\n"
              "Sorteos Escrutados    : 2\r\n"
              "Importe total         : 1.050.008,00 euros\r\n"
              "Estimación reintegros : 1 euros\r\n"
              "IMPORTE FINAL         : 1.050.009,00 euros\r\n");
    EXPECT_FALSE(r.noPrizeAmounts);
    EXPECT_EQ(r.totals.hits, (std::array<int64_t, 7>{2, 0, 1, 1, 0, 1, 1}));
}

TEST_F(Statistical, AQuerySelectingNoDrawGivesOnlyTheSummary)
{
    const StatisticalResult r = run(betList({{1, 2, 3, 4, 5, 6}}), answer(kTwoDraws), {2011, 2012, 1, 999, 0});
    ASSERT_TRUE(r.done());
    EXPECT_EQ(r.drawsScrutinised, 0);
    EXPECT_EQ(r.report.substr(0, 2), "\r\n");
    EXPECT_NE(r.report.find("6          0               0,00               0,00\r\n"), std::string::npos);
    EXPECT_NE(r.report.find("Sorteos Escrutados    : 0\r\nImporte total         : 0,00 euros\r\n"
                            "Estimación reintegros : 0 euros\r\nIMPORTE FINAL         : 0,00 euros\r\n"),
              std::string::npos);
    EXPECT_FALSE(r.noPrizeAmounts); // nothing was selected, so nothing is missing

    // The day: draw 2 is a Saturday.
    const StatisticalResult saturday = run(betList({{1, 2, 3, 4, 5, 6}}), answer(kTwoDraws), {1985, 2030, 1, 999, 6});
    EXPECT_EQ(saturday.drawsScrutinised, 1);
    EXPECT_EQ(saturday.report.substr(0, 20), "000001. 2010  002  S");
}

TEST_F(Statistical, ReintegroEstimateCountsTheGamesBetPrice)
{
    std::vector<CannedDraw> ten;
    for (int d = 1; d <= 10; ++d) ten.push_back({2012, d, 'L', "44,45,46,47,48,49,43,0", {"", "", "", "", "", ""}});
    Rng rng(8);
    BetList bets(1000);
    for (int64_t i = 1; i <= 1000; ++i) {
        const std::vector<int> low = {1, 2, 3, 4, 5, static_cast<int>(6 + i % 30)};
        for (int j = 0; j < 6; ++j) bets.at(i, j + 1) = static_cast<uint8_t>(low[static_cast<size_t>(j)]);
    }
    const StatisticalResult primitiva = run(bets, answer(ten));
    EXPECT_NE(primitiva.report.find("Estimación reintegros : 1.000 euros\r\nIMPORTE FINAL         : 1.000,00 euros"),
              std::string::npos);
    const StatisticalResult bonoloto = run(bets, answer(ten, "BONOLOTO"), everything(), GameType::Bonoloto);
    EXPECT_NE(bonoloto.report.find("Estimación reintegros : 500 euros\r\nIMPORTE FINAL         : 500,00 euros"),
              std::string::npos);
    // Every amount blank: the window warns that no prize amount came.
    EXPECT_TRUE(primitiva.noPrizeAmounts);
}

TEST_F(Statistical, DrawsAndPrizesMustPairUp)
{
    const std::string good = answer(kTwoDraws);
    const StatisticalDrawsLoad load = parseStatisticalDraws(good, "PRIMITIVA");
    ASSERT_TRUE(load.loaded());
    EXPECT_EQ(load.data->count(), 2);
    EXPECT_EQ(load.firstDraw + " " + load.firstSeason + " " + load.lastDraw + " " + load.lastSeason, "1 2010 2 2010");
    EXPECT_DOUBLE_EQ(load.data->prizes[1][kCat5], 3000.5);

    // The prizes listed in another order would value each draw with the other's prizes.
    std::string swapped = good;
    const size_t a = swapped.find("<SORTEO "), b = swapped.find("<SORTEO ", a + 1);
    const size_t end = swapped.find("</SORTEOS>");
    swapped = swapped.substr(0, a) + swapped.substr(b, end - b) + swapped.substr(a, b - a) + swapped.substr(end);
    StatisticalDrawsLoad bad = parseStatisticalDraws(swapped, "PRIMITIVA");
    EXPECT_EQ(bad.status, DrawsLoadStatus::Failed);
    EXPECT_EQ(bad.message, "ERROR AL CARGAR EL FICHERO DE SORTEOS (los premios del puesto 1 son del sorteo 2 de 2010 y "
                           "no del sorteo 1 de 2010)");
    EXPECT_EQ(bad.firstDraw, "-");

    // An answer without the prizes branch.
    std::string noPrizes = good;
    noPrizes.erase(noPrizes.find("<SORTEOS>"), noPrizes.find("</SORTEOS>") + 10 - noPrizes.find("<SORTEOS>"));
    bad = parseStatisticalDraws(noPrizes, "PRIMITIVA");
    EXPECT_EQ(bad.message, "ERROR AL CARGAR EL FICHERO DE SORTEOS (la respuesta trae 2 sorteos y los premios de 0)");

    bad = parseStatisticalDraws("<RESULTADOS><PRIMITIVA>", "PRIMITIVA");
    EXPECT_EQ(bad.status, DrawsLoadStatus::ParseFailed);
    EXPECT_EQ(bad.message.rfind("ERROR AL CARGAR EL FICHERO DE SORTEOS - ", 0), 0u);
}

TEST_F(Statistical, ValidationInOrder)
{
    StatisticsQuery boxes = defaultStatisticsQuery(2026);
    const struct {
        int64_t bets, draws;
        const char *seasonFrom, *seasonTo, *drawFrom, *drawTo;
        const char* error;
    } cases[] = {
        {0, 0, "", "", "", "", "ERROR: No hay ningún fichero cargado para escrutar"},
        {1, 0, "", "", "", "", "ERROR: No hay ningún fichero de sorteos cargado"},
        {1, 1, "2011", "", "1", "5", "ERROR: Algún campo de la consulta esta vacío"},
        {1, 1, "2011", "2010", "5", "1", "ERROR: Año mínimo mayor que año máximo"},
        {1, 1, "2010", "2011", "5", "1", "ERROR: Número de sorteo mínimo mayor que número de sorteo máximo"},
        {1, 1, "2010", "2010", "1", "1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        boxes.seasonFrom = c.seasonFrom;
        boxes.seasonTo = c.seasonTo;
        boxes.drawFrom = c.drawFrom;
        boxes.drawTo = c.drawTo;
        DrawQuery query;
        EXPECT_EQ(validateStatisticalRun(c.bets, c.draws, boxes, query), c.error);
    }
}

TEST_F(Statistical, TheTableGivesTheSameReportAsBetByBetAndTheLiteralCount)
{
    Rng rng(404);
    std::vector<CannedDraw> draws;
    for (int d = 1; d <= 150; ++d) {
        uint8_t n[6];
        test::randomCombination(rng, n);
        std::string numbers;
        for (uint8_t x : n) numbers += std::to_string(x) + ",";
        numbers += std::to_string(rng.below(50)) + ",0";
        draws.push_back({2000 + d / 100, d % 100 + 1, "LMXJVSD"[d % 7], numbers,
                         {"", "1000000", "50000", "1500,5", "45", "8"}});
    }
    const BetList bets = test::randomBets(rng, 20000, 3);
    const std::string xml = answer(draws);
    StatisticalInputs in;
    in.bets = std::make_shared<BetList>(bets);
    in.draws = parseStatisticalDraws(xml, "PRIMITIVA").data;
    in.query = everything();
    std::string reports[2];
    int i = 0;
    for (auto method : {BetFileCounter::Method::BetByBet, BetFileCounter::Method::SubsetTable}) {
        in.method = method;
        Progress progress;
        const StatisticalResult r = runStatisticalScrutiny(in, progress, {});
        ASSERT_TRUE(r.done());
        reports[i++] = r.report;
        HitTally literal;
        for (const DrawRecord& d : in.draws->draws) literal += test::literalTally(bets, d.numbers, d.complementary);
        EXPECT_EQ(r.totals, literal);
    }
    EXPECT_EQ(reports[0], reports[1]);
}

TEST_F(Statistical, AStoppedRunKeepsOnlyTheLinesGathered)
{
    class StopAtFirstReport : public Progress {
    public:
        explicit StopAtFirstReport(StopFlag& stop) : stop_(stop) {}
        void report(int64_t, int64_t) override { stop_.request(); }

    private:
        StopFlag& stop_;
    };
    std::vector<CannedDraw> many;
    for (int d = 1; d <= 300; ++d) many.push_back({2015, d, 'L', "01,02,03,04,05,06,07,0", {"", "", "", "", "", "3"}});
    StatisticalInputs in;
    in.bets = std::make_shared<BetList>(betList({{1, 2, 3, 10, 11, 12}}));
    in.draws = parseStatisticalDraws(answer(many), "PRIMITIVA").data;
    in.query = everything();
    StopFlag stop;
    StopAtFirstReport progress(stop);
    const StatisticalResult r = runStatisticalScrutiny(in, progress, stop);
    EXPECT_TRUE(r.stopped());
    EXPECT_EQ(r.report.find("TOTALES"), std::string::npos);
    EXPECT_EQ(std::count(r.report.begin(), r.report.end(), '\n'), r.drawsScrutinised);
    EXPECT_GT(r.drawsScrutinised, 0);
    EXPECT_LT(r.drawsScrutinised, 300);
}

TEST_F(Statistical, TheWindowShowsAtMost65118Characters)
{
    EXPECT_EQ(statisticalWindowText("corto\r\n"), "corto\r\n");
    const std::string exact(65118, 'x');
    EXPECT_EQ(statisticalWindowText(exact), exact);
    // Counted in characters: an accented letter is one.
    const std::string longer = "Estimación" + std::string(70000, 'y');
    const std::string shown = statisticalWindowText(longer);
    EXPECT_EQ(shown, longer.substr(0, 65119) + "\r\n\r\n" + kStatisticalTooLongNotice);
}

TEST_F(Statistical, LoadsFromOurServiceOnAFreePort)
{
    test::TempDir dir;
    // A prepared answer with both branches, served as it is.
    test::writeFile(dir.file("primitiva.xml"), answer(kTwoDraws));
    test::ResultsServer server({"--data", dir.path().string()});
    ASSERT_TRUE(server.started());
    const StatisticalDrawsLoad load = loadStatisticalDraws("PRIMITIVA", server.options());
    ASSERT_TRUE(load.loaded()) << load.message;
    EXPECT_EQ(load.data->count(), 2);

    ServiceOptions nowhere = server.options();
    nowhere.baseUrl = "http://127.0.0.1:1";
    const StatisticalDrawsLoad failed = loadStatisticalDraws("PRIMITIVA", nowhere);
    EXPECT_EQ(failed.status, DrawsLoadStatus::Failed);
    EXPECT_EQ(failed.message.rfind("ERROR AL CARGAR EL FICHERO DE SORTEOS (", 0), 0u);
}

TEST_F(Statistical, OurServiceAnswersTheDrawsWithTheirPrizes)
{
    // Built from its data files, not prepared: the draws answer carries the prizes branch too,
    // draw for draw, and a draw without a prizes line has blank amounts.
    test::TempDir dir;
    test::writeFile(dir.file("primitiva.csv"), test::ServiceCsv({"02/01/2020,2020,1,J,1,2,3,4,5,6,7,1",
                                                                 "04/01/2020,2020,2,S,10,11,12,13,14,15,16,2"}));
    test::writeFile(dir.file("primitiva-premios.csv"),
                    "anio,sorteo,recaudacion,bote,premio6R,acertantes6R,premio6,acertantes6,premio5C,acertantes5C,"
                    "premio5,acertantes5,premio4,acertantes4,premio3,acertantes3\r\n"
                    "2020,2,1000.50,0,,,2000000,1,,,,,75.25,12,8.5,300\r\n");
    test::ResultsServer server({"--data", dir.path().string()});
    ASSERT_TRUE(server.started());
    const StatisticalDrawsLoad load = loadStatisticalDraws("PRIMITIVA", server.options());
    ASSERT_TRUE(load.loaded()) << load.message;
    ASSERT_EQ(load.data->count(), 2);
    EXPECT_EQ(load.data->prizes[0], (std::array<double, kPrizeCategoryCount>{}));
    EXPECT_EQ(load.data->prizes[1], (std::array<double, kPrizeCategoryCount>{0, 2000000, 0, 0, 75.25, 8.5}));
    EXPECT_EQ(load.firstSeason + "/" + load.firstDraw + " " + load.lastSeason + "/" + load.lastDraw, "2020/1 2020/2");

    // The same answer still gives the statistics their draws.
    const ServiceDrawsResult draws = FetchServiceDraws("PRIMITIVA", server.options());
    ASSERT_TRUE(draws.ok()) << draws.description;
    EXPECT_EQ(draws.draws.size(), 2u);
}
