#include <gtest/gtest.h>

#include "core/format.h"
#include "history/service_harness.h"
#include "scrutiny/prize_calculator.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

class PrizeCalculator : public ::testing::Test {
protected:
    void SetUp() override { setNumberFormat({".", ","}); }
};

CalculatorBoxes boxes(std::array<std::string, 5> prizes, std::array<std::string, 5> amounts)
{
    CalculatorBoxes b;
    b.prizes = prizes;
    b.amounts = amounts;
    return b;
}

DrawPrizes drawPrizes(const std::string& date, int16_t season, uint16_t draw, double prize6, double prize3)
{
    DrawPrizes p;
    p.date = date;
    p.season = season;
    p.drawNumber = draw;
    p.weekday = 4;
    p.takings = 1234567.5;
    p.jackpot = 0;
    p.categories[kCat6] = {prize6, 1};
    p.categories[kCat5C] = {250000, 0};
    p.categories[kCat5] = {2500.25, 12};
    p.categories[kCat4] = {60, 800};
    p.categories[kCat3] = {prize3, 15000};
    return p;
}

PrizesFetch answering(ServicePrizesResult answer)
{
    return [answer](const std::string&) { return answer; };
}

} // namespace

TEST_F(PrizeCalculator, TotalAndPercentage)
{
    // One, none, two, ten and fifty prizes of 100, 0, 20.5, 6 and 3 euros.
    const CalculatorBoxes b = boxes({"1", "0", "2", "10", "50"}, {"100", "0", "20,5", "6", "3"});
    const CalculatorTotals t = recomputeCalculator(b, 351, GameType::Primitiva);
    EXPECT_DOUBLE_EQ(t.total, 351);
    EXPECT_EQ(t.totalText, "351,00");
    EXPECT_EQ(t.percentText, "100%");
    EXPECT_TRUE(t.green);

    const struct {
        const char* amount3;
        int64_t bets;
        GameType game;
        const char* percent;
        bool green;
    } cases[] = {
        {"3", 200, GameType::Primitiva, "75%", false},   // 150 of 200 euros
        {"4", 200, GameType::Primitiva, "100%", true},   // 200 of 200 euros
        {"3", 300, GameType::Bonoloto, "100%", true},    // 300 bets of 0,50 cost 150 euros
        {"3", 900, GameType::Primitiva, "16,67%", false},
        {"3", 0, GameType::Primitiva, "0%", false},      // nothing scrutinised
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        const CalculatorTotals r = recomputeCalculator(boxes({"0", "0", "0", "0", "50"}, {"0", "0", "0", "0", c.amount3}),
                                                       c.bets, c.game);
        EXPECT_EQ(r.percentText, c.percent);
        EXPECT_EQ(r.green, c.green);
    }
}

TEST_F(PrizeCalculator, ABoxThatDoesNotConvertGivesNoTotal)
{
    for (const auto& b : {boxes({"1", "", "0", "0", "0"}, {"10", "0", "0", "0", "0"}),
                          boxes({"1", "0", "0", "0", "0"}, {"10", "1,2,3", "0", "0", "0"}),
                          boxes({"1", "0", "0", "0", "0"}, {"10", "", "0", "0", "0"})}) {
        const CalculatorTotals t = recomputeCalculator(b, 10, GameType::Primitiva);
        EXPECT_EQ(t.totalText, "0,00");
        EXPECT_EQ(t.percentText, "0%");
    }
    // "." is let through as a decimal point too.
    EXPECT_EQ(recomputeCalculator(boxes({"2", "0", "0", "0", "0"}, {"2.25", "0", "0", "0", "0"}), 1, GameType::Primitiva)
                  .totalText,
              "4,50");
    // Opening: the scrutiny's counts and every amount 0.
    const CalculatorBoxes opened = calculatorFromCounts({1, 0, 3, 45, 678});
    EXPECT_EQ(opened.prizes, (std::array<std::string, 5>{"1", "0", "3", "45", "678"}));
    EXPECT_EQ(opened.amounts, (std::array<std::string, 5>{"0", "0", "0", "0", "0"}));
}

