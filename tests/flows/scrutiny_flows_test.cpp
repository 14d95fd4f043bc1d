#include <gtest/gtest.h>

#include "core/format.h"
#include "core/paths.h"
#include "flows/scrutiny_flows.h"
#include "formats/bet_files.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

class ScrutinyFlows : public ::testing::Test {
protected:
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
    }

    std::string kmb(const std::string& name, const std::vector<std::array<int, 7>>& rows)
    {
        BetList bets(static_cast<int64_t>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i)
            for (int j = 0; j < 7; ++j) bets.at(static_cast<int64_t>(i) + 1, j + 1) = static_cast<uint8_t>(rows[i][static_cast<size_t>(j)]);
        Progress progress;
        StopFlag stop;
        EXPECT_TRUE(WriteBetFile(dir.file(name), "0", bets, bets.size(), progress, stop).ok());
        return dir.file(name);
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
};

const std::string kZeroBets = "AVISO: Se han importado 0 apuestas.\nEl fichero ha de estar en formato: 010203040506 o "
                              "01,02,03,04,05,06 o 01 02 03 04 05 06";

} // namespace

TEST_F(ScrutinyFlows, OpeningABetFile)
{
    // Cancelling the dialog changes nothing.
    ScrutinyFileLoad load = openScrutinyFile(true, ui);
    EXPECT_FALSE(load.chosen);
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, "Abrir Fichero");
    ASSERT_EQ(ui.openRequests[0].filters.size(), 3u);
    EXPECT_EQ(ui.openRequests[0].filters[1].description, "Ficheros en formato KOMBITRON (*.KMB)");
    EXPECT_EQ(ui.openRequests[0].filterIndex, 2);
    EXPECT_TRUE(ui.messages.empty());

    // A KMB file without "Cargar Reintegros": every bet plays reintegro 0, and the player is told.
    const std::string path = kmb("semana.KMB", {{1, 2, 3, 4, 5, 6, 7}, {2, 3, 4, 5, 6, 7, 9}});
    ui.openPaths.push_back(path);
    load = openScrutinyFile(false, ui);
    ASSERT_EQ(load.count(), 2);
    EXPECT_EQ(load.fileName, "semana.KMB");
    EXPECT_EQ(load.path, path);
    EXPECT_EQ(load.bets->get(1).reintegro, 0);
    EXPECT_EQ(load.bets->get(2).reintegro, 0);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"AVISO: Se ha asignado al fichero cargado el REINTEGRO 0."}));

    // With it, the reintegros stay and nothing is said.
    ui.messages.clear();
    load = loadScrutinyFile(path, true, ui);
    EXPECT_EQ(load.bets->get(2).reintegro, 9);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ScrutinyFlows, TextFilesWithoutBetsOrWithErrors)
{
    test::writeFile(dir.file("vacio.txt"), "corta\r\n");
    ScrutinyFileLoad load = loadScrutinyFile(dir.file("vacio.txt"), false, ui);
    EXPECT_EQ(load.count(), 0);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{kZeroBets}));

    // With "Cargar Reintegros" a file without them stops at its first bet.
    ui.messages.clear();
    test::writeFile(dir.file("sin.txt"), "01 02 03 04 05 06\r\n");
    load = loadScrutinyFile(dir.file("sin.txt"), true, ui);
    EXPECT_EQ(load.count(), 0);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text, "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( Ha elegido la opción de Cargar "
                                   "Reintegros y el fichero no tiene reintegros en sus apuestas (Apuesta 1))");
    EXPECT_EQ(ui.messages[1].text, kZeroBets);
}

TEST_F(ScrutinyFlows, ScrutinyAndItsReport)
{
    ScrutinyInputs in;
    std::vector<std::array<int, 7>> rows(10, {20, 21, 22, 23, 24, 25, 0});
    rows[8] = {1, 2, 3, 30, 31, 32, 0};
    in.bets = loadScrutinyFile(kmb("diez.KMB", rows), true, ui).bets;
    in.count = 10;
    in.winning.numbers = {1, 2, 3, 4, 5, 6};
    in.winning.complementary = 6;
    ScrutinyResult r = WritePrizedTicketsReport(in, ui);
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"El número complementario ha de ser distinto de los números elegidos"}));
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    EXPECT_TRUE(ui.editorPaths.empty());

    ui.messages.clear();
    in.winning.complementary = 7;
    r = WritePrizedTicketsReport(in, ui);
    EXPECT_EQ(r.tally.hits[3], 1);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.editorPaths, (std::vector<std::string>{dir.file("KOMBITRON_PREMIOS.txt")}));
    EXPECT_EQ(test::readFile(dir.file("KOMBITRON_PREMIOS.txt")),
              "BOLETO 01  02  03  04  05  06  07  08\r\n     2  3  --  \r\n");

    ui.editorFails = true;
    WritePrizedTicketsReport(in, ui);
    EXPECT_EQ(ui.lastText(), "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (no hay editor; el informe está en " +
                                 dir.file("KOMBITRON_PREMIOS.txt") + ")");
}

TEST_F(ScrutinyFlows, prizeSummaryReport)
{
    PrizeSummaryInputs in;
    in.date = {"03", "01", "2015"};
    in.drawNumber = "";
    in.bets = 17;
    EXPECT_FALSE(showPrizeSummaryReport(in, ui));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: ALGUN CAMPO ESTA VACIO"}));

    in.drawNumber = "2";
    ASSERT_TRUE(showPrizeSummaryReport(in, ui));
    EXPECT_EQ(test::readFile(dir.file("KOMBITRON_TEMP.txt")), prizeSummaryReport(in));
    EXPECT_NE(prizeSummaryReport(in).find("Total Boletos(de 8 apu.) : 3\r\n"), std::string::npos);
}

TEST_F(ScrutinyFlows, ConsultationShowsItsError)
{
    const PrizesFetch nothing = [](const std::string&) { return ServicePrizesResult{}; };
    const PrizeConsultation c = consultPrizesFlow("PRIMITIVA", {"32", "01", "2015"}, nothing, ui);
    EXPECT_EQ(c.status, ConsultationStatus::InvalidDate);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: FECHA DE SORTEO INCORRECTA"}));
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
}
