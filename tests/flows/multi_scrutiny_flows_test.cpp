#include <gtest/gtest.h>

#include "core/format.h"
#include "core/paths.h"
#include "flows/multi_scrutiny_flows.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

class MultiScrutinyFlows : public ::testing::Test {
protected:
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
    }

    std::string file(const std::string& name, const std::string& text)
    {
        test::writeFile(dir.file(name), text);
        return dir.file(name);
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
};

} // namespace

TEST_F(MultiScrutinyFlows, RefusalsComeInOrderWithTheirIcons)
{
    MultiFileProgress progress;
    MultiFileInputs in;
    runMultiFileFlow(in, progress, ui);
    in.winning = std::make_shared<BetList>(1000000);
    runMultiFileFlow(in, progress, ui);
    in.winning = std::make_shared<BetList>(1);
    runMultiFileFlow(in, progress, ui);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "ERROR: No hay Fichero de SORTEOS cargado para escrutar");
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[1].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[2].text, "NO HAY NINGUN FICHERO CARGADO PARA ESCRUTAR");
    EXPECT_EQ(ui.messages[2].kind, MessageKind::Warning);
}

TEST_F(MultiScrutinyFlows, TheFileList)
{
    std::vector<std::string> list;
    EXPECT_FALSE(addBetFilesFlow(list, std::vector<std::string>(1001, "a.KMB"), ui));
    EXPECT_EQ(ui.lastText(), "SOLO SE PERMITEN CARGAR 1000 FICHEROS PARA ESCRUTAR");
    EXPECT_TRUE(addBetFilesFlow(list, {"a.KMB", "b.txt", "c.KMB"}, ui));

    EXPECT_FALSE(removeBetFileFlow(list, -1, ui));
    EXPECT_EQ(ui.lastText(), "DEBE SELECCIONAR UN FICHERO DE LA LISTA PARA ELIMINARLO");
    EXPECT_TRUE(removeBetFileFlow(list, 1, ui));
    EXPECT_EQ(list, (std::vector<std::string>{"a.KMB", "c.KMB"}));

    ui.answers = {false, true};
    EXPECT_FALSE(emptyBetFileListFlow(list, ui));
    EXPECT_EQ(list.size(), 2u);
    EXPECT_TRUE(emptyBetFileListFlow(list, ui));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(emptyBetFileListFlow(list, ui)); // an empty list asks nothing
    EXPECT_EQ(ui.questions, (std::vector<std::string>(2, "¿ ESTA SEGURO QUE QUIERE BORRAR TODA LA LISTA DE FICHEROS ?")));

    EXPECT_FALSE(confirmMultiFileClose(ui));
    EXPECT_EQ(ui.questions.back(), "Se perderán todos los cálculos, ¿ SEGURO QUE DESEAS VOLVER ? ");
}

TEST_F(MultiScrutinyFlows, WinningCombinationsAreReadWithoutReintegros)
{
    ui.openPaths.push_back(file("sorteos.txt", "01 02 03 04 05 06 7\r\n10 11 12 13 14 15\r\n"));
    const ScrutinyFileLoad load = openWinningCombinations(ui);
    EXPECT_EQ(load.count(), 2);
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].filterIndex, 1);
    EXPECT_EQ(ui.openRequests[0].filters[1].description, "Ficheros de Apuestas (*.ASC)");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MultiScrutinyFlows, ARunShowsEachFilesMessagesAndOpensItsReport)
{
    MultiFileInputs in;
    in.winning = loadWinningCombinations(file("sorteos.txt", "01 02 03 04 05 06\r\n"), ui).bets;
    in.files = {file("uno.txt", "01 02 03 04 05 06\r\n"), file("mal.txt", "01 02 03 04 06 05\r\n"),
                file("tres.txt", "01 02 03 04 05 07\r\n")};
    in.detailed = true;
    MultiFileProgress progress;
    const MultiFileResult r = runMultiFileFlow(in, progress, ui);
    ASSERT_TRUE(r.done());
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( Apuestas con "
                                                    "números no en orden ascendente (Apuesta 1))"}));
    EXPECT_EQ(ui.editorPaths, (std::vector<std::string>{dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO1.txt"),
                                                        dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO3.txt")}));

    // The summary of that run saved and opened; nothing to save before a run.
    EXPECT_FALSE(saveMultiFileSummary("", ui));
    EXPECT_EQ(ui.lastText(), "NO SE HA GENERADO TODAVIA NINGUN INFORME");
    EXPECT_TRUE(saveMultiFileSummary(r.summary, ui));
    EXPECT_EQ(test::readFile(dir.file("KOMBITRON_RESUMENPREMIOS.txt")), r.summary);
}