TEST_F(PrizeCalculator, ConsultationByDate)
{
    ServicePrizesResult answer;
    answer.draws = {drawPrizes("01/01/2015", 2015, 1, 0, 8), drawPrizes("03/01/2015", 2015, 2, 3000000, 8.5),
                    drawPrizes("03/01/2015", 2015, 99, 1, 1)};

    // The date is compared as text: 1/1/2015 is a valid date, but no draw is written that way.
    PrizeConsultation c = consultPrizesByDate("PRIMITIVA", {"1", "1", "2015"}, answering(answer));
    EXPECT_EQ(c.status, ConsultationStatus::NotFound);
    EXPECT_EQ(c.message, "ERROR: SORTEO NO ENCONTRADO");
    EXPECT_FALSE(c.clearBoxes());

    // The first draw of the date, boxes trimmed.
    c = consultPrizesByDate("PRIMITIVA", {" 03", "01 ", "2015"}, answering(answer));
    ASSERT_EQ(c.status, ConsultationStatus::Found);
    EXPECT_TRUE(c.message.empty());
    EXPECT_EQ(c.boxes.drawNumber, "2");
    EXPECT_EQ(c.boxes.takings, "1234567,5");
    EXPECT_EQ(c.boxes.jackpot, "0");
    EXPECT_EQ(c.boxes.weekdayIndex, 3);
    EXPECT_EQ(c.boxes.prizes, (std::array<std::string, 5>{"3000000", "250000", "2500,25", "60", "8,5"}));
    EXPECT_EQ(c.boxes.winners, (std::array<std::string, 5>{"1", "0", "12", "800", "15000"}));
    CalculatorBoxes calculator = calculatorFromCounts({0, 0, 0, 2, 10});
    applyConsultation(c, calculator);
    EXPECT_EQ(calculator.amounts, c.boxes.prizes);
    EXPECT_EQ(recomputeCalculator(calculator, 100, GameType::Primitiva).totalText, "205,00");

    for (const DrawDateBoxes& bad : {DrawDateBoxes{"31", "02", "2015"}, DrawDateBoxes{"", "01", "2015"},
                                     DrawDateBoxes{"29", "02", "2015"}, DrawDateBoxes{"1", "13", "2015"}}) {
        SCOPED_TRACE(drawDateText(bad));
        c = consultPrizesByDate("PRIMITIVA", bad, answering(answer));
        EXPECT_EQ(c.status, ConsultationStatus::InvalidDate);
        EXPECT_EQ(c.message, "ERROR: FECHA DE SORTEO INCORRECTA");
    }
    EXPECT_TRUE(isValidDrawDate({"29", "02", "2016"}));
}

TEST_F(PrizeCalculator, ConsultationFailures)
{
    ServicePrizesResult parse;
    parse.status = ServiceStatus::Parse;
    parse.description = "Error parsing end tag";
    PrizeConsultation c = consultPrizesByDate("PRIMITIVA", {"01", "01", "2015"}, answering(parse));
    EXPECT_EQ(c.status, ConsultationStatus::ParseFailed);
    EXPECT_EQ(c.message, "ERROR AL CARGAR EL FICHERO DE SORTEOS - Error parsing end tag");

    ServicePrizesResult transport;
    transport.status = ServiceStatus::Transport;
    transport.description = "Connection refused";
    c = consultPrizesByDate("PRIMITIVA", {"01", "01", "2015"}, answering(transport));
    EXPECT_EQ(c.status, ConsultationStatus::Failed);
    EXPECT_EQ(c.message, "ERROR AL CARGAR EL FICHERO DE SORTEOS (Connection refused)");
    EXPECT_TRUE(c.clearBoxes());
    EXPECT_EQ(c.boxes.takings, "0");
    EXPECT_EQ(c.boxes.prizes[0], "0");

    c = consultPrizesByDate("BONOLOTO", {"01", "01", "2015"}, answering(ServicePrizesResult{}));
    EXPECT_EQ(c.status, ConsultationStatus::Failed);
    EXPECT_EQ(c.message, "ERROR AL CARGAR EL FICHERO DE SORTEOS (la respuesta no trae ningún sorteo de BONOLOTO)");
}

TEST_F(PrizeCalculator, ConsultationAgainstOurService)
{
    test::TempDir dir;
    test::writeFile(dir.file("primitiva.csv"), test::ServiceCsv({"01/01/2015,2015,1,J,1,2,3,4,5,6,7,8",
                                                                 "03/01/2015,2015,2,S,8,9,10,11,12,13,14,5"}));
    test::writeFile(dir.file("primitiva-premios.csv"),
                    "anio,sorteo,recaudacion,bote,premio6R,acertantes6R,premio6,acertantes6,premio5C,acertantes5C,"
                    "premio5,acertantes5,premio4,acertantes4,premio3,acertantes3\r\n"
                    "2015,2,5000000.00,,,,1500000.50,1,60000,2,1500,40,45.5,2000,8,40000\r\n");
    test::ResultsServer server({"--data", dir.path().string()});
    ASSERT_TRUE(server.started());
    const PrizesFetch fetch = servicePrizesFetch(server.options());

    PrizeConsultation c = consultPrizesByDate("PRIMITIVA", {"03", "01", "2015"}, fetch);
    ASSERT_EQ(c.status, ConsultationStatus::Found) << c.message;
    EXPECT_EQ(c.boxes.drawNumber, "2");
    EXPECT_EQ(c.boxes.weekdayIndex, 5);
    EXPECT_EQ(c.boxes.takings, "5000000");
    EXPECT_EQ(c.boxes.prizes, (std::array<std::string, 5>{"1500000,5", "60000", "1500", "45,5", "8"}));
    EXPECT_EQ(c.boxes.winners, (std::array<std::string, 5>{"1", "2", "40", "2000", "40000"}));
    // A draw without a prizes line is answered blank: every amount reads 0.
    c = consultPrizesByDate("PRIMITIVA", {"01", "01", "2015"}, fetch);
    ASSERT_EQ(c.status, ConsultationStatus::Found) << c.message;
    EXPECT_EQ(c.boxes.prizes[0], "0");
    EXPECT_EQ(consultPrizesByDate("PRIMITIVA", {"1", "1", "2015"}, fetch).status, ConsultationStatus::NotFound);
}

