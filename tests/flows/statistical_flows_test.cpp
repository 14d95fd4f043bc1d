#include <gtest/gtest.h>

#include "core/format.h"
#include "core/paths.h"
#include "flows/statistical_flows.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

const char* const kAnswer =
    "<?xml version=\"1.0\"?><RESULTADOS><BONOLOTO><COMBINACIONES>"
    "<COMBINACION numeros=\"01,02,03,04,05,06,07,0\" anio=\"2020\" sorteo=\"300\" dia=\"X\"/>"
    "</COMBINACIONES><SORTEOS><SORTEO anio=\"2020\" sorteo=\"300\" dia=\"X\" fecha=\"02/12/2020\">"
    "<ESCRUTINIO><CAT6 premio=\"500000\"/><CAT3 premio=\"4\"/></ESCRUTINIO></SORTEO></SORTEOS></BONOLOTO></RESULTADOS>";

class StatisticalFlows : public ::testing::Test {
protected:
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
};

} // namespace

TEST_F(StatisticalFlows, ValidationThenRunThenReport)
{
    StatisticalRunRequest request;
    request.boxes = defaultStatisticsQuery(2026);
    request.game = GameType::Bonoloto;
    EXPECT_TRUE(runStatisticalFlow(request, ui).failed());
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: No hay ningún fichero cargado para escrutar"}));

    test::writeFile(dir.file("apuestas.txt"), "01 02 03 10 11 12\r\n01 02 03 04 05 06\r\n");
    request.bets = loadStatisticalBets(dir.file("apuestas.txt"), ui).bets;
    request.draws = parseStatisticalDraws(kAnswer, "BONOLOTO").data;
    ASSERT_TRUE(request.draws);
    ui.messages.clear();
    const StatisticalResult r = showStatisticalReport(request, ui);
    ASSERT_TRUE(r.done());
    EXPECT_TRUE(ui.messages.empty());
    const std::string firstLine = "000001. 2020  300  X   01,02,03,04,05,06,07 * 1-0-0-0-1 * 500.004,00\r\n";
    EXPECT_EQ(r.report.substr(0, firstLine.size()), firstLine);
    EXPECT_EQ(test::readFile(dir.file("KOMBITRON_ESCRUTINIO.txt")), r.report);
    EXPECT_EQ(ui.editorPaths, (std::vector<std::string>{dir.file("KOMBITRON_ESCRUTINIO.txt")}));
}

TEST_F(StatisticalFlows, LoadingMessages)
{
    test::writeFile(dir.file("nada.txt"), "\r\n");
    EXPECT_EQ(loadStatisticalBets(dir.file("nada.txt"), ui).count(), 0);
    EXPECT_EQ(ui.messages.back().text.rfind("AVISO: Se han importado 0 apuestas.", 0), 0u);

    ServiceOptions nowhere;
    nowhere.baseUrl = "http://127.0.0.1:1";
    nowhere.connectTimeoutMs = 2000;
    const StatisticalDrawsLoad load = loadStatisticalDrawsFlow("PRIMITIVA", nowhere, ui);
    EXPECT_FALSE(load.loaded());
    EXPECT_EQ(ui.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(ui.lastText(), load.message);
    EXPECT_EQ(load.lastSeason, "-");
}

TEST_F(StatisticalFlows, LoadingFromAnotherSource)
{
    const StatisticalDrawsSource answer = [](const std::string& game) { return parseStatisticalDraws(kAnswer, game); };
    StatisticalDrawsLoad load = loadStatisticalDrawsFlow("BONOLOTO", answer, ui);
    ASSERT_TRUE(load.loaded());
    EXPECT_EQ(load.data->count(), 1);
    EXPECT_EQ(load.firstSeason + " " + load.firstDraw, "2020 300");
    EXPECT_TRUE(ui.messages.empty());

    // A source that gives out is a failed load, never an exception through the window's job.
    const StatisticalDrawsSource exhausted = [](const std::string&) -> StatisticalDrawsLoad { throw std::bad_alloc(); };
    load = loadStatisticalDrawsFlow("BONOLOTO", exhausted, ui);
    EXPECT_FALSE(load.loaded());
    EXPECT_EQ(load.firstDraw, "-");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR AL CARGAR EL FICHERO DE SORTEOS (memoria insuficiente)"}));
}