TEST_F(PrizeCalculator, SummaryReportText)
{
    PrizeSummaryInputs in;
    in.game = GameType::Bonoloto;
    in.date = {"03", "01", "2015 "};
    in.drawNumber = "2";
    in.weekdayText = "S";
    in.combinationName = "Sin guardar.xml";
    in.bets = 17;
    in.winningNumbers = {3, 8, 11, 17, 29, 0};
    in.complementaryText = "--";
    in.calculator = boxes({"0", "0", "1", "2", "10"}, {"0", "0", "1500", "45,5", "4"});
    EXPECT_FALSE(prizeSummaryFieldsMissing(in));
    EXPECT_EQ(prizeSummaryReport(in),
              "Tipo de Juego            : BONOLOTO\r\n"
              "Fecha Sorteo             : 03/01/2015 \r\n"
              "Número Sorteo            : 2\r\n"
              "Día                      : S\r\n"
              "Combinación Escrutada    : Sin guardar.xml\r\n"
              "Total Apuestas           : 17\r\n"
              "Total Boletos(de 8 apu.) : 3\r\n"
              "Números Ganadores        : 03,08,11,17,29\r\n"
              "Nº Complementario        : --\r\n"
              "\r\n"
              "Resultados\r\n"
              "----------\r\n"
              "Categoría NºPremios Euros\r\n"
              "6         0         0\r\n"
              "5+C       0         0\r\n"
              "5         1         1500\r\n"
              "4         2         45,5\r\n"
              "3         10        4\r\n"
              "\r\n"
              "Invertido             : 8,50 Euros\r\n"
              "Total Cobrado         : 1631,00 Euros\r\n"
              "Porcentaje Recuperado : 19188,24%\r\n");

    in.drawNumber = " ";
    EXPECT_TRUE(prizeSummaryFieldsMissing(in));
    in.drawNumber = "2";
    in.date.year = "";
    EXPECT_TRUE(prizeSummaryFieldsMissing(in));
}

TEST_F(PrizeCalculator, TheScrutinisedCombinationIsNamedAsTheFilterSummaryNamesIt)
{
    AppState state;
    EXPECT_EQ(scrutinisedCombinationName(state), "Sin guardar.xml");
    state.baseFileName = "mi sistema.xml";
    EXPECT_EQ(scrutinisedCombinationName(state), "mi sistema.xml");
    state.base.kind = CombinationKind::FromFile;
    state.base.importedFileName = "/home/jugador/apuestas/semana 12.KMB";
    EXPECT_EQ(scrutinisedCombinationName(state), "semana 12.KMB");
}

TEST_F(PrizeCalculator, ConsultationShowsEurosWithCents)
{
    // Amounts that binary fractions do not hold exactly show as the service wrote them.
    DrawPrizes p = drawPrizes("15/03/2025", 2025, 21, 0, 8);
    p.takings = 8413352.37;
    p.jackpot = 4300000.1;
    p.categories[kCat5C] = {91235.62, 2};
    p.categories[kCat4] = {61.35, 3412};
    ServicePrizesResult answer;
    answer.draws = {p};
    const PrizeConsultation c = consultPrizesByDate("PRIMITIVA", {"15", "03", "2025"}, answering(answer));
    ASSERT_EQ(c.status, ConsultationStatus::Found);
    EXPECT_EQ(c.boxes.takings, "8413352,37");
    EXPECT_EQ(c.boxes.jackpot, "4300000,1");
    EXPECT_EQ(c.boxes.prizes, (std::array<std::string, 5>{"0", "91235,62", "2500,25", "61,35", "8"}));
    CalculatorBoxes calculator = calculatorFromCounts({0, 1, 0, 2, 0});
    applyConsultation(c, calculator);
    EXPECT_EQ(recomputeCalculator(calculator, 10, GameType::Primitiva).totalText, "91358,32");
}
